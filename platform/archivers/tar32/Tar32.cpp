// Tar32: the TAR family unpacker library.
#include "platform/archivers/kit/ArcLibrary.h"
#include "platform/archivers/tar32/TarFormat.h"

ARCKIT_EXPORTS(Tar, arckit::TarFormat)
