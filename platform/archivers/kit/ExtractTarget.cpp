#include "platform/archivers/kit/ExtractTarget.h"

#include "platform/archivers/ArchiverApi.h"

#include <QFile>
#include <QList>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace arckit {

std::optional<QByteArray> safeRelativeName(const QByteArray& memberName)
{
    QByteArray name = memberName;
    name.replace('\\', '/');
    if (name.startsWith('/') || (name.size() >= 2 && name[1] == ':'))
        return std::nullopt;
    QList<QByteArray> kept;
    for (const QByteArray& part : name.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..")
            return std::nullopt;
        kept << part;
    }
    if (kept.isEmpty())
        return std::nullopt;
    return kept.join('/');
}

// A link's target, read from the link's own folder, must not climb above the root.
static bool staysInside(const QByteArray& linkPath, QByteArray linkTarget)
{
    linkTarget.replace('\\', '/');
    if (linkTarget.isEmpty() || linkTarget.startsWith('/'))
        return false;
    QList<QByteArray> parts = linkPath.split('/');
    parts.removeLast();
    for (const QByteArray& part : linkTarget.split('/')) {
        if (part == "..") {
            if (parts.isEmpty())
                return false;
            parts.removeLast();
        } else if (!part.isEmpty() && part != ".") {
            parts << part;
        }
    }
    return true;
}

ExtractTarget::ExtractTarget(const QString& root, Options options, ArcOutput* output)
    : m_root(QFile::encodeName(root))
    , m_options(options)
    , m_output(output)
{
    m_root.replace('\\', '/');
    if (!m_root.endsWith('/'))
        m_root += '/';
}

