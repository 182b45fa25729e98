#include "platform/shell/FileCopier.h"

#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <vector>
#include <cstdio>
#include <fcntl.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr size_t Chunk = 8 << 20;

QByteArray temporaryName(const QByteArray& target)
{
    const int slash = int(target.lastIndexOf('/'));
    const QByteArray folder = slash < 0 ? QByteArray(".") : target.left(slash);
    return folder + "/.dpx-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".part";
}

int placeUnderName(const QByteArray& temp, const QByteArray& target, bool replace)
{
    const int rc = replace ? ::rename(temp.constData(), target.constData())
                           : ::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE);
    if (rc == 0)
        return 0;
    if (!replace && errno == EINVAL) {   // a file system without the no-replace rename
        struct stat st;
        if (::lstat(target.constData(), &st) == 0)
            return EEXIST;
        if (::rename(temp.constData(), target.constData()) == 0)
            return 0;
    }
    return errno;
}

int setTimes(int dirFd, const char* path, const struct stat& st, int flags)
{
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    return ::utimensat(dirFd, path, times, flags) == 0 ? 0 : errno;
}

} // namespace

int FileCopier::copyFileData(int in, int out, const Progress& progress, qint64* copied)
{
    bool kernelCopy = true;
    std::vector<char> buffer;
    while (true) {
        ssize_t n;
        if (kernelCopy) {
            n = ::copy_file_range(in, nullptr, out, nullptr, Chunk, 0);
            if (n < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP || errno == EPERM)) {
                kernelCopy = false;
                continue;
            }
        } else {
            buffer.resize(1 << 20);
            n = ::read(in, buffer.data(), buffer.size());
            for (ssize_t done = 0; n > 0 && done < n;) {
                const ssize_t w = ::write(out, buffer.data() + done, n - done);
                if (w < 0) {
                    if (errno == EINTR)
                        continue;
                    return errno;
                }
                done += w;
            }
        }
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return 0;
        *copied += n;
        if (progress && !progress(n))
            return ECANCELED;
    }
}

int FileCopier::copy(const QByteArray& source, const struct stat& st, const QByteArray& target,
                     Options options, const Progress& progress)
{
    const QByteArray temp = temporaryName(target);
    int error = 0;
    if (S_ISLNK(st.st_mode)) {
        std::vector<char> link(size_t(st.st_size > 0 ? st.st_size : PATH_MAX) + 1);
        const ssize_t n = ::readlink(source.constData(), link.data(), link.size() - 1);
        if (n < 0)
            return errno;
        link[size_t(n)] = 0;
        if (::symlink(link.data(), temp.constData()) != 0)
            return errno;
        setTimes(AT_FDCWD, temp.constData(), st, AT_SYMLINK_NOFOLLOW);
    } else if (!S_ISREG(st.st_mode)) {
        if (::mknod(temp.constData(), st.st_mode, st.st_rdev) != 0)
            return errno;
        setTimes(AT_FDCWD, temp.constData(), st, 0);
    } else {
        const int in = ::open(source.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (in < 0)
            return errno;
        const int out = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (out < 0) {
            error = errno;
            ::close(in);
            return error;
        }
        qint64 copied = 0;
        error = copyFileData(in, out, progress, &copied);
        struct stat now, written;
        if (!error && (::fstat(in, &now) != 0 || ::fstat(out, &written) != 0))
            error = errno;
        if (!error && (written.st_size != now.st_size || copied != now.st_size))
            error = VerifyFailed;
        if (!error && ::fchmod(out, st.st_mode & 07777) != 0)
            error = errno;
        if (!error) {
            const struct timespec times[2] = {st.st_atim, st.st_mtim};
            if (::futimens(out, times) != 0)
                error = errno;
        }
        if (!error && options.sync && ::fsync(out) != 0)
            error = errno;
        if (::close(out) != 0 && !error)
            error = errno;
        ::close(in);
    }
    if (!error)
        error = placeUnderName(temp, target, options.replace);
    if (error)
        ::unlink(temp.constData());
    return error;
}

int FileCopier::copyFolderAttributes(const struct stat& st, const QByteArray& target)
{
    if (::chmod(target.constData(), st.st_mode & 07777) != 0)
        return errno;
    return setTimes(AT_FDCWD, target.constData(), st, 0);
}

} // namespace platform
