#include "platform/shell/ShellNamespace.h"

#include "platform/shell/DesktopEntry.h"
#include "platform/shell/VolumeTable.h"
#include "platform/core/FileName.h"
#include "platform/shell/ShellTypes.h"
#include "platform/shell/Trash.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

const QString ShellNamespace::ComputerParsingName = QStringLiteral("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
const QString ShellNamespace::NetworkParsingName = QStringLiteral("::{208D2C60-3AEA-1069-A2D7-08002B30309D}");
const QString ShellNamespace::TrashParsingName = QStringLiteral("::{645FF040-5081-101B-9F08-00AA002F954E}");
const QString ShellNamespace::ControlPanelParsingName = QStringLiteral("::{21EC2020-3AEA-1069-A2DD-08002B30309D}");

namespace {

QByteArray folderOf(QStandardPaths::StandardLocation location)
{
    return EncodeFileName(QStandardPaths::writableLocation(location));
}

// A duopane folder under the user's data folder, made when first asked for.
QByteArray dataFolder(const char* name)
{
    const QByteArray path = folderOf(QStandardPaths::GenericDataLocation) + "/duopane/" + name;
    QDir().mkpath(DecodeFileName(path));
    return path;
}

ItemIdList rootItem(ItemKind kind)
{
    return ItemIdList::fromItem(kind, {});
}

QByteArray normalised(const QByteArray& path)
{
    QByteArrayList parts;
    for (const QByteArray& part : path.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    return '/' + parts.join('/');
}

bool exists(const QByteArray& path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

bool isFolderPath(const QByteArray& path)
{
    struct stat st;
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

QString volumeName(const Volume& v)
{
    if (v.mountPoint == "/")
        return QStringLiteral("File System (/)");
    const QString mount = DecodeFileName(v.mountPoint);
    const QString label = v.label.isEmpty() ? mount.section(QLatin1Char('/'), -1) : v.label;
    return QStringLiteral("%1 (%2)").arg(label, mount);
}

Volume volumeAt(const QByteArray& mountPoint)
{
    for (const Volume& v : VolumeTable::read())
        if (v.mountPoint == mountPoint)
            return v;
    Volume v;
    v.mountPoint = mountPoint;
    return v;
}

QString entryName(const ItemIdList::Item& item)
{
    if (item.kind == ItemKind::TrashEntry) {
        const QByteArray original = Trash::entryFor(item.data).originalPath;
        return DecodeFileName(original.mid(original.lastIndexOf('/') + 1));
    }
    if (item.kind == ItemKind::PanelEntry)
        return DesktopEntry::read(item.data).name;
    return DecodeFileName(item.data);
}

QString virtualName(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Home: return QStringLiteral("Home");
    case ItemKind::Computer: return QStringLiteral("Computer");
    case ItemKind::Network: return QStringLiteral("Network");
    case ItemKind::Trash: return QStringLiteral("Trash");
    case ItemKind::ControlPanel: return QStringLiteral("Control Panel");
    default: return {};
    }
}

QString virtualParsingName(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Computer: return ShellNamespace::ComputerParsingName;
    case ItemKind::Network: return ShellNamespace::NetworkParsingName;
    case ItemKind::Trash: return ShellNamespace::TrashParsingName;
    case ItemKind::ControlPanel: return ShellNamespace::ControlPanelParsingName;
    default: return {};
    }
}

// Lists a file-system folder; folders and other entries as the flags ask.
QList<ItemIdList> listFolder(const QByteArray& path, quint32 flags, bool* ok)
{
    QList<ItemIdList> result;
    DIR* dir = ::opendir(path.constData());
    if (!dir) {
        *ok = false;
        return result;
    }
    const bool hidden = flags & SHCONTF_INCLUDEHIDDEN;
    const bool folders = flags & SHCONTF_FOLDERS;
    const bool others = flags & SHCONTF_NONFOLDERS;
    while (dirent* e = ::readdir(dir)) {
        const char* name = e->d_name;
        if (name[0] == '.' && (!hidden || name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        bool folder = e->d_type == DT_DIR;
        if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
            struct stat st;
            folder = ::fstatat(::dirfd(dir), name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        if (folder ? folders : others)
            result.append(ItemIdList::fromItem(ItemKind::Entry, QByteArray(name)));
    }
    ::closedir(dir);
    return result;
}

QList<ItemIdList> volumeItems(const QList<Volume>& volumes)
{
    QList<ItemIdList> result;
    for (const Volume& v : volumes)
        result.append(ItemIdList::fromItem(ItemKind::Volume, v.mountPoint));
    return result;
}

QList<ItemIdList> virtualChildren(ItemKind kind, quint32 flags)
{
    QList<ItemIdList> result;
    if (kind == ItemKind::Computer && (flags & SHCONTF_FOLDERS))
        return volumeItems(VolumeTable::localVolumes(VolumeTable::read()));
    if (kind == ItemKind::Network && (flags & SHCONTF_FOLDERS))
        return volumeItems(VolumeTable::networkVolumes(VolumeTable::read()));
    if (kind == ItemKind::Trash && (flags & SHCONTF_NONFOLDERS)) {
        for (const TrashEntry& entry : Trash::entries())
            result.append(ItemIdList::fromItem(ItemKind::TrashEntry, entry.filePath));
    }
    if (kind == ItemKind::ControlPanel && (flags & SHCONTF_NONFOLDERS)) {
        for (const DesktopEntry& entry : DesktopEntry::settingsLaunchers())
            result.append(ItemIdList::fromItem(ItemKind::PanelEntry, entry.path));
    }
    return result;
}

int kindRank(ItemKind kind)
{
    static const char order[] = "HCNTPVFRL";
    const char* at = std::strchr(order, char(kind));
    return at ? int(at - order) : 99;
}

bool hasSubfolder(const QByteArray& path)
{
    DIR* dir = ::opendir(path.constData());
    if (!dir)
        return false;
    bool found = false;
    while (dirent* e = ::readdir(dir)) {
        const char* name = e->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        if (e->d_type == DT_DIR) {
            found = true;
        } else if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
            struct stat st;
            found = ::fstatat(::dirfd(dir), name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        if (found)
            break;
    }
    ::closedir(dir);
    return found;
}

quint32 virtualAttributes(ItemKind kind)
{
    const quint32 folder = SFGAO_FOLDER | SFGAO_HASPROPSHEET;
    switch (kind) {
    case ItemKind::Home:
        return folder | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_STORAGE | SFGAO_HASSUBFOLDER
            | SFGAO_DROPTARGET | SFGAO_CANLINK | SFGAO_CANCOPY;
    case ItemKind::Computer:
        return folder | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER | SFGAO_CANLINK;
    case ItemKind::Network:
        return folder | SFGAO_FILESYSANCESTOR | SFGAO_CANLINK
            | (VolumeTable::networkVolumes(VolumeTable::read()).isEmpty() ? 0u : quint32(SFGAO_HASSUBFOLDER));
    case ItemKind::Trash:
        return folder | SFGAO_DROPTARGET | SFGAO_CANLINK;
    case ItemKind::ControlPanel:
        return folder | SFGAO_CANLINK;
    case ItemKind::PanelEntry:
        return SFGAO_CANLINK;
    default:
        return 0;
    }
}

} // namespace

QByteArray ShellNamespace::desktopFolder()
{
    return folderOf(QStandardPaths::DesktopLocation);
}

QByteArray ShellNamespace::homeFolder()
{
    return EncodeFileName(QDir::homePath());
}

ItemIdList ShellNamespace::specialFolder(int csidl)
{
    switch (csidl) {
    case CSIDL_DESKTOP: return ItemIdList::desktop();
    case CSIDL_CONTROLS: return rootItem(ItemKind::ControlPanel);
    case CSIDL_DRIVES: return rootItem(ItemKind::Computer);
    case CSIDL_NETWORK: return rootItem(ItemKind::Network);
    case 10: return rootItem(ItemKind::Trash);     // the recycle bin
    case 5: return rootItem(ItemKind::Home);       // personal files
    case 16: return listForPath(desktopFolder());  // the desktop as a folder
    case CSIDL_FAVORITES: return listForPath(dataFolder("Favorites"));
    case CSIDL_HISTORY: return listForPath(dataFolder("History"));
    case CSIDL_STARTMENU: {
        const QByteArray apps = folderOf(QStandardPaths::GenericDataLocation) + "/applications";
        QDir().mkpath(DecodeFileName(apps));
        return listForPath(apps);
    }
    case CSIDL_COMMON_STARTMENU:
        return isFolderPath("/usr/share/applications") ? listForPath("/usr/share/applications") : ItemIdList();
    default: return {};
    }
}

ItemIdList ShellNamespace::listForPath(const QByteArray& absolutePath)
{
    if (!absolutePath.startsWith('/'))
        return {};
    const QByteArray path = normalised(absolutePath);
    const Volume volume = VolumeTable::volumeOf(VolumeTable::read(), path);
    ItemIdList list = rootItem(volume.network ? ItemKind::Network : ItemKind::Computer)
                          .appended(ItemKind::Volume, volume.mountPoint);
    const QByteArray rest = volume.mountPoint == "/" ? path.mid(1) : path.mid(volume.mountPoint.size() + 1);
    for (const QByteArray& name : rest.split('/'))
        if (!name.isEmpty())
            list = list.appended(ItemKind::Entry, name);
    return list;
}

ItemIdList ShellNamespace::parse(const QString& text)
{
    if (text.isEmpty())
        return ItemIdList::desktop();
    for (ItemKind kind : {ItemKind::Computer, ItemKind::Network, ItemKind::Trash, ItemKind::ControlPanel}) {
        const QString name = virtualParsingName(kind);
        if (text.compare(name, Qt::CaseInsensitive) == 0 || text.compare(ComputerParsingName + QLatin1Char('\\') + name, Qt::CaseInsensitive) == 0)
            return rootItem(kind);
    }
    QByteArray path = EncodeFileName(text);
    if (path.startsWith("~"))
        path = homeFolder() + path.mid(1);
    if (!path.startsWith('/') || !exists(path))
        return {};
    return listForPath(path);
}

QByteArray ShellNamespace::pathBytes(const ItemIdList& list)
{
    if (list.isNull())
        return {};
    const QList<ItemIdList::Item> items = list.items();
    // Only the desktop and its files start from its folder; finding it reads the user-dirs file.
    QByteArray path = items.isEmpty() || items.first().kind == ItemKind::Entry ? desktopFolder() : QByteArray("/");
    for (const ItemIdList::Item& item : items) {
        switch (item.kind) {
        case ItemKind::Home: path = homeFolder(); break;
        case ItemKind::Volume: path = item.data; break;
        case ItemKind::TrashEntry: path = item.data; break;
        case ItemKind::Entry: path = (path == "/" ? QByteArray() : path) + '/' + item.data; break;
        case ItemKind::Computer:
        case ItemKind::Network:
        case ItemKind::Trash:
        case ItemKind::ControlPanel:
        case ItemKind::PanelEntry: path.clear(); break;
        }
        if (path.isEmpty() && item.kind != ItemKind::Computer && item.kind != ItemKind::Network)
            return {};
    }
    return path;
}

QString ShellNamespace::path(const ItemIdList& list)
{
    return DecodeFileName(pathBytes(list));
}

QString ShellNamespace::displayName(const ItemIdList& list, quint32 flags)
{
    if (list.isNull())
        return {};
    const bool parsing = flags & SHGDN_FORPARSING;
    if (list.isDesktop())
        return parsing ? DecodeFileName(desktopFolder()) : QStringLiteral("Desktop");
    const ItemIdList::Item item = list.last();
    if (parsing) {
        const QString name = virtualParsingName(item.kind);
        if (!name.isEmpty())
            return name;
        const QByteArray p = pathBytes(list);
        return p.isEmpty() ? entryName(item) : DecodeFileName(p);
    }
    if (item.kind == ItemKind::Volume)
        return volumeName(volumeAt(item.data));
    const QString name = virtualName(item.kind);
    return name.isEmpty() ? entryName(item) : name;
}

QString ShellNamespace::hierarchyText(const ItemIdList& list)
{
    if (list.isNull())
        return {};
    QString text = displayName(ItemIdList::desktop(), SHGDN_INFOLDER) + QLatin1Char('\\');
    ItemIdList prefix = ItemIdList::desktop();
    for (const ItemIdList::Item& item : list.items()) {
        prefix = prefix.appended(item.kind, item.data);
        text += displayName(prefix, SHGDN_INFOLDER) + QLatin1Char('\\');
    }
    return text;
}

QString ShellNamespace::hierarchyTextOfPath(const QString& path)
{
    const QByteArray bytes = EncodeFileName(path);
    if (!bytes.startsWith('/') || !isFolderPath(bytes))
        return {};
    const QByteArray clean = normalised(bytes);
    const Volume volume = VolumeTable::volumeOf(VolumeTable::read(), clean);
    const ItemIdList root = rootItem(volume.network ? ItemKind::Network : ItemKind::Computer)
                                .appended(ItemKind::Volume, volume.mountPoint);
    QByteArray rest = volume.mountPoint == "/" ? clean.mid(1) : clean.mid(volume.mountPoint.size() + 1);
    if (!rest.isEmpty() && bytes.endsWith('/'))
        rest += '/';
    return hierarchyText(root) + DecodeFileName(rest).replace(QLatin1Char('/'), QLatin1Char('\\'));
}

QList<ItemIdList> ShellNamespace::enumerate(const ItemIdList& folder, quint32 flags, bool* ok)
{
    bool fine = true;
    QList<ItemIdList> result;
    if (folder.isNull()) {
        fine = false;
    } else if (folder.isDesktop()) {
        if (flags & SHCONTF_FOLDERS)
            for (ItemKind kind : {ItemKind::Home, ItemKind::Computer, ItemKind::Network, ItemKind::Trash, ItemKind::ControlPanel})
                result.append(rootItem(kind));
        bool desktopOk = true;
        if (isFolderPath(desktopFolder()))
            result += listFolder(desktopFolder(), flags, &desktopOk);
    } else if (const ItemKind kind = folder.last().kind; !virtualName(kind).isEmpty() && kind != ItemKind::Home) {
        result = virtualChildren(kind, flags);
    } else if (kind == ItemKind::TrashEntry || kind == ItemKind::PanelEntry) {
        fine = false;
    } else {
        result = listFolder(pathBytes(folder), flags, &fine);
    }
    if (ok)
        *ok = fine;
    return result;
}

bool ShellNamespace::canEnumerate(const ItemIdList& folder)
{
    bool ok = false;
    if (folder.isNull())
        return false;
    const QByteArray path = pathBytes(folder);
    if (!path.isEmpty() && !folder.isDesktop()) {
        DIR* dir = ::opendir(path.constData());
        if (dir)
            ::closedir(dir);
        return dir != nullptr;
    }
    enumerate(folder, SHCONTF_FOLDERS, &ok);
    return ok;
}

ItemIdList ShellNamespace::childByName(const ItemIdList& folder, const QString& name)
{
    const quint32 all = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN;
    for (const ItemIdList& child : enumerate(folder, all))
        if (displayName(ItemIdList::join(folder, child), SHGDN_NORMAL).compare(name, Qt::CaseInsensitive) == 0)
            return child;
    return {};
}

int ShellNamespace::compare(const ItemIdList& folder, const ItemIdList& a, const ItemIdList& b)
{
    const ItemIdList::Item x = a.item(0);
    const ItemIdList::Item y = b.item(0);
    if (kindRank(x.kind) != kindRank(y.kind))
        return kindRank(x.kind) < kindRank(y.kind) ? -1 : 1;
    if (x.kind == ItemKind::Volume) {
        if ((x.data == "/") != (y.data == "/"))
            return x.data == "/" ? -1 : 1;
        return x.data < y.data ? -1 : (x.data == y.data ? 0 : 1);
    }
    const QString nx = displayName(ItemIdList::join(folder, a), SHGDN_INFOLDER);
    const QString ny = displayName(ItemIdList::join(folder, b), SHGDN_INFOLDER);
    const int byCase = nx.compare(ny, Qt::CaseInsensitive);
    return byCase != 0 ? (byCase < 0 ? -1 : 1) : (nx < ny ? -1 : (nx == ny ? 0 : 1));
}

quint32 ShellNamespace::attributesOfPath(const QByteArray& path, quint32 mask)
{
    struct stat st;
    if (::lstat(path.constData(), &st) != 0)
        return 0;
    quint32 attr = SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK | SFGAO_CANRENAME
        | SFGAO_CANDELETE | SFGAO_HASPROPSHEET;
    if (S_ISLNK(st.st_mode)) {
        attr |= SFGAO_LINK;
        struct stat target;
        if (::stat(path.constData(), &target) == 0)
            st.st_mode = target.st_mode;
    }
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    if (name.startsWith('.'))
        attr |= SFGAO_HIDDEN | SFGAO_GHOSTED;
    if ((mask & SFGAO_READONLY) && ::access(path.constData(), W_OK) != 0)
        attr |= SFGAO_READONLY;
    if (S_ISDIR(st.st_mode)) {
        attr |= SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_STORAGE | SFGAO_DROPTARGET;
        if ((mask & SFGAO_HASSUBFOLDER) && hasSubfolder(path))
            attr |= SFGAO_HASSUBFOLDER;
    } else {
        attr |= SFGAO_STREAM;
    }
    return attr & mask;
}

quint32 ShellNamespace::attributes(const ItemIdList& list, quint32 mask)
{
    if (list.isNull())
        return 0;
    if (list.isDesktop())
        return (SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR | SFGAO_HASPROPSHEET) & mask;
    const ItemIdList::Item item = list.last();
    quint32 attr = virtualAttributes(item.kind);
    if (item.kind == ItemKind::Volume) {
        const Volume v = volumeAt(item.data);
        attr = attributesOfPath(item.data, mask) & ~(SFGAO_CANMOVE | SFGAO_CANDELETE | SFGAO_CANRENAME | SFGAO_HIDDEN | SFGAO_GHOSTED);
        attr |= SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR;
        if (v.removable)
            attr |= SFGAO_REMOVABLE;
        if (v.network)
            attr |= SFGAO_ISSLOW;
    } else if (item.kind == ItemKind::Entry) {
        attr = attributesOfPath(pathBytes(list), mask);
    } else if (item.kind == ItemKind::TrashEntry) {
        attr = attributesOfPath(item.data, mask) & ~(SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_CANRENAME | SFGAO_DROPTARGET);
    }
    return attr & mask;
}

} // namespace platform
