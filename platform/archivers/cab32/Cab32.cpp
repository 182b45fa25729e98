// Cab32: the cabinet unpacker and packer library.
#include "platform/archivers/cab32/CabFormat.h"
#include "platform/archivers/kit/ArcLibrary.h"

ARCKIT_EXPORTS(Cab, arckit::CabFormat)
