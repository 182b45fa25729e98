#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>

#include <functional>

class QSocketNotifier;

namespace platform {

// Watches folders with inotify and reports what other programs change in them as SHCNE_* events
// with the paths they name.
class InotifyWatcher : public QObject {
    Q_OBJECT
public:
    using Sink = std::function<void(quint32 event, const QByteArray& path1, const QByteArray& path2)>;
    explicit InotifyWatcher(Sink sink);
    ~InotifyWatcher() override;

    bool isValid() const { return m_fd >= 0; }
    void watch(const QByteArray& path);
    void unwatch(const QByteArray& path);
    bool isWatched(const QByteArray& path) const { return m_counts.contains(path); }

private:
    void readEvents();

    Sink m_sink;
    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    QHash<QByteArray, int> m_counts;      // path → number of watchers
    QHash<QByteArray, int> m_byPath;      // path → watch descriptor
    QHash<int, QByteArray> m_byWatch;     // watch descriptor → path
};

} // namespace platform
