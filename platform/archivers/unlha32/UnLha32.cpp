// UnLha32: the LHA unpacker and packer library.
#include "platform/archivers/kit/ArcLibrary.h"
#include "platform/archivers/unlha32/LhaFormat.h"

ARCKIT_EXPORTS(Unlha, arckit::LhaFormat)
