#include "common/mmFile.h"

#include "platform/core/CodePage.h"
#include "platform/core/FileSystem.h"
#include "platform/core/MountTable.h"
#include "platform/core/ProfileFile.h"
#include "platform/core/SystemFolders.h"

#include <QStringList>

#include <cerrno>

namespace mmFile {

namespace {

const QString kDriveMark = QStringLiteral(":\\");
const QString kUncMark = QStringLiteral("\\\\");

bool isPosixPath(const QString& text)
{
    return text.startsWith(u'/');
}

void setError(int* error, int value)
{
    if (error)
        *error = value;
}

bool startsWithUpper(const QString& text, const char* prefix)
{
    return text.startsWith(QLatin1String(prefix), Qt::CaseInsensitive);
}

} // namespace

bool IsFolder(const QString& path)
{
    return platform::fs::IsFolder(path);
}

bool IsFile(const QString& path)
{
    return platform::fs::Exists(path) && !platform::fs::IsFolder(path);
}

bool IsDrivePath(const QString& text)
{
    return QStringView(text).mid(1, 2) == kDriveMark || isPosixPath(text);
}

bool IsDriveRoot(const QString& text)
{
    return text.endsWith(kDriveMark) || (isPosixPath(text) && platform::IsMountPoint(text));
}

bool IsDriveSubfolder(const QString& text)
{
    return IsDrivePath(text) && !IsDriveRoot(text);
}

bool IsUncPath(const QString& text)
{
    return text.startsWith(kUncMark);
}

bool IsUncServer(const QString& text)
{
    if (!IsUncPath(text))
        return false;
    const qsizetype slash = text.indexOf(u'\\', 2);
    return slash < 0 || slash == text.size() - 1;
}

bool IsUncBelowServer(const QString& text)
{
    return IsUncPath(text) && !IsUncServer(text);
}

bool IsHttpUrl(const QString& text)
{
    return startsWithUpper(text, "http://");
}

bool IsFtpUrl(const QString& text)
{
    return startsWithUpper(text, "ftp://") || (startsWithUpper(text, "ftp") && text.contains(u'.'));
}

bool IsUrlShortcut(const QString& name)
{
    return name.endsWith(QLatin1String(".url"), Qt::CaseInsensitive);
}

bool IsArchiveName(const QString& name)
{
    static const QStringList extensions{"ZIP", "ARJ", "RAR", "LZH", "CAB", "ACE", "TAR", "TGZ", "BZ2", "GZ", "Z"};
    return extensions.contains(Extension(name), Qt::CaseInsensitive);
}

bool IsHtmlName(const QString& name)
{
    return name.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive)
           || name.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
}

QString Separator(const QString& path)
{
    if (isPosixPath(path))
        return QStringLiteral("/");
    if (path.contains(u'\\'))
        return QStringLiteral("\\");
    if (path.contains(u'/'))
        return QStringLiteral("/");
    return QString();
}

QString StripTrailingSeparator(const QString& path)
{
    const QString sep = Separator(path);
    const bool root = QStringView(path).mid(1) == kDriveMark || path == kUncMark || path == u"/";
    if (sep.isEmpty() || root || !path.endsWith(sep))
        return path;
    return path.left(path.size() - 1);
}

QString AddTrailingSeparator(const QString& path)
{
    const QString sep = Separator(path);
    if (sep.isEmpty() || path.endsWith(sep))
        return path;
    return path + sep;
}

QString ParentPart(const QString& path)
{
    const QString sep = Separator(path);
    const qsizetype last = sep.isEmpty() ? -1 : path.lastIndexOf(sep);
    return last < 0 ? path : path.left(last + 1);
}

QString LastPart(const QString& path)
{
    const QString sep = Separator(path);
    const qsizetype last = sep.isEmpty() ? -1 : path.lastIndexOf(sep);
    return last < 0 ? path : path.mid(last + 1);
}

QString BaseName(const QString& path)
{
    const QString last = LastPart(path);
    const qsizetype dot = last.lastIndexOf(u'.');
    return dot < 0 ? last : last.left(dot);
}

QString Extension(const QString& path)
{
    const QString stripped = StripTrailingSeparator(path);
    const qsizetype dot = stripped.lastIndexOf(u'.');
    return dot < 0 ? QString() : stripped.mid(dot + 1);
}

