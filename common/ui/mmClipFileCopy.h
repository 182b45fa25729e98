#pragma once

#include <QStringList>

// File lists on the clipboard, in the form the desktop's file managers exchange (text/uri-list and
// x-special/gnome-copied-files). Names are full paths; every character and byte of them survives.
namespace mmClipFileCopy {

// Empties the clipboard; nothing happens without one.
void ClearClipboard();
// Places the names on the clipboard as a file list to copy; true when the clipboard took it.
bool PutFilesOnClipboard(const QStringList& names);
// Fills names with the file list on the clipboard; the number of names, 0 (names untouched) when
// there is none.
int GetFilesFromClipboard(QStringList& names);

} // namespace mmClipFileCopy
