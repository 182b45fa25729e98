#pragma once

#include "common/ui/KeyedImageList.h"

#include <QPointer>
#include <QWidget>

class KeyedListModel;
class QAbstractItemView;
class QItemSelectionModel;
class QListView;
class QStackedLayout;
class QTreeView;

// A list view of keyed items in the four styles of the common list view: large icons, small
// icons, list, and details with column headers. One model and one selection serve every style,
// so switching styles keeps the rows, keys and selection.
class KeyedListView : public QWidget {
    Q_OBJECT
public:
    enum ViewStyle { lvwIcon = 0, lvwSmallIcon = 1, lvwList = 2, lvwReport = 3 };

    explicit KeyedListView(QWidget* parent = nullptr);

    KeyedListModel& ListItems() const { return *m_items; }
    // A column with its header text and width in pixels; answers its index.
    int AddColumn(const QString& key, const QString& text, int width, Qt::Alignment alignment = Qt::AlignLeft);
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);

    ViewStyle View() const { return m_style; }
    void SetView(ViewStyle style);
    // Large pictures for the icon style, small ones for the others.
    void SetIcons(KeyedImageList* icons);
    void SetSmallIcons(KeyedImageList* icons);
    KeyedImageList* Icons() const { return m_icons; }
    KeyedImageList* SmallIcons() const { return m_smallIcons; }
    void SetMultiSelect(bool multi);
    // Label edits start only when the program asks for one (BeginLabelEdit).
    void SetLabelEdit(bool allowed);

    // The sort state a column sort leaves behind; shown as the header's sort mark.
    int SortKey() const { return m_sortKey; }
    int SortOrder() const { return m_sortOrder; }
    void SetSortState(int column, int order);

    QAbstractItemView* ItemView() const;
    QTreeView* DetailsView() const { return m_details; }
    QListView* IconView() const { return m_icon; }
    QItemSelectionModel* Selection() const;

signals:
    void ItemClick(int row);
    void ItemDblClick(int row);
    void ColumnClick(int column);

private:
    void attach(QPointer<KeyedImageList>& slot, KeyedImageList* icons);
    void pictureSizes();
    void repaint();

    KeyedListModel* m_items = nullptr;
    QStackedLayout* m_stack = nullptr;
    QTreeView* m_details = nullptr;
    QListView* m_icon = nullptr;
    QPointer<KeyedImageList> m_icons;
    QPointer<KeyedImageList> m_smallIcons;
    ViewStyle m_style = lvwReport;
    int m_sortKey = -1;
    int m_sortOrder = 0;
};
