#include "platform/core/MountTable.h"

#include "platform/core/FileName.h"
#include "platform/core/FileSystem.h"

#include <QMutex>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace platform {

// mountinfo writes a space, tab, newline and backslash in a path as \040, \011, \012 and \134.
QByteArray UnescapeMountField(const QByteArray& field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const auto isOctal = [&](qsizetype k) { return field.at(k) >= '0' && field.at(k) <= '7'; };
        const bool octal = field.at(i) == '\\' && i + 3 < field.size() && isOctal(i + 1) && isOctal(i + 2)
                           && isOctal(i + 3);
        if (octal) {
            out += char((field.at(i + 1) - '0') * 64 + (field.at(i + 2) - '0') * 8 + (field.at(i + 3) - '0'));
            i += 3;
        } else {
            out += field.at(i);
        }
    }
    return out;
}

namespace {

QStringList parseMountInfo(const QByteArray& content)
{
    QStringList points;
    for (const QByteArray& line : content.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() > 4)
            points << DecodeFileName(UnescapeMountField(fields.at(4)));
    }
    if (!points.contains(QStringLiteral("/")))
        points << QStringLiteral("/");
    return points;
}

class MountCache {
public:
    QStringList points()
    {
        QMutexLocker lock(&m_mutex);
        refresh();
        return m_points;
    }
    QByteArray text()
    {
        QMutexLocker lock(&m_mutex);
        refresh();
        return m_text;
    }

private:
    void refresh()
    {
        if (m_fd < 0)
            m_fd = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
        if (!m_valid || changed()) {
            m_text = fs::ReadFile(QStringLiteral("/proc/self/mountinfo")).value_or(QByteArray());
            m_points = parseMountInfo(m_text);
            m_valid = m_fd >= 0;
        }
    }

    // The kernel flags the open file with POLLPRI once after every change of the table.
    bool changed()
    {
        if (m_fd < 0)
            return true;
        pollfd watch{m_fd, POLLPRI, 0};
        return ::poll(&watch, 1, 0) > 0;
    }

    QMutex m_mutex;
    int m_fd = -1;
    bool m_valid = false;
    QByteArray m_text;
    QStringList m_points;
};

MountCache& cache()
{
    static MountCache instance;
    return instance;
}

} // namespace

QStringList MountPoints()
{
    return cache().points();
}

QByteArray MountInfoText()
{
    return cache().text();
}

QString MountPointOf(const QString& path)
{
    if (!path.startsWith(u'/'))
        return QString();
    QString best = QStringLiteral("/");
    for (const QString& point : MountPoints()) {
        const bool holds = path == point || path.startsWith(point + u'/');
        if (holds && point.size() > best.size())
            best = point;
    }
    return best == u"/" ? best : best + u'/';
}

bool IsMountPoint(const QString& path)
{
    QString stripped = path;
    while (stripped.size() > 1 && stripped.endsWith(u'/'))
        stripped.chop(1);
    return stripped.startsWith(u'/') && MountPoints().contains(stripped);
}

} // namespace platform
