// InfoZip32: the zip library, ZIP writing with the options record and the caller's callbacks.
#include "platform/archivers/infozip32/ZipWriter.h"
#include "platform/archivers/kit/ArcLibrary.h"

static arckit::ZipWriter& writer()
{
    static arckit::ZipWriter w;
    return w;
}

ARCKIT_API int ZpInit(const ZpUserFunctions* functions)
{
    writer().setFunctions(functions);
    return 1;
}

ARCKIT_API int ZpSetOptions(const ZpOptions* options)
{
    writer().setOptions(options);
    return 1;
}

ARCKIT_API int ZpArchive(int count, const char* archive, const ZpNames* names)
{
    return writer().archive(count, archive, names);
}
