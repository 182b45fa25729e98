#include "ftp/FtpShellLink.h"

#include "common/boxara/Boxara.h"
#include "common/mmFile.h"
#include "ftp/FtpRemoteTree.h"
#include "ftp/engine/FtpSession.h"
#include "ftp/engine/FtpSettings.h"
#include "ftp/engine/mFTPMain.h"
#include "ftp/fFTPMain.h"
#include "platform/core/FileName.h"
#include "platform/shell/ClipboardFileList.h"
#include "platform/shell/FileOperation.h"
#include "platform/shell/ShellChangeHub.h"
#include "platform/shell/ShellTypes.h"
#include "platform/shell/Trash.h"
#include "shellnotify/BrivoShellNotify.h"

#include <QClipboard>
#include <QDrag>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QPointer>
#include <QTreeWidget>

#include <memory>

using platform::ClipboardFileList;

namespace {

// The drag data of the file list: a file list of one transfer-list file, written only when a
// drop target asks for the data.
class TransferListMimeData : public QMimeData {
public:
    explicit TransferListMimeData(FtpShellLink* link) : m_link(link) {}

    QStringList formats() const override
    {
        const std::unique_ptr<QMimeData> shape(ClipboardFileList::toMimeData({}));
        return shape->formats();
    }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType) const override
    {
        if (m_file.isEmpty() && m_link)
            m_file = m_link->WriteTransferList();
        if (m_file.isEmpty())
            return {};
        const std::unique_ptr<QMimeData> list(ClipboardFileList::toMimeData({m_file}));
        return list->hasFormat(mimeType) ? QVariant(list->data(mimeType)) : QVariant();
    }

private:
    QPointer<FtpShellLink> m_link;
    mutable QString m_file;
};

// Trash folders: the home trash and the ".Trash-<uid>" or ".Trash" folders of other volumes.
bool inTrash(const QString& path)
{
    const QString home = platform::DecodeFileName(platform::Trash::homeTrash());
    return (!home.isEmpty() && path.startsWith(mmFile::AddTrailingSeparator(home))) || path.contains(QLatin1String("/.Trash"));
}

} // namespace

FtpShellLink::FtpShellLink(fFTPMain& window, QTreeWidget* list, QTreeWidget* tree)
    : QObject(&window)
    , m_window(window)
    , m_list(list)
    , m_tree(tree)
    , m_notify(new BrivoShellNotify(&window))
{
    m_notify->setObjectName(QStringLiteral("BrivoShellNotify1"));
    m_notify->hide();
    connect(m_notify, &BrivoShellNotify::ShellEvent, this,
            [this](const QString&, const platform::ItemIdList& pidl1, const QString& name1, const QString& path1,
                   const QString&, const platform::ItemIdList& pidl2, const QString& name2, const QString& path2,
                   const QString&) { shellEvent(pidl1, name1, path1, pidl2, name2, path2); });
    m_tmrOLE.setInterval(200);
    m_tmrOLE.setSingleShot(true);
    connect(&m_tmrOLE, &QTimer::timeout, this, &FtpShellLink::AskUploadDropped);
}

FtpShellLink::~FtpShellLink()
{
    Terminate();
}

void FtpShellLink::Activate()
{
    m_notify->Activate();
    // Other programs' copies are seen in watched folders only; the desktop is where a file
    // dragged out of the window most often lands.
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (m_watchedDesktop.isEmpty() && QFileInfo(desktop).isDir()) {
        m_watchedDesktop = platform::EncodeFileName(desktop);
        platform::ShellChangeHub::instance().watchFolder(m_watchedDesktop);
    }
}

void FtpShellLink::Terminate()
{
    m_notify->Terminate();
    if (!m_watchedDesktop.isEmpty())
        platform::ShellChangeHub::instance().unwatchFolder(std::exchange(m_watchedDesktop, {}));
}

QString FtpShellLink::WriteTransferList()
{
    FtpSession& session = m_window.Session();
    const cFTPList* listing = session.Cache().Find(session.Command().CurrentFolder);
    if (m_window.IsBusyNow() || !listing || m_list->selectedItems().isEmpty())
        return {};
    QList<int> selected;
    for (const QTreeWidgetItem* item : m_list->selectedItems())
        selected.append(item->data(0, FtpRemoteTree::EntryRole).toInt());
    const QStringList lines = session.Transfers().TransferListLines(*listing, selected);
    QTemporaryFile file(mmFile::AddTrailingSeparator(ftpSettings().FtpTempFolder) + QStringLiteral("DPX_XXXXXX.tmp"));
    file.setAutoRemove(false);
    if (!file.open())
        return {};
    file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n\r\n")).toUtf8());
    m_transferListFile = file.fileName();
    return m_transferListFile;
}

QMimeData* FtpShellLink::MakeDragData()
{
    return new TransferListMimeData(this);
}

