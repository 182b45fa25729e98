#include "platform/shell/SystemImageIndex.h"

#include <QHash>
#include <QList>
#include <QMutex>

namespace platform {
namespace {

struct Entry {
    QString name;
    QString generic;
};

struct Table {
    QMutex lock;
    QList<Entry> entries;
    QHash<QString, int> byName;

    Table()
    {
        const char* fixed[][2] = {
            {"unknown", "text-x-generic"}, {"text-x-generic", "text-x-generic"},
            {"application-x-executable", "application-x-executable"}, {"folder", "folder"},
            {"folder-open", "folder"}, {"media-floppy", "drive-removable-media"},
            {"media-floppy", "drive-removable-media"}, {"drive-removable-media", "drive-harddisk"},
            {"drive-harddisk", "drive-harddisk"}, {"folder-remote", "folder"},
            {"network-offline", "folder-remote"}, {"drive-optical", "drive-removable-media"},
            {"drive-harddisk", "drive-harddisk"}, {"network-workgroup", "network-server"},
            {"network-server", "computer"}, {"computer", "computer"}, {"user-desktop", "folder"},
            {"user-home", "folder"}, {"user-trash", "user-trash"}, {"user-trash-full", "user-trash"},
            {"preferences-system", "preferences-system"},
        };
        for (const auto& f : fixed) {
            const QString name = QString::fromLatin1(f[0]);
            if (!byName.contains(name))
                byName.insert(name, int(entries.size()));
            entries.append({name, QString::fromLatin1(f[1])});
        }
    }
};

Table& table()
{
    static Table t;
    return t;
}

} // namespace

int SystemImageIndex::indexOf(const QString& iconName, const QString& generic)
{
    Table& t = table();
    QMutexLocker hold(&t.lock);
    const auto found = t.byName.constFind(iconName);
    if (found != t.byName.constEnd())
        return *found;
    const int index = int(t.entries.size());
    t.entries.append({iconName, generic.isEmpty() ? QStringLiteral("text-x-generic") : generic});
    t.byName.insert(iconName, index);
    return index;
}

QString SystemImageIndex::iconName(int index)
{
    Table& t = table();
    QMutexLocker hold(&t.lock);
    return index >= 0 && index < t.entries.size() ? t.entries[index].name : QString();
}

QString SystemImageIndex::genericName(int index)
{
    Table& t = table();
    QMutexLocker hold(&t.lock);
    return index >= 0 && index < t.entries.size() ? t.entries[index].generic : QString();
}

int SystemImageIndex::count()
{
    Table& t = table();
    QMutexLocker hold(&t.lock);
    return int(t.entries.size());
}

} // namespace platform
