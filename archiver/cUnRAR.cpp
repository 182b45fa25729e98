#include "archiver/cUnRAR.h"

cUnRAR::cUnRAR()
    : cArchiverDriver({QStringLiteral("RAR"), QStringLiteral("UnRAR32.DLL"), "Unrar", 80, 320, false, 0, false})
{
}
