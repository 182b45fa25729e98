#include "platform/registry/HiveFile.h"

#include "platform/registry/HiveText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::registry {
namespace {

// Holds an exclusive lock on the hive's lock file for as long as it lives.
class LockGuard {
public:
    explicit LockGuard(const QString& path)
    {
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd >= 0)
            while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) { }
    }
    ~LockGuard()
    {
        if (m_fd >= 0)
            ::close(m_fd); // closing releases the lock
    }
    bool locked() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

HiveFile::HiveFile(QString path, QString rootName, bool writable, mode_t fileMode)
    : m_path(std::move(path))
    , m_rootName(std::move(rootName))
    , m_writable(writable)
    , m_fileMode(fileMode)
{
}

HiveFile::Stamp HiveFile::stampOnDisk() const
{
    struct stat st {};
    if (::stat(QFile::encodeName(m_path).constData(), &st) != 0)
        return {};
    return {st.st_dev, st.st_ino, st.st_size, qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

void HiveFile::reloadIfChanged()
{
    const Stamp now = stampOnDisk();
    if (m_loaded && now == m_stamp)
        return;
    m_loaded = true;
    m_stamp = now;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_data = HiveData();
        return;
    }
    const QByteArray text = file.readAll();
    HiveParse parsed = parseHiveText(text, m_rootName);
    m_data = std::move(parsed.data);
    if (parsed.damagedLine) {
        // Keep the damaged original for the user; the next write stores what could be read.
        const QString keep = m_path + QStringLiteral(".damaged");
        QFile::remove(keep);
        QFile::copy(m_path, keep);
        qWarning("Registry file %s is damaged at line %d; read as far as it parses, the original is kept as %s",
                 qPrintable(m_path), parsed.damagedLine, qPrintable(keep));
    }
}

HiveData HiveFile::snapshot()
{
    QMutexLocker lock(&m_mutex);
    reloadIfChanged();
    return m_data;
}

LONG HiveFile::update(const std::function<LONG(HiveData&)>& change)
{
    QMutexLocker lock(&m_mutex);
    if (!m_writable)
        return ERROR_ACCESS_DENIED;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    LockGuard fileLock(m_path + QStringLiteral(".lock"));
    if (!fileLock.locked())
        return ERROR_ACCESS_DENIED;
    reloadIfChanged();
    HiveData changed = m_data;
    const LONG result = change(changed);
    if (result != ERROR_SUCCESS || changed == m_data)
        return result;
    if (!store(changed))
        return ERROR_ACCESS_DENIED;
    m_data = std::move(changed);
    m_stamp = stampOnDisk();
    return ERROR_SUCCESS;
}

bool HiveFile::store(const HiveData& data)
{
    const QString temp = m_path + QStringLiteral(".tmp.%1").arg(::getpid());
    const QByteArray tempName = QFile::encodeName(temp);
    const int fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, m_fileMode);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, hiveText(data, m_rootName)) && ::fsync(fd) == 0;
    ::close(fd);
    if (!written || ::rename(tempName.constData(), QFile::encodeName(m_path).constData()) != 0) {
        ::unlink(tempName.constData());
        return false;
    }
    syncFolder(QFileInfo(m_path).absolutePath());
    return true;
}

} // namespace platform::registry
