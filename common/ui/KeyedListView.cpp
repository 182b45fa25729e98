#include "common/ui/KeyedListView.h"

#include "common/ui/KeyedImageList.h"
#include "common/ui/KeyedListModel.h"

#include <QHeaderView>
#include <QListView>
#include <QStackedLayout>
#include <QTreeView>

KeyedListView::KeyedListView(QWidget* parent)
    : QWidget(parent), m_items(new KeyedListModel(this))
{
    m_stack = new QStackedLayout(this);
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_details = new QTreeView(this);
    m_details->setObjectName(QStringLiteral("details"));
    m_details->setRootIsDecorated(false);
    m_details->setItemsExpandable(false);
    m_details->setUniformRowHeights(true);
    m_details->setAllColumnsShowFocus(true);
    m_details->setModel(m_items);
    m_details->header()->setStretchLastSection(false);
    m_details->header()->setSectionsClickable(true);
    m_details->header()->setSortIndicatorShown(false);
    m_icon = new QListView(this);
    m_icon->setObjectName(QStringLiteral("icons"));
    m_icon->setModel(m_items);
    m_icon->setUniformItemSizes(true);
    m_icon->setResizeMode(QListView::Adjust);
    m_icon->setMovement(QListView::Static);
    // Both views share one selection, so the style can change without losing it.
    QItemSelectionModel* own = m_icon->selectionModel();
    m_icon->setSelectionModel(m_details->selectionModel());
    delete own;
    m_stack->addWidget(m_details);
    m_stack->addWidget(m_icon);
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(m_details), static_cast<QAbstractItemView*>(m_icon)}) {
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        connect(view, &QAbstractItemView::clicked, this, [this](const QModelIndex& at) { emit ItemClick(at.row()); });
        connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& at) { emit ItemDblClick(at.row()); });
    }
    connect(m_details->header(), &QHeaderView::sectionClicked, this, &KeyedListView::ColumnClick);
    SetMultiSelect(false);
    SetView(lvwReport);
}

int KeyedListView::AddColumn(const QString& key, const QString& text, int width, Qt::Alignment alignment)
{
    const int column = m_items->AddColumn(key, text, alignment);
    SetColumnWidth(column, width);
    return column;
}

int KeyedListView::ColumnWidth(int column) const
{
    return column >= 0 && column < m_items->columnCount() ? m_details->columnWidth(column) : 0;
}

void KeyedListView::SetColumnWidth(int column, int width)
{
    if (column >= 0 && column < m_items->columnCount() && width >= 0)
        m_details->setColumnWidth(column, width);
}

void KeyedListView::SetView(ViewStyle style)
{
    m_style = style;
    m_items->SetLargePictures(style == lvwIcon);
    if (style == lvwReport) {
        m_stack->setCurrentWidget(m_details);
    } else {
        m_icon->setViewMode(style == lvwIcon ? QListView::IconMode : QListView::ListMode);
        m_icon->setFlow(style == lvwList ? QListView::TopToBottom : QListView::LeftToRight);
        m_icon->setWrapping(true);
        m_icon->setWordWrap(style == lvwIcon);
        m_icon->setGridSize(style == lvwIcon ? QSize(96, 72) : QSize());
        m_stack->setCurrentWidget(m_icon);
    }
    pictureSizes();
    repaint();
}

void KeyedListView::pictureSizes()
{
    const QSize small = m_smallIcons ? m_smallIcons->ImageSize() : QSize(16, 16);
    const QSize large = m_icons ? m_icons->ImageSize() : QSize(32, 32);
    m_details->setIconSize(small);
    m_icon->setIconSize(m_style == lvwIcon ? large : small);
}

void KeyedListView::repaint()
{
    m_details->viewport()->update();
    m_icon->doItemsLayout();
    m_icon->viewport()->update();
}

void KeyedListView::SetIcons(KeyedImageList* icons)
{
    attach(m_icons, icons);
}

void KeyedListView::SetSmallIcons(KeyedImageList* icons)
{
    attach(m_smallIcons, icons);
}

void KeyedListView::attach(QPointer<KeyedImageList>& slot, KeyedImageList* icons)
{
    KeyedImageList* old = slot;
    slot = icons;
    // One list may serve as both the large and the small pictures.
    if (old && old != m_icons && old != m_smallIcons)
        disconnect(old, nullptr, this, nullptr);
    if (icons)
        connect(icons, &KeyedImageList::Changed, this, &KeyedListView::repaint, Qt::UniqueConnection);
    m_items->SetImageLists(m_icons, m_smallIcons);
    pictureSizes();
    repaint();
}

void KeyedListView::SetMultiSelect(bool multi)
{
    const auto mode = multi ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
    m_details->setSelectionMode(mode);
    m_icon->setSelectionMode(mode);
}

void KeyedListView::SetLabelEdit(bool allowed)
{
    m_items->SetLabelEditable(allowed);
}

void KeyedListView::SetSortState(int column, int order)
{
    m_sortKey = column;
    m_sortOrder = order;
    QHeaderView* header = m_details->header();
    header->setSortIndicatorShown(column >= 0);
    header->setSortIndicator(column, order == 1 ? Qt::DescendingOrder : Qt::AscendingOrder);
}

QAbstractItemView* KeyedListView::ItemView() const
{
    return m_style == lvwReport ? static_cast<QAbstractItemView*>(m_details) : m_icon;
}

QItemSelectionModel* KeyedListView::Selection() const
{
    return m_details->selectionModel();
}
