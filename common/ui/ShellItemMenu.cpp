#include "common/ui/ShellItemMenu.h"

#include "common/mmFile.h"
#include "platform/launch/Launch.h"
#include "platform/prompt/Prompt.h"
#include "platform/prompt/SystemMessageBox.h"
#include "platform/shell/ClipboardFileList.h"
#include "platform/shell/FileOperation.h"
#include "platform/shell/FileTypes.h"
#include "platform/shell/ShellChangeHub.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/ShellTypes.h"
#include "platform/shell/Trash.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QProcess>

using namespace platform;

namespace {

bool inTrash(const ItemIdList& list)
{
    return !list.isNull() && !list.isDesktop() && list.last().kind == ItemKind::TrashEntry;
}

} // namespace

ShellItemMenu::ShellItemMenu(const ItemIdList& folder, const QList<ItemIdList>& items, QWidget* parent)
    : QMenu(parent), m_folder(folder), m_items(items)
{
    quint32 attr = 0xFFFFFFFF;
    for (const ItemIdList& item : items)
        attr &= ShellNamespace::attributes(ItemIdList::join(folder, item));
    const bool files = !items.isEmpty() && (attr & SFGAO_FILESYSTEM);
    const ItemIdList first = items.isEmpty() ? ItemIdList() : ItemIdList::join(folder, items.first());
    const bool trashFolder = !first.isNull() && !first.isDesktop() && first.last().kind == ItemKind::Trash;
    addVerb(QStringLiteral("open"), QStringLiteral("&Open"), !items.isEmpty());
    addVerb(QStringLiteral("openwith"), QStringLiteral("Open &With..."), files && items.size() == 1);
    addSeparator();
    if (trashFolder)
        addVerb(QStringLiteral("emptytrash"), QStringLiteral("&Empty Trash"), !Trash::isEmpty());
    if (inTrash(first))
        addVerb(QStringLiteral("restore"), QStringLiteral("R&estore"), true);
    addVerb(QStringLiteral("cut"), QStringLiteral("Cu&t"), files && (attr & SFGAO_CANMOVE));
    addVerb(QStringLiteral("copy"), QStringLiteral("&Copy"), files && (attr & SFGAO_CANCOPY));
    addVerb(QStringLiteral("paste"), QStringLiteral("&Paste"),
            !targetFolder().isEmpty() && !ClipboardFileList::fromMimeData(QGuiApplication::clipboard()->mimeData()).isEmpty());
    addSeparator();
    addVerb(QStringLiteral("delete"), QStringLiteral("&Delete"), files && (attr & SFGAO_CANDELETE));
    addVerb(QStringLiteral("rename"), QStringLiteral("Rena&me"), files && items.size() == 1 && (attr & SFGAO_CANRENAME));
    addSeparator();
    addVerb(QStringLiteral("properties"), QStringLiteral("P&roperties"), !items.isEmpty());
}

void ShellItemMenu::addVerb(const QString& verb, const QString& caption, bool enabled)
{
    QAction* action = addAction(caption);
    action->setData(verb);
    action->setEnabled(enabled);
}

QStringList ShellItemMenu::verbs() const
{
    QStringList result;
    for (const QAction* action : actions())
        if (!action->isSeparator() && action->isEnabled())
            result.append(action->data().toString());
    return result;
}

QStringList ShellItemMenu::paths() const
{
    QStringList result;
    for (const ItemIdList& item : m_items) {
        const QString path = ShellNamespace::path(ItemIdList::join(m_folder, item));
        if (!path.isEmpty())
            result.append(path);
    }
    return result;
}

// Where Paste puts things: into the one folder chosen, else into the folder shown.
QString ShellItemMenu::targetFolder() const
{
    if (m_items.size() == 1) {
        const ItemIdList item = ItemIdList::join(m_folder, m_items.first());
        if ((ShellNamespace::attributes(item, SFGAO_FOLDER | SFGAO_FILESYSTEM) & (SFGAO_FOLDER | SFGAO_FILESYSTEM))
            == (SFGAO_FOLDER | SFGAO_FILESYSTEM))
            return ShellNamespace::path(item);
    }
    return ShellNamespace::path(m_folder);
}

