#include "platform/shell/NativeName.h"

namespace platform {
namespace {

// Length of the valid UTF-8 sequence at p (1..4), or 0 when the bytes there do not form one.
int sequenceLength(const unsigned char* p, qsizetype left)
{
    const unsigned char c = p[0];
    int len = 0;
    unsigned min = 0;
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0) { len = 2; min = 0x80; }
    else if ((c & 0xF0) == 0xE0) { len = 3; min = 0x800; }
    else if ((c & 0xF8) == 0xF0) { len = 4; min = 0x10000; }
    else
        return 0;
    if (left < len)
        return 0;
    unsigned code = c & (0x7F >> len);
    for (int i = 1; i < len; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (p[i] & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return len;
}

} // namespace

QString decodeName(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype runStart = 0;
    qsizetype i = 0;
    while (i < n) {
        const int len = sequenceLength(p + i, n - i);
        if (len > 0) {
            i += len;
            continue;
        }
        out += QString::fromUtf8(bytes.constData() + runStart, i - runStart);
        out += QChar(char16_t(0xDC00 + p[i]));
        runStart = ++i;
    }
    if (runStart == 0)
        return QString::fromUtf8(bytes);
    out += QString::fromUtf8(bytes.constData() + runStart, n - runStart);
    return out;
}

QByteArray encodeName(const QString& name)
{
    QByteArray out;
    out.reserve(name.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t u = name.at(i).unicode();
        const bool lowSurrogate = u >= 0xDC80 && u <= 0xDCFF;
        const bool paired = lowSurrogate && i > 0 && name.at(i - 1).isHighSurrogate();
        if (!lowSurrogate || paired)
            continue;
        out += QStringView(name).mid(runStart, i - runStart).toUtf8();
        out += char(u - 0xDC00);
        runStart = i + 1;
    }
    if (runStart == 0)
        return name.toUtf8();
    out += QStringView(name).mid(runStart).toUtf8();
    return out;
}

} // namespace platform

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
