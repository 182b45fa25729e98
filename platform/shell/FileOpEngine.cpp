#include "platform/shell/FileOpEngine.h"

#include "platform/core/DoEvents.h"
#include "platform/shell/FileCopier.h"
#include "platform/shell/FileOpQuestions.h"
#include "platform/core/FileName.h"
#include "platform/shell/ShellChangeHub.h"
#include "platform/shell/ShellTypes.h"
#include "platform/shell/Trash.h"
#include "platform/shell/TreeRemover.h"
#include "platform/shell/Wildcard.h"

#include <QDir>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr int PumpIntervalMs = 50;

QByteArray parentOf(const QByteArray& path)
{
    const int slash = int(path.lastIndexOf('/'));
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

QByteArray child(const QByteArray& folder, const QByteArray& name)
{
    return (folder == "/" ? QByteArray() : folder) + '/' + name;
}

bool lstatOf(const QByteArray& path, struct stat* st)
{
    return ::lstat(path.constData(), st) == 0;
}

QByteArray realPath(const QByteArray& path)
{
    char* real = ::realpath(path.constData(), nullptr);
    if (!real)
        return path;
    QByteArray result(real);
    std::free(real);
    return result;
}

// A name relative to the request's folder must name something inside it: "..", or a name that is
// only ".", would reach the folder itself or above it (a delete would take the parent with it).
bool staysInside(const QString& name)
{
    if (name.startsWith(u'/'))
        return true;   // a full path names its item itself
    bool named = false;
    for (const QString& part : name.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u"..")
            return false;
        named = named || part != u".";
    }
    return named;
}

// Whether target (not yet existing) would lie inside the folder source, or be it.
bool insideItself(const QByteArray& source, const QByteArray& target)
{
    const QByteArray from = realPath(source);
    const QByteArray to = realPath(parentOf(target)) + '/' + nameOf(target);
    return to == from || to.startsWith(from + '/');
}

QList<QByteArray> childrenOf(const QByteArray& folder, int* error)
{
    QList<QByteArray> names;
    DIR* dir = ::opendir(folder.constData());
    if (!dir) {
        *error = errno;
        return names;
    }
    while (dirent* e = ::readdir(dir)) {
        const char* n = e->d_name;
        if (!(n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0))))
            names.append(QByteArray(n));
    }
    ::closedir(dir);
    *error = 0;
    return names;
}

// A folder cannot replace a file, nor a file a folder; 0 once the clash is gone.
int kindClash(const struct stat& source, const QByteArray& target)
{
    struct stat now;
    if (::lstat(target.constData(), &now) != 0 || S_ISDIR(now.st_mode) == S_ISDIR(source.st_mode))
        return 0;
    return S_ISDIR(now.st_mode) ? EISDIR : ENOTDIR;
}

quint32 createdEvent(const QByteArray& path)
{
    struct stat st;
    return lstatOf(path, &st) && S_ISDIR(st.st_mode) ? SHCNE_MKDIR : SHCNE_CREATE;
}

} // namespace

FileOpEngine::FileOpEngine(const FileOpRequest& request)
    : m_request(request), m_function(request.function), m_flags(request.flags),
      m_base(EncodeFileName(request.folder.isEmpty() ? QDir::currentPath() : request.folder))
{
    while (m_base.size() > 1 && m_base.endsWith('/'))
        m_base.chop(1);
    m_sincePump.start();
}

QByteArray FileOpEngine::absolute(const QString& path) const
{
    QByteArray bytes = EncodeFileName(path);
    while (bytes.size() > 1 && bytes.endsWith('/'))
        bytes.chop(1);
    if (bytes.isEmpty() || bytes.startsWith('/'))
        return bytes;
    return child(m_base, bytes);
}

QList<QByteArray> FileOpEngine::expandSources() const
{
    QList<QByteArray> result;
    for (const QString& source : m_request.sources)
        if (!source.isEmpty())
            result += Wildcard::expand(absolute(source));
    return result;
}

