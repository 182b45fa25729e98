#include "platform/core/FileSystem.h"

#include "platform/core/FileName.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::fs {

namespace {

QString withSlash(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

bool isRegularFile(const QString& path)
{
    struct stat st {};
    return ::stat(EncodeFileName(path).constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

} // namespace

bool Exists(const QString& path)
{
    struct stat st {};
    return !path.isEmpty() && ::lstat(EncodeFileName(path).constData(), &st) == 0;
}

bool IsFolder(const QString& path)
{
    struct stat st {};
    return !path.isEmpty() && ::stat(EncodeFileName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<QByteArray> ReadFile(const QString& path)
{
    const int fd = ::open(EncodeFileName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    QByteArray content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        content.append(buffer, got);
    }
    ::close(fd);
    return content;
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    const int fd = ::open(EncodeFileName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            ::close(fd);
            return false;
        }
        done += put;
    }
    return ::close(fd) == 0;
}

QString CurrentFolder()
{
    QByteArray buffer(4096, '\0');
    while (::getcwd(buffer.data(), size_t(buffer.size())) == nullptr) {
        if (errno != ERANGE)
            return QString();
        buffer.resize(buffer.size() * 2);
    }
    return withSlash(DecodeFileName(QByteArray(buffer.constData())));
}

bool SetCurrentFolder(const QString& path)
{
    return !path.isEmpty() && ::chdir(EncodeFileName(path).constData()) == 0;
}

QString TempFolder()
{
    const QString fromEnvironment = DecodeFileName(qgetenv("TMPDIR"));
    return withSlash(IsFolder(fromEnvironment) ? fromEnvironment : QStringLiteral("/tmp"));
}

QString CreateTempFile(const QString& folder, const QString& prefix, int* error)
{
    const QString stem = prefix.left(3);
    if (stem.contains(u'/') || stem == u".." || stem == u".") {
        *error = EINVAL;
        return QString();
    }
    // Unique numbers 1..0xFFFF from a random start, as many as there are before giving up.
    const quint32 start = QRandomGenerator::global()->bounded(1u, 0x10000u);
    for (quint32 k = 0; k < 0xFFFF; ++k) {
        const quint32 unique = (start + k - 1) % 0xFFFF + 1;
        const QString path = withSlash(folder) + stem + QStringLiteral("%1.TMP").arg(unique, 4, 16, QChar(u'0')).toUpper();
        const int fd = ::open(EncodeFileName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST) {
            *error = errno;
            return QString();
        }
    }
    *error = EEXIST;
    return QString();
}

QString SearchPath(const QString& name)
{
    if (name.isEmpty())
        return QString();
    if (name.contains(u'/')) {
        const QString path = name.startsWith(u'/') ? name : CurrentFolder() + name;
        return isRegularFile(path) ? path : QString();
    }
    QStringList folders;
    if (QCoreApplication::instance())
        folders << QCoreApplication::applicationDirPath();
    folders << CurrentFolder();
    folders << DecodeFileName(qgetenv("PATH")).split(u':', Qt::SkipEmptyParts);
    for (const QString& folder : folders) {
        const QString path = withSlash(folder) + name;
        if (isRegularFile(path))
            return path;
    }
    return QString();
}

} // namespace platform::fs
