#pragma once

#include "platform/shell/ItemIdList.h"

#include <QString>

namespace platform {

// Type names and icons of shell items: from the shared MIME database, by the name's extension as
// the shell does, or by content for files the extension says nothing about.
class FileTypes {
public:
    // The type name of an item; "" for a null list.
    static QString typeName(const ItemIdList& list);
    // The type name of a path; extensionOnly: the file need not exist.
    static QString typeNameOfPath(const QString& path, bool extensionOnly);
    // The system image list index of an item's icon; open: the "open" picture of a folder.
    static int iconIndex(const ItemIdList& list, bool open = false);
    static int iconIndexOfPath(const QString& path, bool extensionOnly, bool open = false);
    static QString folderTypeName();
};

} // namespace platform
