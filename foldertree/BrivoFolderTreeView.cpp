#include "foldertree/BrivoFolderTreeView.h"

#include "ui_BrivoFolderTreeView.h"

#include "common/mmFile.h"
#include "common/ui/mmShellMenu.h"
#include "common/ui/mmWindow.h"
#include "platform/core/DoEvents.h"
#include "platform/core/FileName.h"
#include "platform/shell/FileTypes.h"
#include "platform/shell/ShellChangeHub.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/ShellTypes.h"
#include "platform/ui/shell/SystemImageList.h"
#include "shellnotify/BrivoShellNotify.h"

#include <QMouseEvent>
#include <QTreeWidget>

#include <algorithm>

using namespace platform;

namespace {

constexpr int ParamRole = Qt::UserRole;
constexpr quint32 BranchFlags = SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN;   // 160

QString withoutTrailing(QString text)
{
    if (text.endsWith(QLatin1Char('\\')))
        text.chop(1);
    return text;
}

bool isFloppy(const QString& text)
{
    return text.contains(QLatin1String("A:")) || text.contains(QLatin1String("B:"));
}

} // namespace

BrivoFolderTreeView::BrivoFolderTreeView(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::BrivoFolderTreeView>())
{
    m_ui->setupUi(this);
    TV1 = m_ui->TV1;
    BrivoShellNotify1 = new BrivoShellNotify(this);
    BrivoShellNotify1->setObjectName(QStringLiteral("BrivoShellNotify1"));
    BrivoShellNotify1->hide();
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(200);
    connect(&Timer1, &QTimer::timeout, this, &BrivoFolderTreeView::onTick);
    connect(TV1, &QTreeWidget::itemExpanded, this, &BrivoFolderTreeView::onItemExpanded);
    connect(TV1, &QTreeWidget::itemCollapsed, this, &BrivoFolderTreeView::onItemCollapsed);
    connect(TV1, &QTreeWidget::itemSelectionChanged, this, &BrivoFolderTreeView::onSelectionChanged);
    connect(TV1, &QTreeWidget::itemClicked, this, [this] { m_bSelChange = true; });
    connect(TV1, &QWidget::customContextMenuRequested, this, &BrivoFolderTreeView::onContextMenu);
    connect(BrivoShellNotify1, &BrivoShellNotify::ShellEvent, this,
            [this](const QString& e, const ItemIdList& p1, const QString&, const QString& s1, const QString&,
                   const ItemIdList& p2, const QString&, const QString&, const QString&) { onShellEvent(e, p1, s1, p2); });
    TV1->viewport()->installEventFilter(this);
}

BrivoFolderTreeView::~BrivoFolderTreeView()
{
    Terminate();
}

void BrivoFolderTreeView::Activate()
{
    if (m_active)
        return;
    m_active = true;
    m_historyHier = ShellNamespace::hierarchyText(ShellNamespace::specialFolder(CSIDL_HISTORY));
    m_bSelChange = true;
    TV1->setSelectionMode(QAbstractItemView::SingleSelection);
    SetRootFolder(ItemIdList::desktop());
    BrivoShellNotify1->Activate();
    DoEvents();
}

void BrivoFolderTreeView::Terminate()
{
    if (!m_active)
        return;
    m_active = false;
    Timer1.stop();
    BrivoShellNotify1->Terminate();
    while (TV1->topLevelItemCount() > 0) {
        QTreeWidgetItem* top = TV1->takeTopLevelItem(0);
        forgetItem(top);
        delete top;
    }
    m_items.clear();
}

QTreeWidget* BrivoFolderTreeView::GetTv() const
{
    return TV1;
}

const cPidl* BrivoFolderTreeView::recordOf(const QTreeWidgetItem* item) const
{
    if (!item)
        return nullptr;
    const auto found = m_items.constFind(QString::number(item->data(0, ParamRole).toUInt()));
    return found == m_items.constEnd() ? nullptr : &*found;
}

