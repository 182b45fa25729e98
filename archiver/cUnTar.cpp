#include "archiver/cUnTar.h"

cUnTar::cUnTar()
    : cArchiverDriver({QStringLiteral("TAR"), QStringLiteral("Tar32.DLL"), "Tar", 81, 324, true, 0, false})
{
}