FileOpResult FileOpEngine::run()
{
    if (!m_request.folder.isEmpty() && !std::all_of(m_request.sources.begin(), m_request.sources.end(), staysInside))
        return {EINVAL, false};
    const QList<QByteArray> sources = expandSources();
    if (!(m_flags & FOF_SILENT))
        m_progress = FileOpUi::makeProgress();
    if (m_progress)
        scanTotals(sources);
    if (m_function == FO_DELETE) {
        const bool toTrash = m_flags & FOF_ALLOWUNDO;
        if (!(m_flags & FOF_NOCONFIRMATION) && !FileOpQuestions::confirmDelete(sources, toTrash))
            m_aborted = true;
        for (qsizetype i = 0; !m_aborted && !m_cancelled && i < sources.size(); ++i)
            deleteTop(sources[i]);
    } else if (m_function == FO_RENAME) {
        if (!sources.isEmpty())
            renameTop(sources.first());
    } else if (m_function == FO_COPY || m_function == FO_MOVE) {
        QByteArray folder, asName;
        if (prepareTarget(sources, &folder, &asName)) {
            for (qsizetype i = 0; !m_cancelled && i < sources.size(); ++i)
                transferTop(sources[i], asName.isEmpty() ? child(folder, nameOf(sources[i])) : asName);
        }
    } else {
        m_firstError = EINVAL;
    }
    if (m_progress)
        m_progress->finish();
    DoEvents();
    FileOpResult result;
    result.code = m_cancelled ? FileOpResult::Cancelled : m_firstError;
    result.aborted = m_cancelled || m_aborted;
    return result;
}

bool FileOpEngine::prepareTarget(const QList<QByteArray>& sources, QByteArray* folder, QByteArray* asName)
{
    const QByteArray target = absolute(m_request.target);
    if (target.isEmpty()) {
        m_firstError = ENOENT;
        return false;
    }
    struct stat st;
    const bool exists = ::stat(target.constData(), &st) == 0;
    const bool asFolder = m_request.target.endsWith(QLatin1Char('/')) || m_request.target.endsWith(QLatin1Char('\\'))
        || sources.size() > 1 || (exists && S_ISDIR(st.st_mode));
    if (!asFolder) {
        *folder = parentOf(target);
        *asName = target;
        return true;
    }
    *folder = target;
    if (exists)
        return true;
    if (!(m_flags & FOF_NOCONFIRMMKDIR) && !FileOpQuestions::confirmCreateFolder(target)) {
        m_aborted = true;
        return false;
    }
    QByteArray topMade = target;
    while (parentOf(topMade) != topMade && !lstatOf(parentOf(topMade), &st))
        topMade = parentOf(topMade);
    if (!attempt(target, [&] { return QDir().mkpath(DecodeFileName(target)) ? 0 : (errno ? errno : EACCES); }))
        return false;
    announce(SHCNE_MKDIR, topMade);
    return true;
}

QByteArray FileOpEngine::copyName(const QByteArray& folder, const QByteArray& name) const
{
    for (int n = 1;; ++n) {
        const QByteArray candidate = child(folder, n == 1 ? "Copy of " + name : "Copy (" + QByteArray::number(n) + ") of " + name);
        struct stat st;
        if (!lstatOf(candidate, &st))
            return candidate;
    }
}

void FileOpEngine::transferTop(const QByteArray& source, const QByteArray& target)
{
    struct stat st;
    if (!attempt(source, [&] { return lstatOf(source, &st) ? 0 : errno; }))
        return;
    QByteArray to = target;
    if (realPath(source) == realPath(parentOf(target)) + '/' + nameOf(target)) {
        if (m_function == FO_MOVE)
            return;   // already where it should go
        to = copyName(parentOf(target), nameOf(target));
    }
    if (S_ISDIR(st.st_mode) && insideItself(source, to)) {
        attempt(source, [] { return FileOpQuestions::IntoItself; });
        return;
    }
    if (m_progress)
        m_progress->setItem(DecodeFileName(source), DecodeFileName(parentOf(to)));
    bool done = false;
    struct stat folder;
    const bool sameDevice = ::stat(parentOf(to).constData(), &folder) == 0 && folder.st_dev == st.st_dev;
    if (m_function == FO_MOVE && sameDevice)
        done = moveWithin(source, to);
    else
        done = transfer(source, to, m_function == FO_MOVE);
    if (done && m_function == FO_MOVE && sameDevice) {
        announce(S_ISDIR(st.st_mode) ? SHCNE_RENAMEFOLDER : SHCNE_RENAMEITEM, source, to);
        return;
    }
    struct stat now;
    if (lstatOf(to, &now))
        announce(createdEvent(to), to);
    if (m_function == FO_MOVE && !lstatOf(source, &now))
        announce(S_ISDIR(st.st_mode) ? SHCNE_RMDIR : SHCNE_DELETE, source);
}

