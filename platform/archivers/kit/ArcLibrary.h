#pragma once

#include "platform/archivers/ArchiverApi.h"
#include "platform/archivers/kit/ArcFormat.h"

// The state behind one library's exported calls: modes, running flag and open archives.
namespace arckit {

int exportCommand(ArcFormat& format, const char* command, char* output, quint32 size);
int exportCheckArchive(ArcFormat& format, const char* file);
ArcHandle exportOpenArchive(ArcFormat& format, const char* file);
int exportFindFirst(ArcHandle archive, const char* wildcard, ArcEntryRecord* entry);
int exportFindNext(ArcHandle archive, ArcEntryRecord* entry);
int exportCloseArchive(ArcHandle archive);
int exportSetCursorMode(int mode);
int exportGetCursorMode();
int exportSetBackGroundMode(int mode);
int exportGetBackGroundMode();
int exportGetRunning();
int exportConfigDialog(char* options);

} // namespace arckit

#define ARCKIT_API extern "C" __attribute__((visibility("default")))

// Exports the Common Archivers Library calls under PREFIX for the format object FORMAT.
#define ARCKIT_EXPORTS(PREFIX, FORMAT)                                                      \
    static arckit::ArcFormat& arcFormat()                                                                 \
    {                                                                                                     \
        static FORMAT format;                                                                             \
        return format;                                                                                    \
    }                                                                                                     \
    ARCKIT_API int PREFIX(ArcWindow, const char* c, char* o, std::uint32_t s)                             \
    {                                                                                                     \
        return arckit::exportCommand(arcFormat(), c, o, s);                                               \
    }                                                                                                     \
    ARCKIT_API int PREFIX##CheckArchive(const char* f, int) { return arckit::exportCheckArchive(arcFormat(), f); } \
    ARCKIT_API ArcHandle PREFIX##OpenArchive(ArcWindow, const char* f, std::uint32_t)                     \
    {                                                                                                     \
        return arckit::exportOpenArchive(arcFormat(), f);                                                 \
    }                                                                                                     \
    ARCKIT_API int PREFIX##FindFirst(ArcHandle h, const char* w, ArcEntryRecord* e)                       \
    {                                                                                                     \
        return arckit::exportFindFirst(h, w, e);                                                          \
    }                                                                                                     \
    ARCKIT_API int PREFIX##FindNext(ArcHandle h, ArcEntryRecord* e) { return arckit::exportFindNext(h, e); } \
    ARCKIT_API int PREFIX##CloseArchive(ArcHandle h) { return arckit::exportCloseArchive(h); }            \
    ARCKIT_API std::uint16_t PREFIX##GetVersion() { return arcFormat().version(); }                       \
    ARCKIT_API int PREFIX##SetCursorMode(int m) { return arckit::exportSetCursorMode(m); }                \
    ARCKIT_API int PREFIX##GetCursorMode() { return arckit::exportGetCursorMode(); }                      \
    ARCKIT_API int PREFIX##SetBackGroundMode(int m) { return arckit::exportSetBackGroundMode(m); }        \
    ARCKIT_API int PREFIX##GetBackGroundMode() { return arckit::exportGetBackGroundMode(); }              \
    ARCKIT_API int PREFIX##GetRunning() { return arckit::exportGetRunning(); }                            \
    ARCKIT_API int PREFIX##ConfigDialog(ArcWindow, char* o, int) { return arckit::exportConfigDialog(o); }
