#include "platform/launch/DefaultApplications.h"

#include "platform/core/FileSystem.h"
#include "platform/launch/KeyFile.h"

#include <QDir>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QStandardPaths>

namespace platform {

namespace {

const QString kDefaults = QStringLiteral("Default Applications");
const QString kAdded = QStringLiteral("Added Associations");
const QString kRemoved = QStringLiteral("Removed Associations");

QStringList applicationFolders()
{
    QStringList folders;
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders << data + QStringLiteral("/applications/");
    return folders;
}

// The association lists from the strongest to the weakest, desktop-specific ones first.
QList<KeyFile> associationLists()
{
    QStringList desktops;
    for (const QString& desktop : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts))
        desktops << desktop.toLower() + QStringLiteral("-mimeapps.list");
    QStringList names = desktops;
    names << QStringLiteral("mimeapps.list");
    QStringList paths;
    for (const QString& config : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation)) {
        for (const QString& name : names)
            paths << config + u'/' + name;
    }
    for (const QString& folder : applicationFolders()) {
        for (const QString& name : names)
            paths << folder + name;
        paths << folder + QStringLiteral("defaults.list");
    }
    QList<KeyFile> lists;
    for (const QString& path : paths) {
        KeyFile file = KeyFile::read(path);
        if (!file.isEmpty())
            lists << file;
    }
    return lists;
}

// A desktop file id names applications/<id>, or a subfolder for each "-" prefix (kde-x.desktop).
ApplicationEntry entryOfId(const QString& id)
{
    if (id.contains(u'/') || id.startsWith(u'.'))
        return ApplicationEntry{};
    for (const QString& folder : applicationFolders()) {
        QString relative = id;
        for (;;) {
            if (fs::Exists(folder + relative))
                return ApplicationEntry::read(folder + relative);
            const qsizetype dash = relative.indexOf(u'-');
            if (dash < 0)
                break;
            relative[dash] = u'/';
        }
    }
    return ApplicationEntry{};
}

// The applications that declare a type: the folder's mimeinfo.cache, or its entries themselves.
QStringList declaringIds(const QString& mimeType)
{
    QStringList ids;
    for (const QString& folder : applicationFolders()) {
        const KeyFile cache = KeyFile::read(folder + QStringLiteral("mimeinfo.cache"));
        if (!cache.isEmpty()) {
            ids << cache.list(QStringLiteral("MIME Cache"), mimeType);
            continue;
        }
        const QStringList names = QDir(folder).entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name);
        for (const QString& name : names) {
            if (ApplicationEntry::read(folder + name).mimeTypes.contains(mimeType))
                ids << name;
        }
    }
    return ids;
}

ApplicationEntry firstUsable(const QStringList& ids, const QStringList& removed = {})
{
    for (const QString& id : ids) {
        if (removed.contains(id))
            continue;
        ApplicationEntry entry = entryOfId(id);
        if (entry.usable())
            return entry;
    }
    return ApplicationEntry{};
}

ApplicationEntry associatedApplication(const QList<KeyFile>& lists, const QString& mimeType)
{
    QStringList added;
    QStringList removed;
    for (const KeyFile& list : lists) {
        added << list.list(kAdded, mimeType);
        removed << list.list(kRemoved, mimeType);
    }
    return firstUsable(added + declaringIds(mimeType), removed);
}

} // namespace

QString MimeTypeOfDocument(const QString& target)
{
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):(//|(?=.))"));
    const QRegularExpressionMatch match = scheme.match(target);
    if (match.hasMatch() && match.capturedLength(1) > 1 && !fs::Exists(target))
        return QStringLiteral("x-scheme-handler/") + match.captured(1).toLower();
    if (!fs::Exists(target))
        return QString();
    if (fs::IsFolder(target))
        return QStringLiteral("inode/directory");
    return QMimeDatabase().mimeTypeForFile(target).name();
}

ApplicationEntry DefaultApplication(const QString& mimeType)
{
    if (mimeType.isEmpty())
        return ApplicationEntry{};
    QStringList types{mimeType};
    const QMimeType known = QMimeDatabase().mimeTypeForName(mimeType);
    if (known.isValid())
        types << known.allAncestors();
    const QList<KeyFile> lists = associationLists();
    for (const QString& type : types) {
        QStringList defaults;
        for (const KeyFile& list : lists)
            defaults << list.list(kDefaults, type);
        if (ApplicationEntry entry = firstUsable(defaults); entry.usable())
            return entry;
        if (ApplicationEntry entry = associatedApplication(lists, type); entry.usable())
            return entry;
    }
    return ApplicationEntry{};
}

} // namespace platform
