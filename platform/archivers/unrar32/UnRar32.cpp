// UnRar32: the RAR unpacker library.
#include "platform/archivers/kit/ArcLibrary.h"
#include "platform/archivers/unrar32/RarFormat.h"

ARCKIT_EXPORTS(Unrar, arckit::RarFormat)
