#include "platform/shell/FileTypes.h"

#include "platform/shell/DesktopEntry.h"
#include "platform/shell/VolumeTable.h"
#include "platform/core/FileName.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/SystemImageIndex.h"
#include "platform/shell/Trash.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMimeDatabase>
#include <QMutex>
#include <QStandardPaths>

#include <algorithm>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

struct TypeInfo {
    QString name;
    int icon = SystemImageIndex::UnknownFile;
};

QString capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

QString suffixOf(const QString& fileName)
{
    const int dot = int(fileName.lastIndexOf(QLatin1Char('.')));
    return dot > 0 ? fileName.mid(dot + 1) : QString();
}

TypeInfo infoOfMime(const QMimeType& mime, const QString& fileName)
{
    if (!mime.isValid() || mime.isDefault()) {
        const QString suffix = suffixOf(fileName);
        return {suffix.isEmpty() ? QStringLiteral("File") : suffix.toUpper() + QStringLiteral(" File"),
                SystemImageIndex::UnknownFile};
    }
    return {capitalised(mime.comment()), SystemImageIndex::indexOf(mime.iconName(), mime.genericIconName())};
}

// A name without an extension can only match the few globs without a dot ("makefile", "README*").
// Qt compiles a regular expression for such globs at every call, so they are tried here first and
// the database is asked only when one of them matches (case folded: never misses a match). The
// globs come from the shared MIME database's globs2 files ("weight:type:glob[:flags]").
bool mayMatchAGlob(const QString& fileName)
{
    static const QList<QByteArray> globs = [] {
        QList<QByteArray> found;
        for (const QString& file : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("mime/globs2"))) {
            QFile globs2(file);
            if (!globs2.open(QIODevice::ReadOnly))
                continue;
            while (!globs2.atEnd()) {
                const QList<QByteArray> fields = globs2.readLine().trimmed().split(':');
                if (fields.size() >= 3 && !fields[0].startsWith('#') && !fields[2].contains('.'))
                    found.append(fields[2]);
            }
        }
        return found;
    }();
    const QByteArray name = fileName.toUtf8();
    return std::any_of(globs.begin(), globs.end(),
                       [&](const QByteArray& glob) { return ::fnmatch(glob.constData(), name.constData(), FNM_CASEFOLD) == 0; });
}

// Type by the file name alone, cached by extension: a folder of 100,000 files has few of them.
TypeInfo infoByName(const QString& fileName)
{
    static QMutex lock;
    static QHash<QString, TypeInfo> bySuffix;
    const QString key = suffixOf(fileName).toLower();
    {
        QMutexLocker hold(&lock);
        const auto found = bySuffix.constFind(key);
        if (found != bySuffix.constEnd() && !key.isEmpty())
            return {found->name.isEmpty() ? suffixOf(fileName).toUpper() + QStringLiteral(" File") : found->name, found->icon};
    }
    if (key.isEmpty() && !mayMatchAGlob(fileName))
        return infoOfMime(QMimeType(), fileName);
    static QMimeDatabase db;
    const QMimeType mime = db.mimeTypeForFile(fileName, QMimeDatabase::MatchExtension);
    TypeInfo info = infoOfMime(mime, fileName);
    QMutexLocker hold(&lock);
    bySuffix.insert(key, mime.isDefault() ? TypeInfo{QString(), info.icon} : info);
    return info;
}

TypeInfo infoByContent(const QByteArray& path)
{
    static QMimeDatabase db;
    const QString name = DecodeFileName(path);
    return infoOfMime(db.mimeTypeForFile(name, QMimeDatabase::MatchDefault), name);
}

// The user's own folders with icons of their own. Looking them up reads the XDG user-dirs file, too
// slow for every folder of a listing, so the table is kept until the home or config folder moves.
QHash<QByteArray, int> specialFolderIcons()
{
    static QMutex lock;
    static QByteArray keptFor;
    static QHash<QByteArray, int> table;
    const QByteArray environment = qgetenv("HOME") + '\n' + qgetenv("XDG_CONFIG_HOME");
    QMutexLocker hold(&lock);
    if (keptFor == environment && !table.isEmpty())
        return table;
    const struct { QStandardPaths::StandardLocation where; const char* icon; } special[] = {
        {QStandardPaths::DesktopLocation, "user-desktop"}, {QStandardPaths::DocumentsLocation, "folder-documents"},
        {QStandardPaths::DownloadLocation, "folder-download"}, {QStandardPaths::MusicLocation, "folder-music"},
        {QStandardPaths::PicturesLocation, "folder-pictures"}, {QStandardPaths::MoviesLocation, "folder-videos"},
    };
    table.clear();
    for (const auto& s : special)
        table.insert(EncodeFileName(QStandardPaths::writableLocation(s.where)),
                     SystemImageIndex::indexOf(QString::fromLatin1(s.icon), QStringLiteral("folder")));
    table.insert(EncodeFileName(QDir::homePath()), SystemImageIndex::Home);   // home wins over a folder set to it
    keptFor = environment;
    return table;
}

