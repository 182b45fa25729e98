#include "archiver/cUnLHA.h"

cUnLHA::cUnLHA()
    : cArchiverDriver({QStringLiteral("LHA"), QStringLiteral("UnLHA32.DLL"), "Unlha", 80, 320, false, 0, false})
{
}
