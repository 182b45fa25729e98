#include "common/ui/mmListView.h"

#include "common/ui/KeyedListModel.h"
#include "common/ui/KeyedListView.h"

#include <QAbstractItemView>
#include <QCursor>
#include <QItemSelectionModel>
#include <QListView>
#include <QSet>
#include <QTreeView>

namespace mmListView {
namespace {

constexpr quint32 CLR_NONE = 0xFFFFFFFF;

QColor fromColorRef(quint32 colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

quint32 toColorRef(const QColor& colour)
{
    return quint32(colour.red()) | (quint32(colour.green()) << 8) | (quint32(colour.blue()) << 16);
}

QModelIndex itemIndex(const QAbstractItemView* view, int item)
{
    return view && view->model() ? view->model()->index(item, 0) : QModelIndex();
}

// Selects a whole set of rows in one step, which keeps a long list fast.
void selectRows(QAbstractItemView* view, const QList<int>& rows)
{
    QItemSelection selection;
    for (int row : rows)
        selection.select(itemIndex(view, row), itemIndex(view, row));
    view->selectionModel()->select(selection, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void setPaletteColour(KeyedListView& list, QPalette::ColorRole role, quint32 colour)
{
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(list.DetailsView()),
                                    static_cast<QAbstractItemView*>(list.IconView())}) {
        QPalette palette = view->palette();
        palette.setColor(role, fromColorRef(colour));
        view->setPalette(palette);
    }
}

} // namespace

int ItemCount(const QAbstractItemView* view)
{
    return view && view->model() ? view->model()->rowCount() : 0;
}

int SelectedCount(const QAbstractItemView* view)
{
    return view && view->selectionModel() ? int(view->selectionModel()->selectedRows().size()) : 0;
}

int NextItem(const QAbstractItemView* view, int after, int state)
{
    const int count = ItemCount(view);
    for (int row = qMax(-1, after) + 1; row < count; ++row) {
        if ((state & LVNI_SELECTED) && !GetSelected(view, row))
            continue;
        if ((state & LVNI_FOCUSED) && view->currentIndex().row() != row)
            continue;
        return row;
    }
    return -1;
}

int FirstSelected(const QAbstractItemView* view)
{
    return NextItem(view, -1, LVNI_SELECTED);
}

int ItemUnderCursor(const QAbstractItemView* view)
{
    if (!view)
        return -1;
    const QModelIndex at = view->indexAt(view->viewport()->mapFromGlobal(QCursor::pos()));
    return at.isValid() ? at.row() : -1;
}

QString ItemText(const QAbstractItemView* view, int item, int column)
{
    return view && view->model() ? view->model()->index(item, column).data().toString() : QString();
}

QString ColumnHeaderText(const QAbstractItemView* view, int column)
{
    return view && view->model() ? view->model()->headerData(column, Qt::Horizontal).toString() : QString();
}

bool GetSelected(const QAbstractItemView* view, int item)
{
    const QModelIndex at = itemIndex(view, item);
    return at.isValid() && view->selectionModel() && view->selectionModel()->isRowSelected(item, {});
}

void SetSelected(QAbstractItemView* view, int item, bool selected)
{
    const QModelIndex at = itemIndex(view, item);
    if (at.isValid() && view->selectionModel())
        view->selectionModel()->select(at, (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                                               QItemSelectionModel::Rows);
}

bool SelectByName(QAbstractItemView* view, const QString& name)
{
    const int count = ItemCount(view);
    for (int row = 0; row < count; ++row) {
        if (ItemText(view, row, 0) == name) {
            SetSelected(view, row, true);
            return true;
        }
    }
    return false;
}

int SelectByList(QAbstractItemView* view, const QString& nameList)
{
    // Whole names only: a name that merely ends another one ("b.txt" in "ab.txt") is not meant.
    const QStringList names = nameList.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const QSet<QString> wanted(names.begin(), names.end());
    QList<int> rows;
    const int count = ItemCount(view);
    for (int row = 0; row < count && !wanted.isEmpty(); ++row)
        if (wanted.contains(ItemText(view, row, 0)))
            rows.append(row);
    if (!rows.isEmpty())
        selectRows(view, rows);
    return int(rows.size());
}

void InvertSelection(QAbstractItemView* view)
{
    const int count = ItemCount(view);
    if (count == 0 || !view->selectionModel())
        return;
    const QItemSelection all(itemIndex(view, 0), itemIndex(view, count - 1));
    view->selectionModel()->select(all, QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
}

bool BeginLabelEdit(QAbstractItemView* view, int item)
{
    const QModelIndex at = itemIndex(view, item);
    if (!at.isValid() || !(at.flags() & Qt::ItemIsEditable))
        return false;
    view->setCurrentIndex(at);
    view->edit(at);
    return true;
}

quint32 GetBkColor(const KeyedListView& list)
{
    return toColorRef(list.DetailsView()->palette().color(QPalette::Base));
}

void SetBkColor(KeyedListView& list, quint32 colour)
{
    setPaletteColour(list, QPalette::Base, colour);
}

quint32 GetTextBkColor(const KeyedListView& list)
{
    const QColor colour = list.ListItems().TextBackground();
    return colour.isValid() ? toColorRef(colour) : CLR_NONE;
}

void SetTextBkColor(KeyedListView& list, quint32 colour)
{
    list.ListItems().SetTextBackground(colour == CLR_NONE ? QColor() : fromColorRef(colour));
}

quint32 GetTextColor(const KeyedListView& list)
{
    return toColorRef(list.DetailsView()->palette().color(QPalette::Text));
}

void SetTextColor(KeyedListView& list, quint32 colour)
{
    setPaletteColour(list, QPalette::Text, colour);
}

} // namespace mmListView
