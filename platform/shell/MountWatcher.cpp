#include "platform/shell/MountWatcher.h"

#include "platform/core/FileName.h"

#include "platform/shell/ShellTypes.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

namespace platform {

MountWatcher::MountWatcher(Sink sink) : m_sink(std::move(sink))
{
    m_known = VolumeTable::read();
    const QString source = VolumeTable::sourceFile();
    if (source.startsWith(QLatin1String("/proc/")))
        m_fd = ::open(EncodeFileName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (m_fd >= 0) {
        // The kernel flags the mount table as exceptional when it changes.
        m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Exception, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &MountWatcher::rescan);
    } else {
        m_poll = new QTimer(this);
        m_poll->setInterval(2000);
        connect(m_poll, &QTimer::timeout, this, &MountWatcher::rescan);
        m_poll->start();
    }
}

MountWatcher::~MountWatcher()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void MountWatcher::rescan()
{
    if (m_fd >= 0) {
        // Reading the table to its end clears the change flag.
        char buffer[16384];
        ::lseek(m_fd, 0, SEEK_SET);
        while (::read(m_fd, buffer, sizeof buffer) > 0) {
        }
    }
    const QList<Volume> now = VolumeTable::read();
    for (const Volume& old : m_known)
        if (!now.contains(old))
            m_sink(old.optical ? SHCNE_MEDIAREMOVED : SHCNE_DRIVEREMOVED, old);
    for (const Volume& fresh : now)
        if (!m_known.contains(fresh))
            m_sink(fresh.optical ? SHCNE_MEDIAINSERTED : SHCNE_DRIVEADD, fresh);
    m_known = now;
}

} // namespace platform
