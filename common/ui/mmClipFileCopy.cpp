#include "common/ui/mmClipFileCopy.h"

#include "platform/shell/ClipboardFileList.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace mmClipFileCopy {
namespace {

const QString UriList = QStringLiteral("text/uri-list");

// The clipboard, when the program has one (a window system and a running application).
QClipboard* clipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

} // namespace

void ClearClipboard()
{
    if (QClipboard* board = clipboard())
        board->clear();
}

bool PutFilesOnClipboard(const QStringList& names)
{
    QClipboard* board = clipboard();
    if (!board)
        return false;
    board->setMimeData(platform::ClipboardFileList::toMimeData(names));
    const QMimeData* held = board->mimeData();
    return held && held->hasFormat(UriList);
}

int GetFilesFromClipboard(QStringList& names)
{
    QClipboard* board = clipboard();
    const QStringList found = board ? platform::ClipboardFileList::fromMimeData(board->mimeData()) : QStringList();
    if (found.isEmpty())
        return 0;   // no file list: the caller's names stay as they were
    names = found;
    return int(names.size());
}

} // namespace mmClipFileCopy
