#pragma once

#include "archiver/cArchiverDriver.h"

// The CAB driver over Cab32.DLL.
class cUnCab : public cArchiverDriver {
public:
    cUnCab();
    qint16 CheckMode() const { return checkMode(); }
    void setCheckMode(qint16 mode) { setCheckMode(mode); }
};
