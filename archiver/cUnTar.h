#pragma once

#include "archiver/cArchiverDriver.h"

// The TAR driver over Tar32.DLL.
class cUnTar : public cArchiverDriver {
public:
    cUnTar();
    qint16 TestMode() const { return checkMode(); }
    void setTestMode(qint16 mode) { setCheckMode(mode); }
};