bool ShellItemMenu::invoke(const QString& verb)
{
    const QStringList files = paths();
    if (verb == QLatin1String("open"))
        return !files.isEmpty() && platform::OpenWithDesktop(files.first());
    if (verb == QLatin1String("openwith")) {
        const QString program = platform::InputBox(QStringLiteral("Program to open '%1' with:").arg(QFileInfo(files.value(0)).fileName()),
                                                   QStringLiteral("Open With")).value_or(QString()).trimmed();
        return !program.isEmpty() && QProcess::startDetached(program, {files.value(0)});
    }
    if (verb == QLatin1String("cut") || verb == QLatin1String("copy")) {
        QGuiApplication::clipboard()->setMimeData(ClipboardFileList::toMimeData(files, verb == QLatin1String("cut")));
        return true;
    }
    if (verb == QLatin1String("paste"))
        return paste();
    if (verb == QLatin1String("delete"))
        return runFileOperation({FO_DELETE, files, {}, FOF_ALLOWUNDO}).ok();
    if (verb == QLatin1String("rename"))
        return rename();
    if (verb == QLatin1String("properties"))
        return properties();
    if (verb == QLatin1String("emptytrash"))
        return emptyTrash();
    if (verb == QLatin1String("restore"))
        return restore();
    return false;
}

bool ShellItemMenu::paste()
{
    bool cut = false;
    const QStringList sources = ClipboardFileList::fromMimeData(QGuiApplication::clipboard()->mimeData(), &cut);
    const QString target = targetFolder();
    if (sources.isEmpty() || target.isEmpty())
        return false;
    const bool done = runFileOperation({cut ? FO_MOVE : FO_COPY, sources, mmFile::AddTrailingSeparator(target), 0}).ok();
    if (done && cut)
        QGuiApplication::clipboard()->clear();
    return done;
}

bool ShellItemMenu::rename()
{
    const ItemIdList item = ItemIdList::join(m_folder, m_items.value(0));
    const QString path = ShellNamespace::path(item);
    const QString name = platform::InputBox(QStringLiteral("New name:"), QStringLiteral("Rename"),
                                            ShellNamespace::displayName(item, SHGDN_INFOLDER)).value_or(QString());
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return false;
    return runFileOperation({FO_RENAME, {path}, name, 0}).ok();
}

bool ShellItemMenu::properties()
{
    const ItemIdList item = ItemIdList::join(m_folder, m_items.value(0));
    const QString path = ShellNamespace::path(item);
    QString text = QStringLiteral("Name: %1\r\nType: %2").arg(ShellNamespace::displayName(item, SHGDN_INFOLDER), FileTypes::typeName(item));
    if (!path.isEmpty()) {
        const QFileInfo info(path);
        text += QStringLiteral("\r\nLocation: %1").arg(info.absolutePath());
        if (info.isFile())
            text += QStringLiteral("\r\nSize: %1 bytes").arg(QLocale::system().toString(info.size()));
        text += QStringLiteral("\r\nModified: %1").arg(QLocale::system().toString(info.lastModified(), QLocale::ShortFormat));
    }
    if (inTrash(item))
        text += QStringLiteral("\r\nOriginal location: %1").arg(QString::fromUtf8(Trash::entryFor(item.last().data).originalPath));
    SystemMessageBox(text, QStringLiteral("Properties"), MB_OK | MB_ICONINFORMATION);
    return true;
}

bool ShellItemMenu::emptyTrash()
{
    if (SystemMessageBox(QStringLiteral("Are you sure you want to permanently delete all items in the Trash?"),
                         QStringLiteral("Confirm Empty Trash"), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    const bool ok = Trash::empty() == 0;
    ShellChangeHub::instance().notify(SHCNE_UPDATEDIR, ShellNamespace::specialFolder(10));
    return ok;
}

bool ShellItemMenu::restore()
{
    bool all = true;
    for (const ItemIdList& item : m_items) {
        const ItemIdList full = ItemIdList::join(m_folder, item);
        if (!inTrash(full))
            continue;
        const TrashEntry entry = Trash::entryFor(full.last().data);
        const bool ok = Trash::restore(entry) == 0;
        if (ok)
            ShellChangeHub::instance().notifyPaths(SHCNE_CREATE, entry.originalPath);
        all = all && ok;
    }
    return all;
}
