#include "archiver/cUnCab.h"

cUnCab::cUnCab()
    : cArchiverDriver({QStringLiteral("CAB"), QStringLiteral("Cab32.DLL"), "Cab", 80, 320, false, 0, true})
{
}
