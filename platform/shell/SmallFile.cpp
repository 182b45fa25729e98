#include "platform/shell/SmallFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

QByteArray readSmallFile(const QByteArray& path, qint64 limit)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray data;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= limit) {
        data.resize(st.st_size);
        qint64 done = 0;
        while (done < st.st_size) {
            const ssize_t n = ::read(fd, data.data() + done, size_t(st.st_size - done));
            if (n <= 0)
                break;
            done += n;
        }
        data.resize(done);
    }
    ::close(fd);
    return data;
}

} // namespace platform