int ExtractTarget::begin()
{
    QByteArray path;
    for (const QByteArray& part : m_root.split('/')) {
        path += part + '/';
        if (part.isEmpty())
            continue;
        if (::mkdir(path.constData(), 0755) != 0 && errno != EEXIST)
            return errno == EACCES || errno == EROFS ? arcerr::ReadOnlyTarget : arcerr::CannotMakeFolder;
    }
    struct stat info {};
    if (::stat(m_root.constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return arcerr::CannotMakeFolder;
    if (::access(m_root.constData(), W_OK) != 0)
        return arcerr::ReadOnlyTarget;
    return 0;
}

void ExtractTarget::fail(int code, bool stop)
{
    if (m_result == 0)
        m_result = code;
    m_stopped = m_stopped || stop;
}

std::optional<QByteArray> ExtractTarget::place(const QByteArray& memberName) const
{
    auto relative = safeRelativeName(memberName);
    if (!relative)
        return std::nullopt;
    if (m_options.junkPaths)
        relative = relative->mid(relative->lastIndexOf('/') + 1);
    return m_root + *relative;
}

// Makes the folders between the root and path; an existing link among them is refused, so a
// member can never be written through a link an earlier member planted.
bool ExtractTarget::makeParents(const QByteArray& path)
{
    const QByteArray below = path.mid(m_root.size());
    const QList<QByteArray> parts = below.split('/');
    QByteArray current = m_root;
    for (int i = 0; i + 1 < parts.size(); ++i) {
        current += parts[i];
        struct stat info {};
        if (::lstat(current.constData(), &info) == 0) {
            if (!S_ISDIR(info.st_mode))
                return false;
        } else if (::mkdir(current.constData(), 0755) != 0) {
            return false;
        }
        current += '/';
    }
    return true;
}

bool ExtractTarget::enoughSpace(const QByteArray& path, qint64 size) const
{
    struct statvfs fs {};
    const QByteArray folder = path.left(path.lastIndexOf('/') + 1);
    if (::statvfs(folder.constData(), &fs) != 0)
        return true;
    return qint64(fs.f_bavail) * qint64(fs.f_frsize) >= size;
}

// Clears the way for a new file at path; false when an existing file must be kept.
bool ExtractTarget::prepareSlot(const QByteArray& path)
{
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0)
        return true;
    if (S_ISDIR(info.st_mode)) {
        fail(arcerr::CannotOpenOutput);
        return false;
    }
    if (!m_options.overwrite && !S_ISLNK(info.st_mode)) {
        fail(arcerr::Skipped);
        return false;
    }
    ::unlink(path.constData());
    return true;
}

void ExtractTarget::makeFolder(const QByteArray& memberName)
{
    if (m_options.junkPaths)
        return;
    const auto path = place(memberName);
    if (!path) {
        fail(arcerr::CannotOpenOutput);
        return;
    }
    if (!makeParents(*path + "/x"))
        fail(arcerr::CannotMakeFolder);
}

int ExtractTarget::copyData(int fd, const Reader& read, const std::function<int()>& readError)
{
    static constexpr qint64 chunk = 256 * 1024;
    QByteArray buffer(chunk, Qt::Uninitialized);
    for (;;) {
        const qint64 n = read(buffer.data(), chunk);
        if (n == 0)
            return 0;
        if (n < 0)
            return readError ? readError() : arcerr::ReadError;
        for (qint64 done = 0; done < n;) {
            const ssize_t w = ::write(fd, buffer.constData() + done, std::size_t(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                return errno == ENOSPC || errno == EDQUOT ? arcerr::DiskFull : arcerr::WriteError;
            done += w;
        }
    }
}

void ExtractTarget::writeFile(const QByteArray& memberName, qint64 size, quint32 mode, std::time_t mtime,
    const Reader& read, const std::function<int()>& readError)
{
    const auto path = place(memberName);
    if (!path) {
        fail(arcerr::CannotOpenOutput);
        return;
    }
    if (!makeParents(*path)) {
        fail(arcerr::CannotMakeFolder);
        return;
    }
    if (!enoughSpace(*path, size)) {
        fail(arcerr::DiskFull, true);
        return;
    }
    if (!prepareSlot(*path))
        return;
    const int fd = ::open(path->constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        fail(errno == EACCES || errno == EROFS ? arcerr::ReadOnlyTarget : arcerr::CannotOpenOutput);
        return;
    }
    const int code = copyData(fd, read, readError);
    if (code == 0) {
        ::fchmod(fd, (mode ? mode : 0644) & 0777);
        const struct timespec times[2] = {{mtime, 0}, {mtime, 0}};
        ::futimens(fd, times);
    }
    if (::close(fd) != 0 && code == 0) {
        ::unlink(path->constData());
        fail(arcerr::WriteError);
        return;
    }
    if (code != 0) {
        ::unlink(path->constData());
        fail(code, code == arcerr::DiskFull || code == arcerr::UserCancel);
        return;
    }
    ++m_written;
    if (m_output)
        m_output->line(memberName);
}

void ExtractTarget::adoptFile(const QByteArray& memberName, const QByteArray& stagedPath, std::time_t mtime)
{
    const auto path = place(memberName);
    struct stat info {};
    if (!path || ::lstat(stagedPath.constData(), &info) != 0 || !S_ISREG(info.st_mode)) {
        fail(path ? arcerr::NotFound : arcerr::CannotOpenOutput);
        return;
    }
    if (!makeParents(*path)) {
        fail(arcerr::CannotMakeFolder);
        return;
    }
    if (!prepareSlot(*path))
        return;
    if (::rename(stagedPath.constData(), path->constData()) != 0) {
        fail(arcerr::WriteError);
        return;
    }
    const struct timespec times[2] = {{mtime, 0}, {mtime, 0}};
    ::utimensat(AT_FDCWD, path->constData(), times, AT_SYMLINK_NOFOLLOW);
    ++m_written;
    if (m_output)
        m_output->line(memberName);
}

bool ExtractTarget::fits(const QByteArray& memberName, qint64 size) const
{
    const auto path = place(memberName);
    return !path || enoughSpace(m_root, size);
}

void ExtractTarget::makeSymlink(const QByteArray& memberName, const QByteArray& linkTarget)
{
    const auto path = place(memberName);
    if (!path || m_options.junkPaths || !staysInside(path->mid(m_root.size()), linkTarget)) {
        fail(arcerr::CannotOpenOutput);
        return;
    }
    if (!makeParents(*path) || !prepareSlot(*path))
        return;
    if (::symlink(linkTarget.constData(), path->constData()) != 0) {
        fail(arcerr::CannotOpenOutput);
        return;
    }
    ++m_written;
}

void ExtractTarget::makeHardlink(const QByteArray& memberName, const QByteArray& existingMember)
{
    const auto path = place(memberName);
    const auto source = place(existingMember);
    struct stat info {};
    if (!path || !source || ::lstat(source->constData(), &info) != 0 || !S_ISREG(info.st_mode)) {
        fail(arcerr::CannotOpenOutput);
        return;
    }
    if (!makeParents(*path) || !prepareSlot(*path))
        return;
    if (::link(source->constData(), path->constData()) != 0)
        fail(arcerr::CannotOpenOutput);
    else
        ++m_written;
}

} // namespace arckit
