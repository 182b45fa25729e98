#pragma once

#include "archiver/cArchiverDriver.h"

// The RAR driver over UnRAR32.DLL.
class cUnRAR : public cArchiverDriver {
public:
    cUnRAR();
    qint16 CheckMode() const { return checkMode(); }
    void setCheckMode(qint16 mode) { setCheckMode(mode); }
};
