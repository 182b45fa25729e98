#pragma once

// Real files and real mounts for the shell's tests.
#include "platform/core/FileName.h"
#include "tests/support/TestEnvironment.h"

#include <QByteArray>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace duopane::test {

inline QByteArray bytesOf(const QString& path)
{
    return platform::EncodeFileName(path);
}

inline bool writeBytes(const QByteArray& path, const QByteArray& data, mode_t mode = 0644)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, mode);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, data.constData(), data.size()) == data.size();
    ::close(fd);
    return ok;
}

inline QByteArray readBytes(const QByteArray& path)
{
    QByteArray data;
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return QByteArray("<missing>");
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        data.append(buffer, n);
    ::close(fd);
    return data;
}

inline bool existsBytes(const QByteArray& path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

inline QByteArray pattern(qint64 size, char seed)
{
    QByteArray data(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        data[i] = char(seed + (i * 7) % 251);
    return data;
}

// Names of every entry below a folder that a half-done copy would leave (our temporary names).
inline QStringList leftovers(const QString& folder)
{
    QStringList found;
    QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (name.startsWith(QLatin1String(".dpx-")))
            found.append(name);
        if (QFileInfo(dir.filePath(name)).isDir())
            found += leftovers(dir.filePath(name));
    }
    return found;
}

// A small tmpfs of our own: a second file system that can fill up, appear and go away.
class TmpfsMount {
public:
    explicit TmpfsMount(const char* size = "16m")
        : m_dir(QDir::tempPath() + QStringLiteral("/mnt-XXXXXX"))
    {
        const QByteArray options = QByteArray("size=") + size;
        m_mounted = ::mount("none", bytesOf(m_dir.path()).constData(), "tmpfs", 0, options.constData()) == 0;
        if (!m_mounted)
            m_error = QString::fromLocal8Bit(std::strerror(errno));
    }
    ~TmpfsMount() { unmount(); }
    bool ok() const { return m_mounted; }
    QString error() const { return m_error; }
    QString path() const { return m_dir.path(); }
    void unmount()
    {
        if (m_mounted)
            ::umount2(bytesOf(m_dir.path()).constData(), MNT_DETACH);
        m_mounted = false;
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_error;
};

#define DUOPANE_NEED_TMPFS(mount)                                                                          \
    if (!(mount).ok())                                                                                     \
    GTEST_SKIP() << "cannot mount a tmpfs here (" << (mount).error().toStdString() << "); run as root to test this"

} // namespace duopane::test