// Moves inside one file system by renaming; a clash with an existing folder merges into it.
bool FileOpEngine::moveWithin(const QByteArray& source, const QByteArray& target)
{
    if (!tick(0))
        return false;
    struct stat st, existing;
    if (!attempt(source, [&] { return lstatOf(source, &st) ? 0 : errno; }))
        return false;
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EINVAL && !lstatOf(target, &existing) && ::rename(source.constData(), target.constData()) == 0)
        return true;   // a file system without the no-replace rename
    if (errno == EXDEV)
        return transfer(source, target, true);
    if (errno != EEXIST && errno != ENOTEMPTY)
        return attempt(source, [&] { return ::rename(source.constData(), target.constData()) == 0 ? 0 : errno; });
    const Resolution resolution = resolveConflict(source, target);
    if (resolution != Resolution::Replace)
        return false;
    if (!lstatOf(target, &existing))
        return moveWithin(source, target);
    if (S_ISDIR(st.st_mode) != S_ISDIR(existing.st_mode))
        return attempt(source, [&] { return kindClash(st, target); }) && moveWithin(source, target);
    if (!S_ISDIR(st.st_mode))
        return attempt(source, [&] { return ::rename(source.constData(), target.constData()) == 0 ? 0 : errno; });
    int error = 0;
    bool all = true;
    for (const QByteArray& name : childrenOf(source, &error)) {
        if (m_cancelled)
            return false;
        all = moveWithin(child(source, name), child(target, name)) && all;
    }
    if (error)
        return attempt(source, [error] { return error; });
    return all && ::rmdir(source.constData()) == 0;
}

FileOpEngine::Resolution FileOpEngine::resolveConflict(const QByteArray& source, const QByteArray& target)
{
    if (m_yesToAll || (m_flags & FOF_NOCONFIRMATION))
        return Resolution::Replace;
    switch (FileOpQuestions::askConflict(m_function, source, target)) {
    case FileOpQuestions::YesToAll:
        m_yesToAll = true;
        return Resolution::Replace;
    case FileOpQuestions::Yes:
        return Resolution::Replace;
    case FileOpQuestions::No:
        m_aborted = true;
        return Resolution::Skip;
    case FileOpQuestions::CancelAll:
        break;
    }
    m_cancelled = true;
    return Resolution::Stop;
}

// Copies source to target (and for a move, removes each source item once its copy is complete).
bool FileOpEngine::transfer(const QByteArray& source, const QByteArray& target, bool move)
{
    struct stat st, existing;
    if (!attempt(source, [&] { return lstatOf(source, &st) ? 0 : errno; }))
        return false;
    bool merge = false;
    if (lstatOf(target, &existing)) {
        if (resolveConflict(source, target) != Resolution::Replace)
            return false;
        if (S_ISDIR(st.st_mode) != S_ISDIR(existing.st_mode))
            return attempt(source, [&] { return kindClash(st, target); }) && transfer(source, target, move);
        merge = S_ISDIR(st.st_mode);
    }
    if (S_ISDIR(st.st_mode))
        return transferFolder(source, st, target, merge, move);
    const FileCopier::Options options{lstatOf(target, &existing), move};
    const bool copied = attempt(source, [&] {
        return FileCopier::copy(source, st, target, options, [this](qint64 bytes) { return tick(bytes); });
    });
    ++m_itemsDone;
    if (!copied || !move)
        return copied;
    return attempt(source, [&] { return ::unlink(source.constData()) == 0 || errno == ENOENT ? 0 : errno; });
}

bool FileOpEngine::transferFolder(const QByteArray& source, const struct stat& st, const QByteArray& target, bool merge, bool move)
{
    if (!merge && !attempt(target, [&] { return ::mkdir(target.constData(), 0700) == 0 || errno == EEXIST ? 0 : errno; }))
        return false;
    int error = 0;
    QList<QByteArray> names;
    if (!attempt(source, [&] { names = childrenOf(source, &error); return error; }))
        return false;
    bool all = true;
    for (const QByteArray& name : names) {
        if (m_cancelled || !tick(0))
            return false;
        all = transfer(child(source, name), child(target, name), move) && all;
    }
    if (!merge)
        FileCopier::copyFolderAttributes(st, target);
    if (!all || !move)
        return all;
    return attempt(source, [&] { return ::rmdir(source.constData()) == 0 ? 0 : errno; });
}