int folderIcon(const QByteArray& path, bool open)
{
    return specialFolderIcons().value(path, open ? SystemImageIndex::FolderOpen : SystemImageIndex::Folder);
}

TypeInfo infoOfPath(const QByteArray& path, bool extensionOnly, bool open)
{
    struct stat st;
    if (!extensionOnly && ::stat(path.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return {FileTypes::folderTypeName(), folderIcon(path, open)};
        const QString name = DecodeFileName(path.mid(path.lastIndexOf('/') + 1));
        TypeInfo info = infoByName(name);
        if (info.icon == SystemImageIndex::UnknownFile && suffixOf(name).isEmpty()) {
            if (st.st_mode & S_IXUSR)
                return {QStringLiteral("Program"), SystemImageIndex::Application};
            if (st.st_size > 0)
                info = infoByContent(path);
        }
        return info;
    }
    return infoByName(DecodeFileName(path.mid(path.lastIndexOf('/') + 1)));
}

int volumeIcon(const QByteArray& mountPoint)
{
    for (const Volume& v : VolumeTable::read()) {
        if (v.mountPoint != mountPoint)
            continue;
        if (v.network)
            return SystemImageIndex::NetworkDrive;
        if (v.optical)
            return SystemImageIndex::Optical;
        return v.removable ? SystemImageIndex::Removable : SystemImageIndex::HardDisk;
    }
    return SystemImageIndex::HardDisk;
}

TypeInfo infoOfList(const ItemIdList& list, bool open)
{
    if (list.isDesktop())
        return {QStringLiteral("System Folder"), SystemImageIndex::Desktop};
    const ItemIdList::Item item = list.last();
    switch (item.kind) {
    case ItemKind::Home: return {FileTypes::folderTypeName(), SystemImageIndex::Home};
    case ItemKind::Computer: return {QStringLiteral("System Folder"), SystemImageIndex::Computer};
    case ItemKind::Network: return {QStringLiteral("System Folder"), SystemImageIndex::EntireNetwork};
    case ItemKind::Trash:
        return {QStringLiteral("System Folder"), Trash::isEmpty() ? SystemImageIndex::TrashEmpty : SystemImageIndex::TrashFull};
    case ItemKind::ControlPanel: return {QStringLiteral("System Folder"), SystemImageIndex::ControlPanel};
    case ItemKind::Volume:
        return {item.data == "/" ? QStringLiteral("Local Disk") : QStringLiteral("Volume"), volumeIcon(item.data)};
    case ItemKind::PanelEntry: {
        const DesktopEntry entry = DesktopEntry::read(item.data);
        return {QStringLiteral("Settings"), SystemImageIndex::indexOf(entry.icon, QStringLiteral("preferences-system"))};
    }
    case ItemKind::TrashEntry: {
        TypeInfo info = infoOfPath(item.data, false, false);
        const QByteArray original = Trash::entryFor(item.data).originalPath;
        if (info.name != FileTypes::folderTypeName())
            info = infoByName(DecodeFileName(original.mid(original.lastIndexOf('/') + 1)));
        return info;
    }
    case ItemKind::Entry: break;
    }
    return infoOfPath(ShellNamespace::pathBytes(list), false, open);
}

} // namespace

QString FileTypes::folderTypeName()
{
    return QStringLiteral("File folder");
}

QString FileTypes::typeName(const ItemIdList& list)
{
    return list.isNull() ? QString() : infoOfList(list, false).name;
}

QString FileTypes::typeNameOfPath(const QString& path, bool extensionOnly)
{
    return path.isEmpty() ? QString() : infoOfPath(EncodeFileName(path), extensionOnly, false).name;
}

int FileTypes::iconIndex(const ItemIdList& list, bool open)
{
    return list.isNull() ? SystemImageIndex::UnknownFile : infoOfList(list, open).icon;
}

int FileTypes::iconIndexOfPath(const QString& path, bool extensionOnly, bool open)
{
    return infoOfPath(EncodeFileName(path), extensionOnly, open).icon;
}

} // namespace platform
