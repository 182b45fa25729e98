#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <ctime>

namespace arckit {

// A file or folder to pack, found from the names of a packing command.
struct PackItem {
    QString path;        // on disk
    QByteArray member;   // name in the archive, "/" separators, folders end with "/"
    bool folder = false;
    qint64 size = 0;
    std::time_t mtime = 0;
    quint32 mode = 0;
};

// Expands packing names relative to a base folder: files as they are, folders with their
// content (everything below them when recursing), hidden files only when asked.
QList<PackItem> collectPackItems(const QString& base, const QStringList& names, bool recurse, bool hidden);

// The items in their order, each member name once: a name given (or reached) twice is packed once.
template <typename Item> QList<Item> uniqueMembers(const QList<Item>& items)
{
    QList<Item> unique;
    QSet<QByteArray> seen;
    for (const Item& item : items)
        if (!seen.contains(item.member)) {
            seen.insert(item.member);
            unique << item;
        }
    return unique;
}

// After a move: removes the packed files, then the folders left empty, deepest first.
void removePackedSources(const QList<PackItem>& items);

} // namespace arckit