quint32 BrivoFolderTreeView::attributesOf(const QTreeWidgetItem* item) const
{
    const cPidl* record = recordOf(item);
    return record ? ShellNamespace::attributes(record->pidlFq, SFGAO_FOLDER | SFGAO_SHARE | SFGAO_HASSUBFOLDER) : 0;
}

QTreeWidgetItem* BrivoFolderTreeView::addNode(QTreeWidgetItem* parent, const ItemIdList& pidlFq, const ItemIdList& rel, int at)
{
    auto* item = new QTreeWidgetItem;
    const quint32 param = m_nextParam++;
    item->setData(0, ParamRole, param);
    item->setText(0, ShellNamespace::displayName(pidlFq, SHGDN_INFOLDER));
    m_items.insert(QString::number(param), {pidlFq, rel});
    if (parent)
        parent->insertChild(at < 0 ? parent->childCount() : at, item);
    else
        TV1->addTopLevelItem(item);
    showNode(item);
    return item;
}

void BrivoFolderTreeView::showNode(QTreeWidgetItem* item)
{
    const cPidl* record = recordOf(item);
    if (!record)
        return;
    QIcon icon;
    icon.addPixmap(SystemImageList::pixmap(FileTypes::iconIndex(record->pidlFq), true), QIcon::Normal);
    icon.addPixmap(SystemImageList::pixmap(FileTypes::iconIndex(record->pidlFq, true), true), QIcon::Selected);
    item->setIcon(0, icon);
    // Floppy drives are never touched just to draw them.
    const quint32 attr = isFloppy(item->text(0)) ? quint32(SFGAO_HASSUBFOLDER) : attributesOf(item);
    QFont font = item->font(0);
    font.setItalic(attr & SFGAO_SHARE);
    item->setFont(0, font);
    item->setChildIndicatorPolicy((attr & SFGAO_HASSUBFOLDER) ? QTreeWidgetItem::ShowIndicator
                                                              : QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void BrivoFolderTreeView::loadBranch(QTreeWidgetItem* item)
{
    const cPidl* record = recordOf(item);
    if (!record || item->childCount() > 0 || !m_bSelChange)
        return;
    const ItemIdList folder = record->pidlFq;
    QList<ItemIdList> children = ShellNamespace::enumerate(folder, BranchFlags);
    std::stable_sort(children.begin(), children.end(), [&](const ItemIdList& a, const ItemIdList& b) {
        return ShellNamespace::compare(folder, a, b) < 0;
    });
    for (const ItemIdList& child : children)
        addNode(item, ItemIdList::join(folder, child), child);
    if (children.isEmpty())
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void BrivoFolderTreeView::forgetItem(QTreeWidgetItem* item)
{
    for (int i = 0; i < item->childCount(); ++i)
        forgetItem(item->child(i));
    const QString key = QString::number(item->data(0, ParamRole).toUInt());
    if (item->isExpanded()) {
        const QByteArray path = ShellNamespace::pathBytes(m_items.value(key).pidlFq);
        ShellChangeHub::instance().unwatchFolder(path);
    }
    m_items.remove(key);
    if (item == m_selNode)
        m_selNode = nullptr;
    if (item == m_pressed)
        m_pressed = nullptr;
}

void BrivoFolderTreeView::removeChildren(QTreeWidgetItem* item)
{
    const QList<QTreeWidgetItem*> children = item->takeChildren();
    for (QTreeWidgetItem* child : children) {
        forgetItem(child);
        delete child;
    }
}

void BrivoFolderTreeView::onItemExpanded(QTreeWidgetItem* item)
{
    loadBranch(item);
    if (const cPidl* record = recordOf(item))
        ShellChangeHub::instance().watchFolder(ShellNamespace::pathBytes(record->pidlFq));
}

void BrivoFolderTreeView::onItemCollapsed(QTreeWidgetItem* item)
{
    if (const cPidl* record = recordOf(item))
        ShellChangeHub::instance().unwatchFolder(ShellNamespace::pathBytes(record->pidlFq));
}

void BrivoFolderTreeView::SetRootFolder(const QString& path)
{
    const ItemIdList pidl = ShellNamespace::parse(mmFile::StripTrailingSeparator(path));
    if (!pidl.isNull())
        SetRootFolder(pidl);
}

void BrivoFolderTreeView::SetRootFolder(const ItemIdList& pidl)
{
    if (pidl.isNull())
        return;
    while (TV1->topLevelItemCount() > 0) {
        QTreeWidgetItem* top = TV1->takeTopLevelItem(0);
        forgetItem(top);
        delete top;
    }
    QTreeWidgetItem* root = addNode(nullptr, pidl, pidl.isDesktop() ? pidl : pidl.single(-1));
    TV1->setCurrentItem(root);
    root->setExpanded(true);
    if (RootFolder_Pidl != pidl) {
        RootFolder_Pidl = pidl;
        RootFolder_Name = root->text(0);
        const QString p = ShellNamespace::path(pidl);
        RootFolder_Path = p.isEmpty() ? QString() : mmFile::AddTrailingSeparator(p);
        RootFolder_Attr = ShellNamespace::attributes(pidl);
        RootFolder_Hier = ShellNamespace::hierarchyText(pidl);
    }
}

ItemIdList BrivoFolderTreeView::SetSelFolder(const QString& path)
{
    return SetSelFolderByHier(ShellNamespace::hierarchyTextOfPath(path));
}

ItemIdList BrivoFolderTreeView::SetSelFolder(const ItemIdList& pidl)
{
    if (pidl.isNull())
        return {};
    return SetSelFolderByHier(ShellNamespace::hierarchyText(pidl));
}

ItemIdList BrivoFolderTreeView::SetSelFolderByHier(const QString& sHier)
{
    return selectByHier(sHier);
}

QTreeWidgetItem* BrivoFolderTreeView::findChildNamed(QTreeWidgetItem* node, const QString& name, bool load)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        for (int i = 0; i < node->childCount(); ++i)
            if (node->child(i)->text(0) == name)
                return node->child(i);
        if (!load || node->childCount() > 0)
            return nullptr;
        node->setExpanded(true);   // loads the branch
        DoEvents();
    }
    return nullptr;
}

QTreeWidgetItem* BrivoFolderTreeView::deepestNode(const QString& hier, bool load, bool* firstMatched)
{
    QTreeWidgetItem* root = TV1->topLevelItem(0);
    *firstMatched = false;
    if (!root)
        return nullptr;
    const QString target = withoutTrailing(hier);
    const QString rootHier = withoutTrailing(ShellNamespace::hierarchyText(recordOf(root)->pidlFq));
    if (target == rootHier) {
        *firstMatched = true;
        return root;
    }
    QString rest = target;
    rest.replace(rootHier + QLatin1Char('\\'), QString());
    const QStringList names = withoutTrailing(rest).split(QLatin1Char('\\'));
    QTreeWidgetItem* node = root;
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (load && node->childCount() == 0 && i + 1 < names.size()) {
            node->setExpanded(true);
            DoEvents();
        }
        QTreeWidgetItem* next = findChildNamed(node, names[i], load);
        if (!next || !(attributesOf(next) & SFGAO_FOLDER))
            break;
        node = next;
        *firstMatched = true;
    }
    return node;
}