QString CutAtNul(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QString SingleQuoted(const QString& text)
{
    return u'\'' + text + u'\'';
}

QString QuoteIfSpaced(const QString& text)
{
    const bool spaced = text.contains(u' ') || text.contains(u',');
    if (spaced && !text.startsWith(u'"') && !text.endsWith(u'"'))
        return u'"' + text + u'"';
    return text;
}

QString LastWord(const QString& text)
{
    return text.isEmpty() ? QString() : text.split(u' ').constLast();
}

QString CompactPath(const QString& path, int maxLen)
{
    if (path.size() < maxLen)
        return path;
    const QString sep = Separator(path);
    const QString suffix = !sep.isEmpty() && path.endsWith(sep) ? sep : QString();
    const QString stripped = StripTrailingSeparator(path);
    if (sep.isEmpty() || stripped.size() <= maxLen)
        return stripped + suffix;
    const QStringList parts = stripped.split(sep);
    const qsizetype n = parts.size() - 1;
    if (n <= 3)
        return stripped + suffix;
    if (n == 4)
        return QStringList{parts[0], parts[1], "...", parts[3], parts[4]}.join(sep) + suffix;
    QString head = parts[0] + sep + parts[1];
    QString tail = parts[n - 1] + sep + parts[n];
    qsizetype i = 2;
    qsizetype j = n - 2;
    qsizetype taken = 4;
    while (i < j) {
        const qsizetype both = head.size() + tail.size() + parts[i].size() + parts[j].size() + 2;
        if (both < maxLen) {
            head += sep + parts[i++];
            tail = parts[j--] + sep + tail;
            taken += 2;
        } else if (head.size() + tail.size() + parts[i].size() + 1 < maxLen) {
            head += sep + parts[i];
            ++taken;
            break;
        } else if (head.size() + tail.size() + parts[j].size() + 1 < maxLen) {
            tail = parts[j] + sep + tail;
            ++taken;
            break;
        } else {
            break;
        }
    }
    const bool leftOut = taken < parts.size();
    return head + sep + (leftOut ? QStringLiteral("...") + sep : QString()) + tail + suffix;
}

QString DriveRootOf(const QString& path)
{
    if (isPosixPath(path))
        return platform::MountPointOf(path);
    if (QStringView(path).mid(1, 2) == kDriveMark)
        return path.left(3);
    return QString();
}

QString WindowsFolder(int* error)
{
    static const QString folder = platform::WindowsFolder();
    setError(error, 0);
    return folder;
}

QString SystemFolder(int* error)
{
    static const QString folder = platform::SystemFolder();
    setError(error, folder.isEmpty() ? ENOENT : 0);
    return folder;
}

QString TempFolder(int* error)
{
    setError(error, 0);
    return platform::fs::TempFolder();
}

QString TempFileName(const QString& folder, const QString& prefix, int* error)
{
    setError(error, 0);
    if (!IsFolder(folder))
        return QString();
    int failure = 0;
    const QString path = platform::fs::CreateTempFile(folder, prefix, &failure);
    setError(error, failure);
    return path;
}

QString ShortPath(const QString& path)
{
    return path;
}

QString FindOnSearchPath(const QString& name)
{
    return platform::fs::SearchPath(name);
}

bool IsOnSearchPath(const QString& name)
{
    return !FindOnSearchPath(name).isEmpty();
}

void SetCurrentFolder(const QString& path)
{
    // There are no drive letters to switch to; a folder that cannot be entered is ignored.
    platform::fs::SetCurrentFolder(path);
}

QString CurrentFolderOf(const QString& path)
{
    Q_UNUSED(path) // one current folder for every "drive"
    return platform::fs::CurrentFolder();
}

QString AbsolutePath(const QString& path)
{
    const QString cur = CurrentFolderOf(path);
    if (path.isEmpty())
        return QString();
    if (isPosixPath(path))
        return path;
    const bool windows = path.contains(u'\\');
    if (windows && (IsUncPath(path) || IsDrivePath(path)))
        return path;
    if (windows && path.startsWith(u'\\')) {
        // The root of the current folder's drive: its letter, or the mount point holding it.
        return isPosixPath(cur) ? platform::MountPointOf(cur) + path.mid(1) : cur.left(2) + path;
    }
    const QString sep = windows ? QStringLiteral("\\") : QStringLiteral("/");
    if (path.startsWith(u'.' + sep))
        return cur + path.mid(2);
    if (path.startsWith(QStringLiteral("..") + sep))
        return ParentPart(StripTrailingSeparator(cur)) + path.mid(3);
    return cur + path;
}

QString UrlOfShortcut(const QString& file)
{
    if (!IsUrlShortcut(file))
        return QString();
    return CutAtNul(platform::GetPrivateProfileString("InternetShortcut", "URL", QString(), file, 2047));
}

QString ReadTextFile(const QString& path)
{
    const std::optional<QByteArray> bytes = platform::fs::ReadFile(path);
    if (!bytes || bytes->isEmpty())
        return QString();
    const QString text = platform::TextOfCodePageBytes(*bytes);
    QString out;
    out.reserve(text.size() + 2);
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype cr = text.indexOf(u'\r', i);
        const qsizetype end = cr < 0 ? text.size() : cr;
        out += QStringView(text).mid(i, end - i);
        out += QStringLiteral("\r\n");
        i = end + 1;
        if (cr >= 0 && i < text.size() && text.at(i) == u'\n')
            ++i;
    }
    return out;
}

bool WriteTextFile(const QString& path, const QString& text)
{
    return platform::fs::WriteFile(path, platform::CodePageBytes(text) + "\r\n");
}

bool CanCreateFile(const QString& path)
{
    return platform::fs::WriteFile(path, QByteArray());
}

} // namespace mmFile
