// UnZip32: the ZIP unpacker library.
#include "platform/archivers/kit/ArcLibrary.h"
#include "platform/archivers/unzip32/ZipFormat.h"

ARCKIT_EXPORTS(UnZip, arckit::ZipFormat)
