// UnArj32j: the ARJ unpacker library.
#include "platform/archivers/kit/ArcLibrary.h"
#include "platform/archivers/unarj32/ArjFormat.h"

ARCKIT_EXPORTS(Unarj, arckit::ArjFormat)
