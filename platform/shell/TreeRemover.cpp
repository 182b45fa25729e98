#include "platform/shell/TreeRemover.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

struct Walk {
    const TreeRemover::Tick& tick;
    QByteArray* failedPath;

    int fail(int error, const QByteArray& path)
    {
        if (failedPath && failedPath->isEmpty())
            *failedPath = path;
        return error;
    }

    // Empties the folder open at dirFd, named path (for error reports). Takes ownership of dirFd.
    int emptyFolder(int dirFd, const QByteArray& path)
    {
        DIR* dir = ::fdopendir(dirFd);
        if (!dir) {
            const int error = errno;
            ::close(dirFd);
            return fail(error, path);
        }
        int result = 0;
        while (dirent* entry = ::readdir(dir)) {
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            if (tick && !tick()) {
                result = ECANCELED;
                break;
            }
            if ((result = removeAt(::dirfd(dir), name, entry->d_type, path + '/' + name)) != 0)
                break;
        }
        ::closedir(dir);
        return result;
    }

    int removeAt(int parentFd, const char* name, unsigned char type, const QByteArray& path)
    {
        if (type == DT_UNKNOWN) {
            struct stat st;
            if (::fstatat(parentFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                return errno == ENOENT ? 0 : fail(errno, path);
            type = S_ISDIR(st.st_mode) ? DT_DIR : DT_REG;
        }
        if (type != DT_DIR) {
            if (::unlinkat(parentFd, name, 0) == 0 || errno == ENOENT)
                return 0;
            return fail(errno, path);
        }
        const int fd = ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            return errno == ENOENT ? 0 : fail(errno, path);
        if (const int error = emptyFolder(fd, path))
            return error;
        if (::unlinkat(parentFd, name, AT_REMOVEDIR) == 0 || errno == ENOENT)
            return 0;
        return fail(errno, path);
    }
};

} // namespace

int TreeRemover::remove(const QByteArray& path, QByteArray* failedPath, const Tick& tick)
{
    Walk walk{tick, failedPath};
    struct stat st;
    if (::lstat(path.constData(), &st) != 0)
        return walk.fail(errno, path);
    return walk.removeAt(AT_FDCWD, path.constData(), S_ISDIR(st.st_mode) ? DT_DIR : DT_REG, path);
}

int TreeRemover::removeContents(const QByteArray& folder, QByteArray* failedPath, const Tick& tick)
{
    Walk walk{tick, failedPath};
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return walk.fail(errno, folder);
    return walk.emptyFolder(fd, folder);
}

} // namespace platform