ItemIdList BrivoFolderTreeView::selectByHier(const QString& hier)
{
    bool matched = false;
    QTreeWidgetItem* node = deepestNode(hier, true, &matched);
    if (!node || !matched)
        return {};
    if (node == TV1->topLevelItem(0))
        node->setExpanded(true);
    TV1->setCurrentItem(node);
    m_selNode = node;
    SelFolderChanged();
    return recordOf(node) ? recordOf(node)->pidlFq : ItemIdList();
}

void BrivoFolderTreeView::SelFolderChanged()
{
    QTreeWidgetItem* node = TV1->currentItem();
    const cPidl* record = recordOf(node);
    if (record && record->pidlFq != SelFolder_Pidl) {
        SelFolder_Pidl = record->pidlFq;
        SelFolder_Name = node->text(0);
        const QString path = ShellNamespace::path(record->pidlFq);
        SelFolder_Path = path.isEmpty() ? QString() : mmFile::AddTrailingSeparator(path);
        SelFolder_Attr = ShellNamespace::attributes(record->pidlFq);
        SelFolder_Hier = ShellNamespace::hierarchyText(record->pidlFq);
        m_selNode = node;
    }
    // A refresh never makes the host navigate. Held back only while a pass runs: a refresh that
    // is merely pending must not swallow the user's own choice of folder.
    if (!m_refreshBusy)
        emit SelectionChanged();
}

