#include "common/mmFileOper.h"

#include "common/boxara/Boxara.h"
#include "common/mmFile.h"
#include "platform/core/DoEvents.h"
#include "platform/core/FileName.h"
#include "platform/prompt/Prompt.h"
#include "platform/prompt/SystemMessageBox.h"
#include "platform/shell/FileOpQuestions.h"
#include "platform/shell/FileOperation.h"
#include "platform/shell/ShellTypes.h"

#include <QObject>
#include <QStringList>
#include <QVariant>

#include <cerrno>
#include <initializer_list>
#include <sys/stat.h>

namespace mmFileOper {
namespace {

// Lets pending window events run when a routine returns, whichever way it leaves.
struct EventsOnReturn {
    EventsOnReturn() = default;
    EventsOnReturn(const EventsOnReturn&) = delete;
    EventsOnReturn& operator=(const EventsOnReturn&) = delete;
    ~EventsOnReturn() { platform::DoEvents(); }
};

constexpr quint16 SilentMove = platform::FOF_NOCONFIRMMKDIR | platform::FOF_NOCONFIRMATION | platform::FOF_SILENT;
constexpr quint16 SilentDelete = platform::FOF_NOCONFIRMATION | platform::FOF_SILENT;

bool exists(const QString& path)
{
    return mmFile::IsFile(path) || mmFile::IsFolder(path);
}

QString nulList(const QString& crlfList)
{
    return QString(crlfList).replace(QLatin1String("\r\n"), QString(QChar(0)));
}

// The question before a copy, move or delete; nothing is asked for an empty list or a missing folder.
bool askFirst(const char* question, const char* title, const QString& items, std::initializer_list<QString> folders)
{
    if (items.isEmpty())
        return false;
    for (const QString& folder : folders)
        if (!mmFile::IsFolder(folder))
            return false;
    const QString text = QString::fromLatin1(question) + QStringLiteral("\r\n\r\n") + items;
    return Boxara::instance().Show(text, QString::fromLatin1(title), QStringLiteral("&Yes"), QStringLiteral("&No")) == 0;
}

int showModal(ModalDialog& dialog)
{
    QObject* window = dialog.dialogWindow();
    const QString title = window ? window->property("windowTitle").toString() : QString();
    return platform::ShowModal(window, title, [&dialog] { return dialog.showModalCentred(); });
}

bool transfer(QWidget* owner, int function, const QString& sourceFolder, QString& targetFolder, const QString& items,
              quint16 flags)
{
    const EventsOnReturn events;
    if (!mmFile::IsFolder(sourceFolder) || !mmFile::IsFolder(targetFolder))
        return false;
    targetFolder = mmFile::AddTrailingSeparator(targetFolder);
    return ShellFileOperation(owner, function, items, targetFolder, flags, sourceFolder);
}

// Creates one level; false (with errno set) unless it is a folder afterwards.
bool makeLevel(const QString& folder)
{
    if (::mkdir(platform::EncodeFileName(folder).constData(), 0777) == 0)
        return true;
    const int error = errno;
    if (error == EEXIST && mmFile::IsFolder(folder))
        return true;   // made by someone else meanwhile
    errno = error;
    return false;
}

} // namespace

bool ShellFileOperation(QWidget* owner, int function, const QString& source, const QString& target, quint16 flags,
                        const QString& folder)
{
    Q_UNUSED(owner) // the shell's windows open over the active window
    const EventsOnReturn events;
    platform::FileOpRequest request;
    request.function = function;
    request.sources = source.split(QChar(0), Qt::SkipEmptyParts);
    request.target = mmFile::CutAtNul(target);
    request.flags = flags;
    request.folder = folder;
    return platform::runFileOperation(request).ok();
}

bool ShellRename(QWidget* owner, const QString& oldPath, const QString& newPath)
{
    const EventsOnReturn events;
    return exists(oldPath) && ShellFileOperation(owner, platform::FO_RENAME, oldPath, newPath, 0);
}

bool ShellCopy(QWidget* owner, const QString& sourceFolder, QString& targetFolder, const QString& items, quint16 flags)
{
    return transfer(owner, platform::FO_COPY, sourceFolder, targetFolder, items, flags);
}

bool ShellMove(QWidget* owner, const QString& sourceFolder, QString& targetFolder, const QString& items, bool confirm)
{
    return transfer(owner, platform::FO_MOVE, sourceFolder, targetFolder, items, confirm ? 0 : SilentMove);
}

bool ShellDelete(QWidget* owner, const QString& folder, const QString& items, bool toRecycleBin)
{
    const EventsOnReturn events;
    if (!mmFile::IsFolder(folder))
        return false;
    return ShellFileOperation(owner, platform::FO_DELETE, items, {}, toRecycleBin ? quint16(platform::FOF_ALLOWUNDO) : SilentDelete,
                              folder);
}

bool CreateFolderPath(const QString& path)
{
    const EventsOnReturn events;
    // Only full paths: a relative text would land in whatever folder the process is in, and there
    // are no drive letters or UNC servers to make folders on.
    if (!path.startsWith(u'/'))
        return false;
    const QString folder = mmFile::StripTrailingSeparator(mmFile::AbsolutePath(path));
    if (mmFile::IsFolder(folder))
        return true;
    QString current = QStringLiteral("/");
    for (const QString& part : folder.split(u'/', Qt::SkipEmptyParts)) {
        current += part + u'/';
        if (mmFile::IsFolder(current))
            continue;
        if (!makeLevel(current)) {
            platform::SystemMessageBox(platform::FileOpQuestions::errorText(errno), QString(), platform::MB_ICONWARNING);
            break;
        }
    }
    return mmFile::IsFolder(folder);
}

QString NewFolderByDialog(QString& folder, NewFolderDialog& dialog)
{
    const EventsOnReturn events;
    folder = mmFile::AddTrailingSeparator(folder);
    if (!mmFile::IsFolder(folder))
        return {};
    showModal(dialog);
    const QString name = dialog.NewFolder();
    if (name.isEmpty() || !CreateFolderPath(folder + name))
        return {};
    return name;
}

QString RenameByDialog(QWidget* owner, RenameDialog& dialog, const QString& path)
{
    const EventsOnReturn events;
    // Folder paths carry a trailing separator; the item is the folder itself.
    const QString item = mmFile::StripTrailingSeparator(path);
    const QString oldName = mmFile::LastPart(item);
    if (oldName.isEmpty() || !exists(item))
        return {};
    dialog.OldName(oldName);
    showModal(dialog);
    const QString name = dialog.NewName();
    if (name.isEmpty() || !ShellRename(owner, item, mmFile::ParentPart(item) + name))
        return {};
    return name;
}

bool ConfirmCopyItems(QWidget* owner, const QString& sourceFolder, QString& targetFolder, const QString& items)
{
    const EventsOnReturn events;
    return askFirst("Copy following files and folders ? ", "Copying...", items, {sourceFolder, targetFolder})
        && ShellCopy(owner, sourceFolder, targetFolder, nulList(items), 0);
}

bool ConfirmMoveItems(QWidget* owner, const QString& sourceFolder, QString& targetFolder, const QString& items)
{
    const EventsOnReturn events;
    return askFirst("Move following files and folders ? ", "Moving...", items, {sourceFolder, targetFolder})
        && ShellMove(owner, sourceFolder, targetFolder, nulList(items), true);
}

bool ConfirmDeleteItems(QWidget* owner, const QString& folder, const QString& items)
{
    const EventsOnReturn events;
    return askFirst("Delete following files and folders ? ", "Deleting...", items, {folder})
        && ShellDelete(owner, folder, nulList(items), true);
}

} // namespace mmFileOper
