#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The file services the common library stands on, as POSIX calls with our file-name encoding
// (FileName.h). Errors come back as errno values where a caller can use them.
namespace platform::fs {

// The item exists (a dangling symbolic link counts as an item that is no folder).
bool Exists(const QString& path);
// The path names a folder, following symbolic links.
bool IsFolder(const QString& path);

// The whole content, or nothing when the file cannot be opened or read.
std::optional<QByteArray> ReadFile(const QString& path);
// Creates or empties the file and writes the bytes; false on any error, also on a late one from close.
bool WriteFile(const QString& path, const QByteArray& bytes);

// The current folder with a trailing "/".
QString CurrentFolder();
bool SetCurrentFolder(const QString& path);

// $TMPDIR when it names a folder, else /tmp, with a trailing "/".
QString TempFolder();
// Creates a new empty file folder + prefix (up to three characters) + four hex digits + ".TMP",
// never replacing an existing one. Empty, with *error set, on failure.
QString CreateTempFile(const QString& folder, const QString& prefix, int* error);

// The full path of a file found by name: in the program's folder, the current folder, then on
// $PATH. A name with a "/" is looked up as it stands. Empty when not found.
QString SearchPath(const QString& name);

} // namespace platform::fs
