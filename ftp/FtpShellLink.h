#pragma once

#include "platform/shell/ItemIdList.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

class BrivoShellNotify;
class QDropEvent;
class QMimeData;
class QTreeWidget;
class fFTPMain;

// The FTP window's links to the desktop: its file list as a drag source and a drop target, the
// clipboard, and the shell notifier that sees a transfer-list file land in a local folder.
// Files leave as a transfer-list file (the selected remote names); when the desktop copies it
// somewhere, the window downloads what it names into that folder. Local files dropped or pasted
// onto the list are uploaded.
class FtpShellLink : public QObject {
    Q_OBJECT
public:
    FtpShellLink(fFTPMain& window, QTreeWidget* list, QTreeWidget* tree);
    ~FtpShellLink() override;

    BrivoShellNotify* Notifier() const { return m_notify; }
    void Activate();
    void Terminate();
    // A connection that ends forgets what waited for the upload question.
    void StopTimer() { m_tmrOLE.stop(); }

    // The selected items of the current folder in a new transfer-list file; empty when there is none.
    QString WriteTransferList();
    const QString& TransferListFile() const { return m_transferListFile; }
    // The drag data: the file list of one transfer-list file, written when a drop target reads it.
    QMimeData* MakeDragData();
    void StartDrag();
    // Drag enter, drag move and drop on the file list.
    void ListDrop(QDropEvent* event);
    void CopyToClipboard();
    void PasteFromClipboard();
    // tmrOLE: the upload question for the dropped or pasted paths.
    void AskUploadDropped();
    bool DownloadTransferList(const QString& targetFolder);

private:
    void shellEvent(const platform::ItemIdList& pidl1, const QString& name1, const QString& path1,
                    const platform::ItemIdList& pidl2, const QString& name2, const QString& path2);
    bool isLandedCopy(const platform::ItemIdList& pidl, const QString& name, const QString& path) const;
    void takeBackLandedCopy(const QString& path);
    bool refusedDrop(const QStringList& paths) const;

    fFTPMain& m_window;
    QTreeWidget* m_list;
    QTreeWidget* m_tree;
    BrivoShellNotify* m_notify;
    QTimer m_tmrOLE;
    QStringList m_droppedPaths;
    QString m_transferListFile;
    QByteArray m_watchedDesktop;
};
