#pragma once

#include "archiver/cArchiverDriver.h"

// The LHA driver over UnLHA32.DLL.
class cUnLHA : public cArchiverDriver {
public:
    cUnLHA();
    qint16 CheckMode() const { return checkMode(); }
    void setCheckMode(qint16 mode) { setCheckMode(mode); }
};
