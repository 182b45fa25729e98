#include "platform/shell/InotifyWatcher.h"

#include "platform/shell/ShellTypes.h"

#include <QSocketNotifier>

#include <cerrno>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr uint32_t Mask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB | IN_CLOSE_WRITE
    | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

struct Pending {
    uint32_t cookie;
    QByteArray path;
    bool folder;
};

} // namespace

InotifyWatcher::InotifyWatcher(Sink sink) : m_sink(std::move(sink))
{
    m_poll.setInterval(PollInterval);
    connect(&m_poll, &QTimer::timeout, this, &InotifyWatcher::pollStamps);
    m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd < 0)
        return;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &InotifyWatcher::readEvents);
}

InotifyWatcher::~InotifyWatcher()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void InotifyWatcher::watch(const QByteArray& path)
{
    if (path.isEmpty())
        return;
    if (m_counts[path]++ > 0)
        return;
    m_stamps.insert(path, stampOf(path));
    m_poll.start();
    if (m_fd < 0)
        return;
    const int wd = ::inotify_add_watch(m_fd, path.constData(), Mask);
    if (wd < 0)
        return;
    m_byPath.insert(path, wd);
    m_byWatch.insert(wd, path);
}

void InotifyWatcher::unwatch(const QByteArray& path)
{
    auto count = m_counts.find(path);
    if (count == m_counts.end() || --*count > 0)
        return;
    m_counts.erase(count);
    m_stamps.remove(path);
    if (m_counts.isEmpty())
        m_poll.stop();
    const int wd = m_byPath.take(path);
    if (wd <= 0)
        return;
    // Another watched path may share the descriptor (a link to the same folder).
    const QByteArray other = m_byPath.key(wd);
    if (!other.isEmpty()) {
        m_byWatch.insert(wd, other);
        return;
    }
    m_byWatch.remove(wd);
    ::inotify_rm_watch(m_fd, wd);
}

InotifyWatcher::Stamp InotifyWatcher::stampOf(const QByteArray& path)
{
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        return {};
    return {qint64(st.st_ino), st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec,
            st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec};
}

void InotifyWatcher::pollStamps()
{
    if (m_fd >= 0)
        readEvents();   // what inotify already queued counts as heard
    for (auto it = m_stamps.begin(); it != m_stamps.end(); ++it) {
        const Stamp now = stampOf(it.key());
        if (now == it.value())
            continue;
        const bool gone = now.inode < 0;
        it.value() = now;
        if (!m_heard.contains(it.key()))
            m_sink(gone ? SHCNE_RMDIR : SHCNE_UPDATEDIR, it.key(), {});
    }
    m_heard.clear();
}

void InotifyWatcher::readEvents()
{
    alignas(inotify_event) char buffer[64 * 1024];
    QList<Pending> movedFrom;
    while (true) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (ssize_t at = 0; at < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + e->len);
            const QByteArray folder = m_byWatch.value(e->wd);
            if (folder.isEmpty())
                continue;
            if (e->mask & IN_IGNORED)
                continue;
            m_heard.insert(folder);
            const QByteArray path = e->len ? (folder == "/" ? QByteArray() : folder) + '/' + QByteArray(e->name) : folder;
            const bool isDir = e->mask & IN_ISDIR;
            if (e->mask & IN_MOVED_FROM) {
                movedFrom.append({e->cookie, path, isDir});
            } else if (e->mask & IN_MOVED_TO) {
                const auto from = std::find_if(movedFrom.begin(), movedFrom.end(), [&](const Pending& p) { return p.cookie == e->cookie; });
                if (from != movedFrom.end()) {
                    m_sink(isDir ? SHCNE_RENAMEFOLDER : SHCNE_RENAMEITEM, from->path, path);
                    movedFrom.erase(from);
                } else {
                    m_sink(isDir ? SHCNE_MKDIR : SHCNE_CREATE, path, {});
                }
            } else if (e->mask & IN_CREATE) {
                m_sink(isDir ? SHCNE_MKDIR : SHCNE_CREATE, path, {});
            } else if (e->mask & IN_DELETE) {
                m_sink(isDir ? SHCNE_RMDIR : SHCNE_DELETE, path, {});
            } else if (e->mask & (IN_DELETE_SELF | IN_MOVE_SELF)) {
                m_sink(SHCNE_RMDIR, folder, {});
            } else if (e->mask & IN_ATTRIB) {
                m_sink(SHCNE_ATTRIBUTES, path, {});
            } else if (e->mask & IN_CLOSE_WRITE) {
                m_sink(SHCNE_UPDATEITEM, path, {});
            }
        }
    }
    // A move out of every watched folder is a removal as far as the views can tell.
    for (const Pending& p : movedFrom)
        m_sink(p.folder ? SHCNE_RMDIR : SHCNE_DELETE, p.path, {});
}

} // namespace platform
