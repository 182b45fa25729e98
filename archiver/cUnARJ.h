#pragma once

#include "archiver/cArchiverDriver.h"

// The ARJ driver over UnArj32j. Its window, buffer size, mode and last command are kept
// for the whole component: every object sees the same.
class cUnARJ : public cArchiverDriver {
public:
    cUnARJ();
    qint16 TestMode() const { return checkMode(); }
    void setTestMode(qint16 mode) { setCheckMode(mode); }
};