void FtpShellLink::StartDrag()
{
    m_list->setAcceptDrops(false);
    auto* drag = new QDrag(m_list);
    drag->setMimeData(MakeDragData());
    drag->exec(Qt::CopyAction);
    m_list->setAcceptDrops(true);
}

bool FtpShellLink::refusedDrop(const QStringList& paths) const
{
    // The window's own transfer-list files come back from the temporary folder; they never upload.
    const QString temp = mmFile::ShortPath(ftpSettings().FtpTempFolder);
    return paths.isEmpty() || mmFile::ShortPath(paths.first()).startsWith(temp);
}

void FtpShellLink::ListDrop(QDropEvent* drop)
{
    const QStringList paths = ClipboardFileList::fromMimeData(drop->mimeData());
    if (drop->source() == m_list || m_tree->topLevelItemCount() == 0 || refusedDrop(paths)) {
        drop->ignore();
        return;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (drop->type() == QEvent::Drop && !m_window.IsBusyNow()) {
        m_droppedPaths = paths;
        m_tmrOLE.start();
    }
}

void FtpShellLink::CopyToClipboard()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QString file = WriteTransferList();
    QGuiApplication::restoreOverrideCursor();
    if (!file.isEmpty())
        QGuiApplication::clipboard()->setMimeData(ClipboardFileList::toMimeData({file}));
}

void FtpShellLink::PasteFromClipboard()
{
    m_droppedPaths = ClipboardFileList::fromMimeData(QGuiApplication::clipboard()->mimeData());
    if (m_droppedPaths.isEmpty() || m_droppedPaths.first() == m_transferListFile)
        return;
    m_tmrOLE.start();
}

void FtpShellLink::AskUploadDropped()
{
    const QString text = QStringLiteral("Upload %1 files and folders ?\r\nIf files already exist, they will be overwritten.")
                             .arg(m_droppedPaths.size());
    if (Boxara::instance().Show(text, QStringLiteral("Uploading..."), QStringLiteral("&Yes"), QStringLiteral("&No")) != 0)
        return;
    if (m_window.Session().Transfers().UploadLocalPaths(m_droppedPaths))
        m_window.RemoteTree().RefreshFolder();
}

bool FtpShellLink::DownloadTransferList(const QString& targetFolder)
{
    QFile file(m_transferListFile);
    const QStringList lines = file.open(QIODevice::ReadOnly)
                                  ? QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)
                                  : QStringList();
    file.close();
    QFile::remove(m_transferListFile);
    m_transferListFile.clear();
    return m_window.Session().Transfers().DownloadTransferList(targetFolder, lines);
}

bool FtpShellLink::isLandedCopy(const platform::ItemIdList& pidl, const QString& name, const QString& path) const
{
    if (pidl.isNull() || m_transferListFile.isEmpty())
        return false;
    const QFileInfo file(mFTPMain::StripTrailingSlash(path));
    const QString temp = mmFile::ShortPath(ftpSettings().FtpTempFolder);
    return file.isFile() && !inTrash(file.filePath()) && !mmFile::ShortPath(file.filePath()).startsWith(temp)
        && name.compare(QFileInfo(m_transferListFile).fileName(), Qt::CaseInsensitive) == 0;
}

void FtpShellLink::shellEvent(const platform::ItemIdList& pidl1, const QString& name1, const QString& path1,
                              const platform::ItemIdList& pidl2, const QString& name2, const QString& path2)
{
    if (isLandedCopy(pidl1, name1, path1))
        takeBackLandedCopy(path1);
    else if (isLandedCopy(pidl2, name2, path2))
        takeBackLandedCopy(path2);
}

// The desktop copied the transfer-list file into a folder: the copy goes back to the temporary
// folder and, once the user agrees, what it names is downloaded into that folder.
void FtpShellLink::takeBackLandedCopy(const QString& path)
{
    const QFileInfo copy(mFTPMain::StripTrailingSlash(path));
    QFile file(copy.filePath());
    const QString content = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    file.close();
    // A copy still being written is taken when its writer closes it (a later event).
    if (!content.endsWith(QLatin1String("\r\n\r\n")))
        return;
    const QString folder = copy.absolutePath();
    platform::FileOpRequest move;
    move.function = platform::FO_MOVE;
    move.sources = {copy.filePath()};
    move.target = ftpSettings().FtpTempFolder;
    move.flags = platform::FOF_SILENT | platform::FOF_NOCONFIRMATION;
    platform::runFileOperation(move);
    const QString text = QStringLiteral("Download following files and folders ?\r\n"
                                        "If files already exist, they will be overwritten.\r\n\r\n")
                         + QString(content).replace(QLatin1Char('?'), QLatin1String("  size="));
    if (Boxara::instance().Show(text, QStringLiteral("Downloading..."), QStringLiteral("&Yes"), QStringLiteral("&No")) == 0)
        DownloadTransferList(folder);
}