bool BrivoFolderTreeView::GoToParent()
{
    m_bSelChange = true;
    QTreeWidgetItem* node = TV1->currentItem();
    if (!node || !node->parent())
        return false;
    TV1->setCurrentItem(node->parent());
    return true;
}

bool BrivoFolderTreeView::GoToChild(const QString& sName)
{
    m_bSelChange = true;
    QTreeWidgetItem* node = TV1->currentItem();
    if (!node)
        return false;
    QTreeWidgetItem* child = findChildNamed(node, sName, true);
    if (!child) {
        refresh(SelFolder_Hier);
        selectByHier(SelFolder_Hier);
        node = TV1->currentItem();
        child = node ? findChildNamed(node, sName, true) : nullptr;
    }
    if (!child)
        return false;
    TV1->setCurrentItem(child);
    return true;
}

bool BrivoFolderTreeView::IsRoot() const
{
    return SelFolder_Pidl == RootFolder_Pidl;
}

ItemIdList BrivoFolderTreeView::ParentPidl() const
{
    const QTreeWidgetItem* node = TV1->currentItem();
    const cPidl* record = node ? recordOf(node->parent()) : nullptr;
    return record ? record->pidlFq : ItemIdList();
}

QPixmap BrivoFolderTreeView::SelLargeIcon() const
{
    return SelFolder_Pidl.isNull() ? QPixmap() : SystemImageList::pixmap(FileTypes::iconIndex(SelFolder_Pidl), false);
}

QPixmap BrivoFolderTreeView::SelSmallIcon() const
{
    return SelFolder_Pidl.isNull() ? QPixmap() : SystemImageList::pixmap(FileTypes::iconIndex(SelFolder_Pidl), true);
}

int BrivoFolderTreeView::ShellNotify(const QString& pszPath)
{
    const QString hier = ShellNamespace::hierarchyTextOfPath(pszPath);
    if (!hier.isEmpty()) {
        m_queue.add(hier);
        Timer1.start();
    }
    return 0;
}

int BrivoFolderTreeView::ShellNotify(const ItemIdList& pidl)
{
    const QString hier = ShellNamespace::hierarchyText(pidl);
    if (hier.isEmpty() || (!m_historyHier.isEmpty() && hier.contains(m_historyHier)))
        return 0;
    m_queue.add(hier);
    Timer1.start();
    return 0;
}

void BrivoFolderTreeView::onTick()
{
    if (m_refreshBusy)
        return;
    DoEvents();
    if (!m_queue.isEmpty()) {
        m_refreshBusy = true;
        while (!m_queue.isEmpty())
            refresh(m_queue.takeFirst());
        if (TV1->currentItem() != m_selNode || !m_selNode)
            selectByHier(SelFolder_Hier);
        m_refreshBusy = false;
    }
    if (m_queue.isEmpty())
        Timer1.stop();
}

