#include "platform/archivers/kit/PackList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace arckit {
namespace {

PackItem itemFor(const QFileInfo& info, const QString& base)
{
    PackItem item;
    item.path = info.filePath();
    item.folder = info.isDir() && !info.isSymLink();
    item.size = item.folder ? 0 : info.size();
    item.mtime = info.lastModified().toSecsSinceEpoch();
    item.mode = quint32(info.permissions());
    QString member = info.filePath().mid(base.size());
    while (member.startsWith(QLatin1Char('/')))
        member.remove(0, 1);
    item.member = member.toUtf8() + (item.folder ? "/" : "");
    return item;
}

void walk(const QString& folder, const QString& base, bool recurse, bool hidden, QList<PackItem>& out)
{
    QDir::Filters filters = QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot;
    if (hidden)
        filters |= QDir::Hidden | QDir::System;
    for (const QFileInfo& entry : QDir(folder).entryInfoList(filters, QDir::Name)) {
        if (!hidden && entry.fileName().startsWith(QLatin1Char('.')))
            continue;
        if (entry.isDir() && !entry.isSymLink()) {
            if (!recurse)
                continue;
            out << itemFor(entry, base);
            walk(entry.filePath(), base, recurse, hidden, out);
        } else if (entry.isFile()) {
            out << itemFor(entry, base);
        }
    }
}

} // namespace

QList<PackItem> collectPackItems(const QString& baseFolder, const QStringList& names, bool recurse, bool hidden)
{
    QString base = baseFolder;
    base.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    QList<PackItem> found;
    for (QString name : names) {
        name.replace(QLatin1Char('\\'), QLatin1Char('/'));
        while (name.endsWith(QLatin1Char('/')))
            name.chop(1);
        if (name.endsWith(QLatin1String("/*.*")))
            name.chop(4);
        const QFileInfo info(base + name);
        // Names climbing out of the base folder are not packed.
        if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.split(QLatin1Char('/')).contains(QStringLiteral("..")))
            continue;
        if (info.isDir() && !info.isSymLink()) {
            found << itemFor(info, base);
            walk(info.filePath(), base, recurse, hidden, found);
        } else if (info.isFile()) {
            found << itemFor(info, base);
        }
    }
    return uniqueMembers(found);
}

void removePackedSources(const QList<PackItem>& items)
{
    for (const PackItem& item : items)
        if (!item.folder)
            QFile::remove(item.path);
    for (auto it = items.crbegin(); it != items.crend(); ++it)
        if (it->folder)
            QDir().rmdir(it->path);
}

} // namespace arckit
