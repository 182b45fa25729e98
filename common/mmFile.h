#pragma once

#include <QString>

// Path, address and small text-file helpers. Windows-style texts ("C:\dir\", "\\server\share")
// follow the Windows rules; a text that starts with "/" is a POSIX path: it counts as a drive
// path, its separator is always "/", and its drive root is the mount point that holds it.
//
// The separator of any other text is "\" when it holds one, else "/" when it holds one, else
// there is none. None of these functions shows a message; the folder queries that can fail set
// *error to the system's error number (errno) and give an empty text.
namespace mmFile {

// Classification; only IsFolder, IsFile and IsDriveRoot of a POSIX path touch the file system.
bool IsFolder(const QString& path);
bool IsFile(const QString& path);
bool IsDrivePath(const QString& text);
bool IsDriveRoot(const QString& text);
bool IsDriveSubfolder(const QString& text);
bool IsUncPath(const QString& text);
bool IsUncServer(const QString& text);
bool IsUncBelowServer(const QString& text);
bool IsHttpUrl(const QString& text);
bool IsFtpUrl(const QString& text);
bool IsUrlShortcut(const QString& name);
bool IsArchiveName(const QString& name);
bool IsHtmlName(const QString& name);

// Path pieces.
QString Separator(const QString& path);
QString StripTrailingSeparator(const QString& path);
QString AddTrailingSeparator(const QString& path);
QString ParentPart(const QString& path);
QString LastPart(const QString& path);
QString BaseName(const QString& path);
// The text after the last "." anywhere in the path (not only in its last part).
QString Extension(const QString& path);
QString CutAtNul(const QString& text);
QString SingleQuoted(const QString& text);
QString QuoteIfSpaced(const QString& text);
QString LastWord(const QString& text);
// A display form of about maxLen characters with middle folders replaced by "...".
QString CompactPath(const QString& path, int maxLen);
// The drive root of a drive path: "C:\" for C:\dir\x, the mount point (with "/") for a POSIX path.
QString DriveRootOf(const QString& path);

// Folders and files.
QString WindowsFolder(int* error = nullptr);
QString SystemFolder(int* error = nullptr);
QString TempFolder(int* error = nullptr);
// Creates a new empty file in an existing folder and gives its path; empty when the folder does
// not exist (without an error) or the file cannot be made (with one).
QString TempFileName(const QString& folder, const QString& prefix, int* error = nullptr);
// Linux has no short names: the path itself.
QString ShortPath(const QString& path);
QString FindOnSearchPath(const QString& name);
bool IsOnSearchPath(const QString& name);
void SetCurrentFolder(const QString& path);
QString CurrentFolderOf(const QString& path);
QString AbsolutePath(const QString& path);
QString UrlOfShortcut(const QString& file);
// Every line of the file (lines end at a CR, optionally followed by LF), each followed by "\r\n";
// empty when the file cannot be read or holds no line.
QString ReadTextFile(const QString& path);
bool WriteTextFile(const QString& path, const QString& text);
bool CanCreateFile(const QString& path);

} // namespace mmFile
