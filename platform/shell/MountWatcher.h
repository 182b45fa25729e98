#pragma once

#include "platform/shell/VolumeTable.h"

#include <QList>
#include <QObject>

#include <functional>

class QSocketNotifier;
class QTimer;

namespace platform {

// Watches the mount table and reports volumes that came or went.
class MountWatcher : public QObject {
    Q_OBJECT
public:
    using Sink = std::function<void(quint32 event, const Volume& volume)>;
    explicit MountWatcher(Sink sink);
    ~MountWatcher() override;

    // Reads the table and reports the differences since the last reading.
    void rescan();

private:
    Sink m_sink;
    QList<Volume> m_known;
    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    QTimer* m_poll = nullptr;
};

} // namespace platform
