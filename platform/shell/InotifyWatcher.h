#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <functional>

class QSocketNotifier;

namespace platform {

// Watches folders with inotify and reports what other programs change in them as SHCNE_* events
// with the paths they name. inotify misses changes made on another machine (NFS, SMB) and is
// unavailable when the user's instance or watch limit is spent, so every watched folder's stamp is
// also checked every two seconds: a folder that changed without a word from inotify is reported as
// SHCNE_UPDATEDIR.
class InotifyWatcher : public QObject {
    Q_OBJECT
public:
    using Sink = std::function<void(quint32 event, const QByteArray& path1, const QByteArray& path2)>;
    explicit InotifyWatcher(Sink sink);
    ~InotifyWatcher() override;

    bool isValid() const { return m_fd >= 0; }
    static constexpr int PollInterval = 2000;
    void watch(const QByteArray& path);
    void unwatch(const QByteArray& path);
    bool isWatched(const QByteArray& path) const { return m_counts.contains(path); }

private:
    // What changes in a folder's own inode when entries come, go or are renamed.
    struct Stamp {
        qint64 inode = -1, mtimeNs = 0, ctimeNs = 0;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const QByteArray& path);
    void readEvents();
    void pollStamps();

    Sink m_sink;
    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    QHash<QByteArray, int> m_counts;      // path → number of watchers
    QHash<QByteArray, int> m_byPath;      // path → watch descriptor
    QHash<int, QByteArray> m_byWatch;     // watch descriptor → path
    QHash<QByteArray, Stamp> m_stamps;    // path → stamp at the last check
    QSet<QByteArray> m_heard;             // folders inotify spoke of since the last check
    QTimer m_poll;
};

} // namespace platform
