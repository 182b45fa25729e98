#pragma once

#include <QString>

class KeyedListView;
class QAbstractItemView;

// The list-view helpers every window uses: counts, walking items by state, texts, selection, label
// editing and colours. Item indexes are 0-based rows; -1 means none. They work on any item view
// whose model has one item per row (the keyed list view's ItemView(), the folder view).
namespace mmListView {

enum ItemState { LVNI_ALL = 0, LVNI_FOCUSED = 1, LVNI_SELECTED = 2 };

int ItemCount(const QAbstractItemView* view);
int SelectedCount(const QAbstractItemView* view);
// The next item after `after` (-1: from the start) that has every state bit asked for.
int NextItem(const QAbstractItemView* view, int after, int state);
int FirstSelected(const QAbstractItemView* view);
// The item under the mouse pointer, -1 when the pointer is on none.
int ItemUnderCursor(const QAbstractItemView* view);
QString ItemText(const QAbstractItemView* view, int item, int column);
QString ColumnHeaderText(const QAbstractItemView* view, int column);
bool GetSelected(const QAbstractItemView* view, int item);
void SetSelected(QAbstractItemView* view, int item, bool selected);
// Selects the first item whose text is the name; others keep their state. False when none is.
bool SelectByName(QAbstractItemView* view, const QString& name);
// Selects every item whose text is one of the names of a list (each name followed by "\r\n");
// others keep their state. Answers how many items the list selected.
int SelectByList(QAbstractItemView* view, const QString& nameList);
void InvertSelection(QAbstractItemView* view);
// Starts editing an item's text; false when the view does not allow it.
bool BeginLabelEdit(QAbstractItemView* view, int item);

// Colours as Windows colour values (0x00BBGGRR).
quint32 GetBkColor(const KeyedListView& list);
void SetBkColor(KeyedListView& list, quint32 colour);
// CLR_NONE (0xFFFFFFFF) when item texts have no background of their own.
quint32 GetTextBkColor(const KeyedListView& list);
void SetTextBkColor(KeyedListView& list, quint32 colour);
quint32 GetTextColor(const KeyedListView& list);
void SetTextColor(KeyedListView& list, quint32 colour);

} // namespace mmListView
