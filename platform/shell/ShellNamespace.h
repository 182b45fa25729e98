#pragma once

#include "platform/shell/ItemIdList.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace platform {

// The shell namespace on Linux: Desktop → Home, Computer (local volumes), Network (network mounts),
// Trash, Control Panel (settings launchers) and the files of the XDG Desktop folder. Folders and
// files below a volume or Home are file-system entries named by their bytes.
class ShellNamespace {
public:
    // The parsing names of the virtual folders.
    static const QString ComputerParsingName;
    static const QString NetworkParsingName;
    static const QString TrashParsingName;
    static const QString ControlPanelParsingName;

    static ItemIdList specialFolder(int csidl);
    // A parsing name (absolute path of an existing item, or a virtual folder's "::{…}") to a list.
    static ItemIdList parse(const QString& text);
    // The list of an absolute path, whether the item exists or not (Computer → volume → names).
    static ItemIdList listForPath(const QByteArray& absolutePath);

    // File-system path of a list (no trailing separator); empty for virtual items.
    static QByteArray pathBytes(const ItemIdList& list);
    static QString path(const ItemIdList& list);
    // The name of the list's last item; flags: 0 normal, 1 in-folder, 0x8000 for parsing.
    static QString displayName(const ItemIdList& list, quint32 flags);
    // Desktop's name, then each item's in-folder name, each followed by "\".
    static QString hierarchyText(const ItemIdList& list);
    // For an absolute path of an existing folder: the hierarchy text of its volume followed by the
    // rest of the path (separators as "\"); "" otherwise.
    static QString hierarchyTextOfPath(const QString& path);

    // The children of a folder as one-item lists; flags SHCONTF_*. ok is false when the folder
    // cannot be listed.
    static QList<ItemIdList> enumerate(const ItemIdList& folder, quint32 flags, bool* ok = nullptr);
    static bool canEnumerate(const ItemIdList& folder);
    // The child whose normal display name equals name, letter case ignored; null when none.
    static ItemIdList childByName(const ItemIdList& folder, const QString& name);
    // The shell's order of two children (one-item lists) of a folder: <0, 0, >0.
    static int compare(const ItemIdList& folder, const ItemIdList& a, const ItemIdList& b);

    // Shell attribute flags (SFGAO_*) of an item; only the bits in mask are worked out.
    static quint32 attributes(const ItemIdList& list, quint32 mask = 0xFFFFFFFF);
    static quint32 attributesOfPath(const QByteArray& path, quint32 mask = 0xFFFFFFFF);

    static QByteArray desktopFolder();
    static QByteArray homeFolder();
};

} // namespace platform
