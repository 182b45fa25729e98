#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>

namespace platform {

// One item in a trash folder, with what its .trashinfo says.
struct TrashEntry {
    QByteArray filePath;       // the item inside <trash>/files
    QByteArray infoPath;       // <trash>/info/<name>.trashinfo
    QByteArray originalPath;   // absolute
    QDateTime deletionDate;
};

// The freedesktop Trash: the home trash for items on the home trash's file system, a per-volume
// trash ($topdir/.Trash/$uid or $topdir/.Trash-$uid) for the others.
class Trash {
public:
    enum class Outcome { Trashed, NoTrash, Failed };

    static QByteArray homeTrash();
    // Moves an item (never following a link) into its trash; error holds errno on Failed.
    static Outcome moveToTrash(const QByteArray& path, int* error, TrashEntry* entry = nullptr);
    static QList<TrashEntry> entries();
    static bool isEmpty();
    // Reads the info file that belongs to an item inside a trash "files" folder.
    static TrashEntry entryFor(const QByteArray& filePath);
    // Puts an item back where it came from; fails with EEXIST when something is there now.
    static int restore(const TrashEntry& entry);
    // Removes everything in every trash; errno of the first failure, 0 when all went.
    static int empty();

    static QByteArray encodeInfoPath(const QByteArray& path);
    static QByteArray decodeInfoPath(const QByteArray& text);
};

} // namespace platform
