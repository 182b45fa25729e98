#pragma once

#include <QString>

class KeyedListView;

// The column sort of a keyed list view, by the kind of the column's values.
namespace mmListSort {

enum SortKind { SortDate = 0, SortNumber = 1, SortText = 3 };
enum SortOrderValue { SortAscending = 0, SortDescending = 1 };

// Sorts the items by the texts of a column read as dates and times, numbers (an optional leading
// "$" is skipped) or texts without regard to case; items with equal values keep their order.
// Order 1 is descending, any other ascending. The list remembers column and order as its sort
// state. A text that does not read as the kind asks answers false with the reason in *error and
// leaves the order as it was; so does a list changed while the sort let events run. Any other
// kind leaves the order unchanged and answers true.
bool SortColumn(KeyedListView& list, int column, int kind, int order, QString* error = nullptr);

} // namespace mmListSort
