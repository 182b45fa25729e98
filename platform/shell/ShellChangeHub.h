#pragma once

#include "platform/shell/ItemIdList.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>

#include <memory>

namespace platform {

class InotifyWatcher;
class MountWatcher;

// One change in the namespace: an SHCNE_* event and the one or two items it names.
struct ShellChange {
    quint32 event = 0;
    ItemIdList item1;
    ItemIdList item2;
};

// Where the shell's change notifications come from: our own file operations, inotify on the
// folders that views and trees show, and the mount table. Changes are posted, so listeners get
// them on the UI thread from the event loop, as window messages would arrive.
class ShellChangeHub : public QObject {
    Q_OBJECT
public:
    static ShellChangeHub& instance();
    ~ShellChangeHub() override;

    void notify(quint32 event, const ItemIdList& item1, const ItemIdList& item2 = {});
    void notifyPaths(quint32 event, const QByteArray& path1, const QByteArray& path2 = {});

    // Registration: the handle is never 0. The first registration starts the watchers.
    quint32 registerClient();
    bool deregisterClient(quint32 handle);
    int clientCount() const { return int(m_clients.size()); }

    // Folders whose changes by other programs are wanted; counted, so each watch needs its unwatch.
    void watchFolder(const QByteArray& path);
    void unwatchFolder(const QByteArray& path);
    bool isWatched(const QByteArray& path) const;
    // Reads the mount table now and announces drives that came or went.
    void rescanMounts();

signals:
    void changed(const platform::ShellChange& change);

private:
    ShellChangeHub();
    void start();

    QList<quint32> m_clients;
    quint32 m_nextHandle = 1;
    std::unique_ptr<InotifyWatcher> m_inotify;
    std::unique_ptr<MountWatcher> m_mounts;
};

} // namespace platform

Q_DECLARE_METATYPE(platform::ShellChange)
