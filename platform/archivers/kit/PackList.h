#pragma once

#include <QByteArray>
#include <QList>
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

// After a move: removes the packed files, then the folders left empty, deepest first.
void removePackedSources(const QList<PackItem>& items);

} // namespace arckit
