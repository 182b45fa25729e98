#include "platform/shell/FileOpQuestions.h"

#include "platform/prompt/SystemMessageBox.h"
#include "platform/shell/FileCopier.h"
#include "platform/shell/FileOpProgress.h"
#include "platform/core/FileName.h"
#include "platform/core/SystemErrorText.h"
#include "platform/shell/ShellTypes.h"

#include <QDateTime>
#include <QLocale>

#include <cerrno>
#include <sys/stat.h>

namespace platform {
namespace {

QString nameOf(const QByteArray& path)
{
    return DecodeFileName(path.mid(path.lastIndexOf('/') + 1));
}

QString describe(const QByteArray& path, QVariantMap& details, const QString& prefix)
{
    struct stat st;
    if (::lstat(path.constData(), &st) != 0)
        return {};
    const QDateTime modified = QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec);
    details.insert(prefix + QStringLiteral("Path"), DecodeFileName(path));
    details.insert(prefix + QStringLiteral("Size"), qint64(st.st_size));
    details.insert(prefix + QStringLiteral("Modified"), modified);
    if (S_ISDIR(st.st_mode))
        return {};
    const QLocale locale = QLocale::system();
    return QStringLiteral("    %1 bytes\r\n    modified on %2")
        .arg(locale.toString(qint64(st.st_size)), locale.toString(modified, QLocale::ShortFormat));
}

bool yes(const QString& text, const QString& title)
{
    return SystemMessageBox(text, title, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

} // namespace

QString FileOpQuestions::verbOf(int function)
{
    switch (function) {
    case FO_MOVE: return QStringLiteral("Moving");
    case FO_COPY: return QStringLiteral("Copying");
    case FO_DELETE: return QStringLiteral("Deleting");
    default: return QStringLiteral("Renaming");
    }
}

QString FileOpQuestions::errorText(int error)
{
    if (error == FileCopier::VerifyFailed)
        return QStringLiteral("The copy does not have the size of the original");
    if (error == IntoItself)
        return QStringLiteral("The destination folder is a subfolder of the source folder");
    return SystemErrorText(error);
}

FileOpQuestions::Conflict FileOpQuestions::askConflict(int function, const QByteArray& source, const QByteArray& target)
{
    Question q;
    q.kind = QuestionKind::FileConflict;
    struct stat st;
    const bool folder = ::lstat(target.constData(), &st) == 0 && S_ISDIR(st.st_mode);
    q.title = folder ? QStringLiteral("Confirm Folder Replace") : QStringLiteral("Confirm File Replace");
    const QString existing = describe(target, q.details, QStringLiteral("target"));
    const QString incoming = describe(source, q.details, QStringLiteral("source"));
    if (folder) {
        q.text = QStringLiteral("This folder already contains a folder named '%1'.\r\n\r\n"
                                "If the files in the existing folder have the same name as files in the folder you are "
                                "%2, they will be replaced. Do you still want to %3 the folder?")
                     .arg(nameOf(target), function == FO_MOVE ? QStringLiteral("moving") : QStringLiteral("copying"),
                          function == FO_MOVE ? QStringLiteral("move") : QStringLiteral("copy"));
    } else {
        q.text = QStringLiteral("This folder already contains a file named '%1'.\r\n\r\n"
                                "Would you like to replace the existing file\r\n\r\n%2\r\n\r\nwith this one?\r\n\r\n%3")
                     .arg(nameOf(target), existing, incoming);
    }
    q.buttons = {QStringLiteral("&Yes"), QStringLiteral("Yes to &All"), QStringLiteral("&No"), QStringLiteral("Cancel")};
    const int choice = FileOpUi::ask(q).choice;
    return choice >= Yes && choice <= No ? Conflict(choice) : CancelAll;
}

FileOpQuestions::Error FileOpQuestions::askError(int function, const QByteArray& path, int error)
{
    Question q;
    q.kind = QuestionKind::FileError;
    const QString verb = verbOf(function);
    q.title = QStringLiteral("Error %1 File or Folder").arg(verb);
    const char* action = function == FO_MOVE ? "move" : function == FO_COPY ? "copy" : function == FO_DELETE ? "delete" : "rename";
    q.text = QStringLiteral("Cannot %1 %2: %3.").arg(QLatin1String(action), nameOf(path), errorText(error));
    q.buttons = {QStringLiteral("&Retry"), QStringLiteral("&Skip"), QStringLiteral("Cancel")};
    q.details.insert(QStringLiteral("path"), DecodeFileName(path));
    q.details.insert(QStringLiteral("error"), error);
    const int choice = FileOpUi::ask(q).choice;
    return choice == Retry || choice == Skip ? Error(choice) : Cancel;
}

bool FileOpQuestions::confirmDelete(const QList<QByteArray>& items, bool toTrash)
{
    if (items.isEmpty())
        return true;
    if (items.size() > 1) {
        const QString count = QString::number(items.size());
        return yes(toTrash ? QStringLiteral("Are you sure you want to send these %1 items to the Trash?").arg(count)
                           : QStringLiteral("Are you sure you want to permanently delete these %1 items?").arg(count),
                   QStringLiteral("Confirm Multiple File Delete"));
    }
    struct stat st;
    const bool folder = ::lstat(items.first().constData(), &st) == 0 && S_ISDIR(st.st_mode);
    const QString name = nameOf(items.first());
    return yes(toTrash ? QStringLiteral("Are you sure you want to send '%1' to the Trash?").arg(name)
                       : QStringLiteral("Are you sure you want to permanently delete '%1'?").arg(name),
               folder ? QStringLiteral("Confirm Folder Delete") : QStringLiteral("Confirm File Delete"));
}

bool FileOpQuestions::confirmCreateFolder(const QByteArray& folder)
{
    return yes(QStringLiteral("The folder '%1' does not exist.\r\n\r\nDo you want to create it?").arg(DecodeFileName(folder)),
               QStringLiteral("Confirm Folder Create"));
}

bool FileOpQuestions::confirmPermanentDelete(const QByteArray& path)
{
    return yes(QStringLiteral("'%1' cannot be moved to the Trash.\r\n\r\nDo you want to delete it permanently?").arg(nameOf(path)),
               QStringLiteral("Confirm File Delete"));
}

} // namespace platform
