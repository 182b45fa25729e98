#include "platform/shell/ShellChangeHub.h"

#include "platform/shell/InotifyWatcher.h"
#include "platform/shell/MountWatcher.h"
#include "platform/shell/ShellNamespace.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace platform {

ShellChangeHub& ShellChangeHub::instance()
{
    static ShellChangeHub* hub = new ShellChangeHub;   // lives as long as the process
    return *hub;
}

ShellChangeHub::ShellChangeHub()
{
    qRegisterMetaType<platform::ShellChange>();
    qRegisterMetaType<platform::ItemIdList>();
    if (QCoreApplication::instance())
        moveToThread(QCoreApplication::instance()->thread());
}

ShellChangeHub::~ShellChangeHub() = default;

void ShellChangeHub::start()
{
    if (!m_inotify)
        m_inotify = std::make_unique<InotifyWatcher>([this](quint32 event, const QByteArray& a, const QByteArray& b) {
            notifyPaths(event, a, b);
        });
    if (!m_mounts)
        m_mounts = std::make_unique<MountWatcher>([this](quint32 event, const Volume& volume) {
            notify(event, ShellNamespace::listForPath(volume.mountPoint));
        });
}

void ShellChangeHub::notify(quint32 event, const ItemIdList& item1, const ItemIdList& item2)
{
    const ShellChange change{event, item1, item2};
    // Posted, never sent: a listener runs from the event loop, after the caller's step is done.
    QMetaObject::invokeMethod(this, [this, change] { emit changed(change); }, Qt::QueuedConnection);
}

void ShellChangeHub::notifyPaths(quint32 event, const QByteArray& path1, const QByteArray& path2)
{
    notify(event, path1.isEmpty() ? ItemIdList() : ShellNamespace::listForPath(path1),
           path2.isEmpty() ? ItemIdList() : ShellNamespace::listForPath(path2));
}

quint32 ShellChangeHub::registerClient()
{
    start();
    const quint32 handle = m_nextHandle++;
    m_clients.append(handle);
    return handle;
}

bool ShellChangeHub::deregisterClient(quint32 handle)
{
    return handle != 0 && m_clients.removeOne(handle);
}

void ShellChangeHub::watchFolder(const QByteArray& path)
{
    start();
    m_inotify->watch(path);
}

void ShellChangeHub::unwatchFolder(const QByteArray& path)
{
    if (m_inotify)
        m_inotify->unwatch(path);
}

bool ShellChangeHub::isWatched(const QByteArray& path) const
{
    return m_inotify && m_inotify->isWatched(path);
}

void ShellChangeHub::rescanMounts()
{
    start();
    m_mounts->rescan();
}

} // namespace platform