// Brings a loaded branch up to date: nodes of items that are gone leave, new items get nodes in
// the shell's order. A refresh covers the whole open branch below (the queue drops the entries
// under it): open nodes that stay are brought up to date the same way, closed ones lose their
// children and load them afresh when opened.
void BrivoFolderTreeView::syncChildren(QTreeWidgetItem* node)
{
    const cPidl* record = recordOf(node);
    if (!record)
        return;
    const ItemIdList folder = record->pidlFq;
    QList<ItemIdList> now = ShellNamespace::enumerate(folder, BranchFlags);
    std::stable_sort(now.begin(), now.end(), [&](const ItemIdList& a, const ItemIdList& b) {
        return ShellNamespace::compare(folder, a, b) < 0;
    });
    QHash<QByteArray, QTreeWidgetItem*> kept;
    for (int i = node->childCount() - 1; i >= 0; --i) {
        QTreeWidgetItem* child = node->child(i);
        const cPidl* childRecord = recordOf(child);
        if (childRecord && now.contains(childRecord->PidlRel)) {
            kept.insert(childRecord->PidlRel.bytes(), child);
            continue;
        }
        forgetItem(child);
        delete node->takeChild(i);
    }
    for (int i = 0; i < now.size(); ++i) {
        QTreeWidgetItem* child = kept.value(now[i].bytes());
        if (child && child->isExpanded())
            syncChildren(child);
        else if (child)
            removeChildren(child);
        if (child)
            showNode(child);
        else
            addNode(node, ItemIdList::join(folder, now[i]), now[i], i);
    }
}

void BrivoFolderTreeView::refresh(const QString& hier)
{
    bool matched = false;
    QTreeWidgetItem* node = deepestNode(hier, false, &matched);
    if (!node)
        return;
    if (node->childCount() > 0 || node->isExpanded())
        syncChildren(node);
    showNode(node);
    if (node->isExpanded() && node->childCount() == 0)
        node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    TV1->viewport()->update();
}

void BrivoFolderTreeView::onShellEvent(const QString& sEvent, const ItemIdList& nPidl1, const QString& sPath1,
                                       const ItemIdList& nPidl2)
{
    static const QStringList kinds = {QStringLiteral("NETSHARE"), QStringLiteral("DIR"), QStringLiteral("FOLDER"),
                                      QStringLiteral("DRIVE")};
    const bool drive = sEvent.contains(QLatin1String("DRIVE"));
    const bool relevant = std::any_of(kinds.begin(), kinds.end(), [&](const QString& k) { return sEvent.contains(k); });
    if (!sPath1.toUpper().contains(QLatin1String("RECYCLED")) && !nPidl1.isNull() && relevant) {
        ShellNotify(nPidl1);
        if (!nPidl2.isNull())
            ShellNotify(nPidl2);
        // A volume that comes or goes changes the list of its parent (Computer, Network).
        if (drive)
            ShellNotify(nPidl1.parent());
    }
    if (drive)
        emit UpdatePopmenu();
}

void BrivoFolderTreeView::onSelectionChanged()
{
    if (m_refreshBusy)
        return;   // nodes come and go during a refresh; the selection is restored afterwards
    if (recordOf(TV1->currentItem()) && m_bSelChange)
        SelFolderChanged();
}

void BrivoFolderTreeView::onMousePress(const QPoint& at)
{
    m_pressed = TV1->itemAt(at);
    m_pressedEmpty = m_pressed == nullptr;
    if (!m_pressed) {
        m_bSelChange = true;
        return;
    }
    if (TV1->currentItem() && isFloppy(TV1->currentItem()->text(0)))
        showNode(m_pressed);
    const cPidl* record = recordOf(m_pressed);
    if (record && (ShellNamespace::attributes(record->pidlFq, SFGAO_FOLDER) & SFGAO_FOLDER)) {
        m_bSelChange = ShellNamespace::canEnumerate(record->pidlFq);
    } else {
        if (record)
            ShellNotify(record->pidlFq);
        m_bSelChange = false;
    }
}

bool BrivoFolderTreeView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TV1->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton)
                onMousePress(mouse->position().toPoint());
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            if (m_pressedEmpty) {
                GoToParent();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BrivoFolderTreeView::onContextMenu(const QPoint& at)
{
    QTreeWidgetItem* item = TV1->itemAt(at);
    const cPidl* record = recordOf(item);
    if (!record || record->pidlFq.isDesktop())
        return;
    mmShellMenu::ShellContextMenu(TV1, record->pidlFq.parent(), {record->PidlRel}, TV1->viewport()->mapToGlobal(at));
}

void BrivoFolderTreeView::SetFont(const QString& sFontName, quint32)
{
    mmWindow::SetFontName(this, sFontName);
}
