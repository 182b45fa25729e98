#pragma once

#include "platform/shell/ItemIdList.h"

#include <QString>

class KeyedImageList;

// Shell icons in a keyed image list: each icon is kept once, under its system image list index
// followed by "A", so every file of one type shares one picture.
namespace mmShellIcon {

enum IconFlags : quint32 { SHGFI_SMALLICON = 0x1, SHGFI_OPENICON = 0x2, SHGFI_USEFILEATTRIBUTES = 0x10 };

// The position of the icon of a path in the list, added when the list does not hold it yet; small
// pictures with SHGFI_SMALLICON or for a list of 16 pixels or less. SHGFI_USEFILEATTRIBUTES: by the name alone (the file
// need not exist); SHGFI_OPENICON: a folder's open picture. 0 on failure.
int IconIntoImageList(KeyedImageList& list, const QString& path, quint32 flags = 0);
int IconIntoImageList(KeyedImageList& list, const platform::ItemIdList& item, quint32 flags = 0);

} // namespace mmShellIcon
