#pragma once

#include "ftp/engine/FtpEngineHost.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace Ui {
class fFTPMain;
}
class FtpRemoteTree;
class FtpShellLink;
class FtpSession;
class fFTPProgress;
class QLabel;
class QTreeWidgetItem;

// The FTP window: one connection at a time, its file list, folder tree, log and status line.
// The protocol engine (FtpSession) does the work; the window shows what it reports.
class fFTPMain : public QMainWindow, public FtpEngineHost {
    Q_OBJECT
public:
    // The one FTP window, made when needed.
    static fFTPMain* Open(QWidget* parent);
    static fFTPMain* Instance();
    static void UnloadAll();

    explicit fFTPMain(QWidget* parent = nullptr);
    ~fFTPMain() override;

    bool FTP_Connect(bool bQuick);
    bool ConnectAndLogOn();
    bool Disconnect();
    bool AbortCommand();
    bool MakeFolder();
    bool RenameItem();
    bool DeleteItems();
    bool RefreshFolder();
    bool GoUp();
    bool IsBusyNow() const;
    void UpdateCommands(bool forceConnected);
    // Double click or Enter on a list item: a folder opens, a file is downloaded and opened.
    void OpenItem(QTreeWidgetItem* item);

    FtpSession& Session() { return *m_session; }
    FtpRemoteTree& RemoteTree() { return *m_remoteTree; }
    FtpShellLink& ShellLink() { return *m_shellLink; }
    double SplitPercent() const { return m_split; }
    void SetSplitPercent(double percent);
    void SetTreeVisible(bool visible);
    QString StatusText(int panel) const;
    QString LogText() const;

    // FtpEngineHost
    void ShowStatus(const QString& text, int panel) override;
    void AppendLog(FtpLogColour colour, const QString& text) override;
    void UnloadWindow() override;
    void DisableGoUp() override;
    void ShowProgressLabels(const QString& from, const QString& to, const QString& file) override;
    void ShowProgress(const FtpProgress& progress) override;
    bool TransferCanceled() override;
    void StartProgress(const QString& caption) override;
    void EndProgress() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpControls();
    void setUpMenu();
    void layoutControls();
    void resetConnection();
    void setViewStyle(int style);
    bool listKey(QKeyEvent* event);
    bool listMouse(QEvent* event);
    bool splitterMouse(QEvent* event);
    void treeClicked(QTreeWidgetItem* node);
    void treeCollapsed(QTreeWidgetItem* node);
    void showSelectionCount(const QString& gap);
    void runMenuCommand(const std::function<void()>& command);
    void openWithTextEditor(const QString& path);

    std::unique_ptr<Ui::fFTPMain> ui;
    std::unique_ptr<FtpSession> m_session;
    FtpRemoteTree* m_remoteTree = nullptr;
    FtpShellLink* m_shellLink = nullptr;
    QPointer<fFTPProgress> m_progress;
    QLabel* m_statusPanels[2] = {nullptr, nullptr};
    QTimer m_tmrNOOP;
    QAction* m_treeButton = nullptr;
    QAction* m_goUpButton = nullptr;
    QAction* m_toolbarActions[3] = {nullptr, nullptr, nullptr};
    double m_split = 50;
    QString m_itemUnderMouse;
    bool m_treePressHitNode = false;
    bool m_dragArmed = false;
    QPoint m_pressPoint;
    bool m_unloading = false;
};
