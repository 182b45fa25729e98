// The column sort by kind: dates, numbers with an optional "$", texts without regard to case.
#include "common/ui/KeyedListModel.h"
#include "common/ui/KeyedListView.h"
#include "common/ui/mmListSort.h"
#include "common/ui/mmListView.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLocale>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using mmListSort::SortColumn;

// A list whose item keys are "k0", "k1", … in the order added, column 1 holding the texts.
void fill(KeyedListView& view, const std::vector<QString>& texts)
{
    view.AddColumn("Name", "Name", 100);
    view.AddColumn("Value", "Value", 100);
    for (size_t i = 0; i < texts.size(); ++i) {
        const int row = view.ListItems().Add("k" + QString::number(i), "item " + QString::number(i));
        view.ListItems().SetText(row, 1, texts[i]);
    }
}

std::string keyOrder(const KeyedListView& view)
{
    std::string order;
    for (int row = 0; row < view.ListItems().Count(); ++row)
        order += (row ? " " : "") + view.ListItems().Key(row).toStdString();
    return order;
}

QString shortDateTime(int year, int month, int day, int hour, int minute)
{
    const QLocale locale = QLocale::system();
    const QDateTime when(QDate(year, month, day), QTime(hour, minute));
    return locale.toString(when.date(), QLocale::ShortFormat) + ' ' + locale.toString(when.time(), QLocale::ShortFormat);
}

struct SortCase {
    const char* name;
    int kind;
    int order;
    std::vector<QString> texts;
    const char* expected;
};

class ColumnSort : public ::testing::TestWithParam<SortCase> {};

TEST_P(ColumnSort, PutsItemsInOrder)
{
    const SortCase& c = GetParam();
    KeyedListView view;
    fill(view, c.texts);
    QString error;
    EXPECT_TRUE(SortColumn(view, 1, c.kind, c.order, &error)) << error.toStdString();
    EXPECT_EQ(keyOrder(view), c.expected);
    EXPECT_EQ(view.SortKey(), 1);
    EXPECT_EQ(view.SortOrder(), c.order);
}

std::vector<QString> dates()
{
    return {shortDateTime(2021, 3, 4, 10, 0), shortDateTime(1998, 12, 31, 23, 59), shortDateTime(2021, 3, 4, 9, 30),
            shortDateTime(2005, 7, 1, 0, 0)};
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ColumnSort,
    ::testing::Values(
        SortCase{"DateAscendingEarliestFirst", mmListSort::SortDate, 0, dates(), "k1 k3 k2 k0"},
        SortCase{"DateOrderOneReverses", mmListSort::SortDate, 1, dates(), "k0 k2 k3 k1"},
        SortCase{"DateOtherOrderAscends", mmListSort::SortDate, 7, dates(), "k1 k3 k2 k0"},
        SortCase{"NumberWithDollar", mmListSort::SortNumber, 0, {"$12.5", "3", "$ 100", "1,234", "-2"}, "k4 k1 k0 k2 k3"},
        SortCase{"NumberPaddedDescending", mmListSort::SortNumber, 1, {"      10", "       9", "$0.5"}, "k0 k1 k2"},
        SortCase{"NumberEqualKeepOrder", mmListSort::SortNumber, 0, {"5", "$5", "5.0", "1"}, "k3 k0 k1 k2"},
        SortCase{"TextCaseOnlyDifferentIsEqual", mmListSort::SortText, 0, {"beta", "Alpha", "ALPHA", "alpha"}, "k1 k2 k3 k0"},
        SortCase{"TextDescendingKeepsEqualOrder", mmListSort::SortText, 1, {"alpha", "Beta", "ALPHA", "beta"}, "k1 k3 k0 k2"},
        SortCase{"TextEmptyFirst", mmListSort::SortText, 0, {"b", "", "a"}, "k1 k2 k0"},
        SortCase{"UnknownKindLeavesOrder", 2, 0, {"b", "a", "c"}, "k0 k1 k2"}),
    [](const ::testing::TestParamInfo<SortCase>& info) { return info.param.name; });

struct FailCase {
    const char* name;
    int kind;
    std::vector<QString> texts;
    const char* culprit;
};

class ColumnSortFailure : public ::testing::TestWithParam<FailCase> {};

TEST_P(ColumnSortFailure, ReportsTheTextAndKeepsTheOrder)
{
    const FailCase& c = GetParam();
    KeyedListView view;
    fill(view, c.texts);
    const std::string before = keyOrder(view);
    QString error;
    EXPECT_FALSE(SortColumn(view, 1, c.kind, 0, &error));
    EXPECT_TRUE(error.contains(c.culprit)) << error.toStdString();
    EXPECT_EQ(keyOrder(view), before);
    // No error text asked for: still false.
    EXPECT_FALSE(SortColumn(view, 1, c.kind, 1));
    EXPECT_EQ(keyOrder(view), before);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ColumnSortFailure,
    ::testing::Values(FailCase{"NumberWithWord", mmListSort::SortNumber, {"3", "12 apples", "1"}, "12 apples"},
                      FailCase{"EmptyNumber", mmListSort::SortNumber, {"3", "", "1"}, "row 2"},
                      FailCase{"DateWithWord", mmListSort::SortDate, {shortDateTime(2020, 1, 1, 1, 1), "yesterday"}, "yesterday"},
                      FailCase{"EmptyDate", mmListSort::SortDate, {shortDateTime(2020, 1, 1, 1, 1), ""}, "row 2"}),
    [](const ::testing::TestParamInfo<FailCase>& info) { return info.param.name; });

TEST(ColumnSortState, SelectionAndKeysFollowTheRows)
{
    KeyedListView view;
    view.SetMultiSelect(true);
    fill(view, {"30", "10", "20"});
    mmListView::SetSelected(view.ItemView(), 0, true);
    ASSERT_TRUE(SortColumn(view, 1, mmListSort::SortNumber, 0));
    EXPECT_EQ(keyOrder(view), "k1 k2 k0");
    EXPECT_EQ(mmListView::FirstSelected(view.ItemView()), 2);
    EXPECT_EQ(mmListView::SelectedCount(view.ItemView()), 1);
    EXPECT_EQ(view.ListItems().Find("k0"), 2);
    EXPECT_EQ(view.ListItems().Text(2, 0), "item 0");
    EXPECT_TRUE(view.DetailsView()->header()->isSortIndicatorShown());
    EXPECT_EQ(view.DetailsView()->header()->sortIndicatorSection(), 1);
}

TEST(ColumnSortState, ListChangedWhileEventsRanIsNotReordered)
{
    KeyedListView view;
    std::vector<QString> texts;
    for (int i = 0; i < 5000; ++i)
        texts.push_back(QString::number((i * 7919) % 5000));
    fill(view, texts);
    // Runs from the sort's own event passes, as a user's click would.
    QTimer::singleShot(0, &view, [&view] { view.ListItems().Remove(0); });
    QString error;
    EXPECT_FALSE(SortColumn(view, 1, mmListSort::SortText, 0, &error));
    EXPECT_TRUE(error.contains("changed")) << error.toStdString();
    ASSERT_EQ(view.ListItems().Count(), 4999);
    EXPECT_EQ(view.ListItems().Key(0), "k1");
    EXPECT_EQ(view.ListItems().Key(4998), "k4999");
}

} // namespace