void FileOpEngine::deleteTop(const QByteArray& path)
{
    struct stat st;
    if (!attempt(path, [&] { return lstatOf(path, &st) ? 0 : errno; }))
        return;
    if (m_progress)
        m_progress->setItem(DecodeFileName(path), {});
    bool permanent = !(m_flags & FOF_ALLOWUNDO);
    if (!permanent) {
        Trash::Outcome outcome = Trash::Outcome::Failed;
        const bool trashed = attempt(path, [&] {
            int error = 0;
            outcome = Trash::moveToTrash(path, &error);
            return outcome == Trash::Outcome::Failed ? error : 0;
        });
        if (!trashed)
            return;
        if (outcome == Trash::Outcome::NoTrash) {
            // Nothing leaves for good without the user's word, whatever the flags say.
            if (!FileOpQuestions::confirmPermanentDelete(path)) {
                m_aborted = true;
                return;
            }
            permanent = true;
        }
    }
    if (permanent) {
        QByteArray failed;
        const bool removed = attempt(path, [&] {
            failed.clear();
            const int error = TreeRemover::remove(path, &failed, [this] { return tick(0); });
            return error == ECANCELED && m_cancelled ? 0 : error;
        });
        if (!removed || m_cancelled)
            return;
    }
    ++m_itemsDone;
    announce(S_ISDIR(st.st_mode) ? SHCNE_RMDIR : SHCNE_DELETE, path);
}

void FileOpEngine::renameTop(const QByteArray& source)
{
    QByteArray target = absolute(m_request.target);
    if (!m_request.target.contains(QLatin1Char('/')))
        target = child(parentOf(source), EncodeFileName(m_request.target));
    struct stat st;
    if (!attempt(source, [&] { return lstatOf(source, &st) ? 0 : errno; }) || target == source)
        return;
    const bool renamed = attempt(source, [&] {
        if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
            return 0;
        if (errno == EXDEV)
            return transfer(source, target, true) ? 0 : (m_firstError ? m_firstError : EXDEV);
        return errno;
    });
    if (renamed && !m_cancelled)
        announce(S_ISDIR(st.st_mode) ? SHCNE_RENAMEFOLDER : SHCNE_RENAMEITEM, source, target);
}

bool FileOpEngine::attempt(const QByteArray& path, const std::function<int()>& action)
{
    while (!m_cancelled) {
        const int error = action();
        if (error == 0)
            return true;
        if (error == ECANCELED || m_cancelled) {
            m_cancelled = true;
            return false;
        }
        switch (FileOpQuestions::askError(m_function, path, error)) {
        case FileOpQuestions::Retry:
            continue;
        case FileOpQuestions::Skip:
            if (!m_firstError)
                m_firstError = error < 0 ? EIO : error;
            return false;
        case FileOpQuestions::Cancel:
            m_cancelled = true;
            return false;
        }
    }
    return false;
}

bool FileOpEngine::tick(qint64 bytes)
{
    m_bytesDone += bytes;
    if (m_progress) {
        m_progress->advance(m_bytesDone, m_itemsDone);
        if (m_progress->cancelled())
            m_cancelled = true;
    }
    if (m_sincePump.elapsed() >= PumpIntervalMs) {
        DoEvents();
        m_sincePump.restart();
        if (m_progress && m_progress->cancelled())
            m_cancelled = true;
    }
    return !m_cancelled;
}

void FileOpEngine::announce(quint32 event, const QByteArray& path1, const QByteArray& path2)
{
    ShellChangeHub::instance().notifyPaths(event, path1, path2);
}

void FileOpEngine::scanTotals(const QList<QByteArray>& sources)
{
    qint64 bytes = 0;
    int items = 0;
    std::function<void(const QByteArray&)> walk = [&](const QByteArray& path) {
        struct stat st;
        if (!lstatOf(path, &st))
            return;
        ++items;
        if (!S_ISDIR(st.st_mode)) {
            bytes += st.st_size;
            return;
        }
        int error = 0;
        for (const QByteArray& name : childrenOf(path, &error))
            walk(child(path, name));
    };
    for (const QByteArray& source : sources)
        walk(source);
    m_progress->start(FileOpQuestions::verbOf(m_function) + QStringLiteral("..."), bytes, items);
}

FileOpResult runFileOperation(const FileOpRequest& request)
{
    return FileOpEngine(request).run();
}

} // namespace platform
