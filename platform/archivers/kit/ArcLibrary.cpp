#include "platform/archivers/kit/ArcLibrary.h"

#include <QFile>

#include <map>

namespace arckit {
namespace {

struct OpenArchive {
    ArcListing entries;
    qsizetype next = -1;  // -1 until FindFirst
};

struct LibraryState {
    bool cursorMode = true;
    bool backgroundMode = false;
    bool running = false;
    ArcHandle lastHandle = 0;
    std::map<ArcHandle, OpenArchive> archives;
};

LibraryState& state()
{
    static LibraryState s;
    return s;
}

// Marks the library busy for one call; a nested call while busy is refused.
class RunningGuard {
public:
    RunningGuard() : m_entered(!state().running) { state().running = true; }
    ~RunningGuard()
    {
        if (m_entered)
            state().running = false;
    }
    bool entered() const { return m_entered; }

private:
    bool m_entered;
};

int fill(OpenArchive& archive, ArcEntryRecord* entry)
{
    if (archive.next < 0 || archive.next >= archive.entries.size())
        return -1;
    if (entry)
        *entry = toRecord(archive.entries[archive.next]);
    ++archive.next;
    return 0;
}

} // namespace

int exportCommand(ArcFormat& format, const char* command, char* output, quint32 size)
{
    ArcOutput out(output, size);
    RunningGuard guard;
    if (!guard.entered())
        return arcerr::AlreadyRunning;
    if (!command)
        return arcerr::IllegalCommand;
    const int code = format.run(QByteArray(command), out);
    out.finish();
    return code;
}

int exportCheckArchive(ArcFormat& format, const char* file)
{
    RunningGuard guard;
    return guard.entered() && file && format.check(QFile::decodeName(file)) ? 1 : 0;
}

ArcHandle exportOpenArchive(ArcFormat& format, const char* file)
{
    RunningGuard guard;
    if (!guard.entered() || !file)
        return 0;
    auto entries = format.list(QFile::decodeName(file));
    if (!entries)
        return 0;
    LibraryState& s = state();
    do
        ++s.lastHandle;
    while (s.lastHandle == 0 || s.archives.count(s.lastHandle));
    s.archives[s.lastHandle] = OpenArchive {std::move(*entries), -1};
    return s.lastHandle;
}

int exportFindFirst(ArcHandle archive, const char*, ArcEntryRecord* entry)
{
    auto it = state().archives.find(archive);
    if (it == state().archives.end())
        return arcerr::NoHandle;
    it->second.next = 0;
    return fill(it->second, entry);
}

int exportFindNext(ArcHandle archive, ArcEntryRecord* entry)
{
    auto it = state().archives.find(archive);
    if (it == state().archives.end())
        return arcerr::NoHandle;
    if (it->second.next < 0)
        return arcerr::NoFindFirst;
    return fill(it->second, entry);
}

int exportCloseArchive(ArcHandle archive)
{
    return state().archives.erase(archive) ? 0 : arcerr::NoHandle;
}

int exportSetCursorMode(int mode)
{
    state().cursorMode = mode != 0;
    return 1;
}

int exportGetCursorMode()
{
    return state().cursorMode ? 1 : 0;
}

int exportSetBackGroundMode(int mode)
{
    state().backgroundMode = mode != 0;
    return 1;
}

int exportGetBackGroundMode()
{
    return state().backgroundMode ? 1 : 0;
}

int exportGetRunning()
{
    return state().running ? 1 : 0;
}

int exportConfigDialog(char*)
{
    // Our libraries have no settings of their own: the dialog is never accepted.
    return 0;
}

} // namespace arckit
