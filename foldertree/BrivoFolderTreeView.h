#pragma once

#include "foldertree/cColShell.h"
#include "foldertree/cPidl.h"
#include "platform/shell/ItemIdList.h"

#include <QHash>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <memory>

class BrivoShellNotify;
class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class BrivoFolderTreeView;
}

// The shell namespace as a tree of folders rooted at the Desktop, each branch loaded when first
// opened, kept current by the change notifier through a refresh queue worked off on a 200 ms timer.
class BrivoFolderTreeView : public QWidget {
    Q_OBJECT
public:
    explicit BrivoFolderTreeView(QWidget* parent = nullptr);
    ~BrivoFolderTreeView() override;

    // The selected folder and the root (written by the control itself).
    QString SelFolder_Name, SelFolder_Path, SelFolder_Hier;
    platform::ItemIdList SelFolder_Pidl;
    quint32 SelFolder_Attr = 0;
    QString RootFolder_Name, RootFolder_Path, RootFolder_Hier;
    platform::ItemIdList RootFolder_Pidl;
    quint32 RootFolder_Attr = 0;
    // Lets an opened branch load and a selection change be reported.
    bool m_bSelChange = true;

    platform::ItemIdList ParentPidl() const;
    QPixmap SelLargeIcon() const;
    QPixmap SelSmallIcon() const;
    QTreeWidget* GetTv() const;
    const QHash<QString, cPidl>& ColItemData() const { return m_items; }

    void SetRootFolder(const QString& path);
    void SetRootFolder(const platform::ItemIdList& pidl);
    platform::ItemIdList SetSelFolder(const QString& path);
    platform::ItemIdList SetSelFolder(const platform::ItemIdList& pidl);
    platform::ItemIdList SetSelFolderByHier(const QString& sHier);
    bool GoToParent();
    bool GoToChild(const QString& sName);
    bool IsRoot() const;
    void SelFolderChanged();
    int ShellNotify(const QString& pszPath);
    int ShellNotify(const platform::ItemIdList& pidl);
    void SetFont(const QString& sFontName, quint32 hFont);
    void Activate();
    void Terminate();

    BrivoShellNotify* notifier() const { return BrivoShellNotify1; }
    QTimer* timer() { return &Timer1; }
    const QStringList& refreshQueue() const { return m_queue.items(); }

signals:
    void SelectionChanged();
    void UpdatePopmenu();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const platform::ItemIdList& pidlFq, const platform::ItemIdList& rel, int at = -1);
    void showNode(QTreeWidgetItem* item);
    void loadBranch(QTreeWidgetItem* item);
    void removeChildren(QTreeWidgetItem* item);
    const cPidl* recordOf(const QTreeWidgetItem* item) const;
    quint32 attributesOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* findChildNamed(QTreeWidgetItem* node, const QString& name, bool load);
    QTreeWidgetItem* deepestNode(const QString& hier, bool load, bool* firstMatched);
    platform::ItemIdList selectByHier(const QString& hier);
    void refresh(const QString& hier);
    void syncChildren(QTreeWidgetItem* node);
    void onTick();
    void onShellEvent(const QString& sEvent, const platform::ItemIdList& nPidl1, const QString& sPath1,
                      const platform::ItemIdList& nPidl2);
    void onContextMenu(const QPoint& at);
    void onItemExpanded(QTreeWidgetItem* item);
    void onItemCollapsed(QTreeWidgetItem* item);
    void onSelectionChanged();
    void onMousePress(const QPoint& at);
    void forgetItem(QTreeWidgetItem* item);

    std::unique_ptr<Ui::BrivoFolderTreeView> m_ui;
    QTreeWidget* TV1 = nullptr;
    QTimer Timer1;
    BrivoShellNotify* BrivoShellNotify1 = nullptr;
    QHash<QString, cPidl> m_items;     // ColItemData: by the node's parameter value
    quint32 m_nextParam = 1;
    cColShell m_queue;
    bool m_refreshBusy = false;
    QString m_historyHier;
    QTreeWidgetItem* m_selNode = nullptr;
    QTreeWidgetItem* m_pressed = nullptr;
    bool m_pressedEmpty = false;
    bool m_active = false;
};
