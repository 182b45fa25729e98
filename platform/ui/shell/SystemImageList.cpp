#include "platform/ui/shell/SystemImageList.h"

#include "platform/shell/SystemImageIndex.h"

#include <QDir>
#include <QHash>

namespace platform {
namespace {

// Our own picture for the names the theme may lack.
QString bundledFor(const QString& name)
{
    static const QHash<QString, QString> bundled = {
        {QStringLiteral("folder"), QStringLiteral("folder")}, {QStringLiteral("folder-open"), QStringLiteral("folder-open")},
        {QStringLiteral("user-desktop"), QStringLiteral("desktop")}, {QStringLiteral("user-home"), QStringLiteral("home")},
        {QStringLiteral("computer"), QStringLiteral("computer")}, {QStringLiteral("network-workgroup"), QStringLiteral("network")},
        {QStringLiteral("network-server"), QStringLiteral("network")}, {QStringLiteral("folder-remote"), QStringLiteral("network")},
        {QStringLiteral("user-trash"), QStringLiteral("trash")}, {QStringLiteral("user-trash-full"), QStringLiteral("trash")},
        {QStringLiteral("preferences-system"), QStringLiteral("settings")}, {QStringLiteral("drive-harddisk"), QStringLiteral("drive")},
        {QStringLiteral("drive-removable-media"), QStringLiteral("removable")}, {QStringLiteral("media-floppy"), QStringLiteral("removable")},
        {QStringLiteral("drive-optical"), QStringLiteral("optical")}, {QStringLiteral("application-x-executable"), QStringLiteral("application")},
    };
    const QString file = bundled.value(name);
    return file.isEmpty() ? QString() : QStringLiteral(":/duopane/shell/icons/%1.svg").arg(file);
}

void chooseTheme()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QString current = QIcon::themeName();
    if (!current.isEmpty() && current != QLatin1String("hicolor"))
        return;
    for (const char* theme : {"Adwaita", "breeze", "gnome"})
        if (QDir(QStringLiteral("/usr/share/icons/%1").arg(QLatin1String(theme))).exists()) {
            QIcon::setThemeName(QLatin1String(theme));
            return;
        }
}

QIcon lookUp(int index)
{
    chooseTheme();
    const QString name = SystemImageIndex::iconName(index);
    const QString generic = SystemImageIndex::genericName(index);
    for (const QString& candidate : {name, generic}) {
        if (!candidate.isEmpty() && QIcon::hasThemeIcon(candidate))
            return QIcon::fromTheme(candidate);
    }
    for (const QString& candidate : {name, generic}) {
        const QString file = bundledFor(candidate);
        if (!file.isEmpty())
            return QIcon(file);
    }
    if (QIcon::hasThemeIcon(QStringLiteral("text-x-generic")))
        return QIcon::fromTheme(QStringLiteral("text-x-generic"));
    return QIcon(QStringLiteral(":/duopane/shell/icons/file.svg"));
}

} // namespace

QIcon SystemImageList::icon(int index)
{
    static QHash<int, QIcon> cache;
    const auto found = cache.constFind(index);
    if (found != cache.constEnd())
        return *found;
    const QIcon result = lookUp(index);
    cache.insert(index, result);
    return result;
}

QPixmap SystemImageList::pixmap(int index, bool small)
{
    const int size = small ? SmallSize : LargeSize;
    return icon(index).pixmap(size, size);
}

} // namespace platform
