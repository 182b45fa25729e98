#pragma once

#include "archiver/cArchiverDriver.h"

// The ZIP driver over UnZip32. Libraries older than version 80 are listed through the text
// output of their "-l" command instead of FindFirst/FindNext.
class cUnZip : public cArchiverDriver {
public:
    cUnZip();
    qint16 TestMode() const { return checkMode(); }
    void setTestMode(qint16 mode) { setCheckMode(mode); }
    qint16 SetArcFile(const QString& file) override;

    // Entries from the "-l" output text; the number read.
    qint16 ParseListOutput(const QString& output);
};
