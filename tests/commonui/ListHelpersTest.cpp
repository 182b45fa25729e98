// The list-view helpers on a real keyed list view: walking, texts, selection, label edits, colours.
#include "common/ui/KeyedListModel.h"
#include "common/ui/KeyedListView.h"
#include "common/ui/mmListView.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace mmListView;

std::unique_ptr<KeyedListView> fileList()
{
    auto view = std::make_unique<KeyedListView>();
    view->SetMultiSelect(true);
    view->AddColumn("Name", "File Name", 160);
    view->AddColumn("Path", "Path", 120);
    for (const char* name : {"a.txt", "ab.txt", "b.txt", "B.TXT", "c d.txt"}) {
        const int row = view->ListItems().Add(name, name);
        view->ListItems().SetText(row, 1, QString("sub\\") + name);
    }
    return view;
}

QList<int> selectedRows(const QAbstractItemView* view)
{
    QList<int> rows;
    for (int row = NextItem(view, -1, LVNI_SELECTED); row >= 0; row = NextItem(view, row, LVNI_SELECTED))
        rows.append(row);
    return rows;
}

TEST(ListHelpers, CountsTextsAndWalking)
{
    auto list = fileList();
    QAbstractItemView* view = list->ItemView();
    EXPECT_EQ(ItemCount(view), 5);
    EXPECT_EQ(SelectedCount(view), 0);
    EXPECT_EQ(FirstSelected(view), -1);
    EXPECT_EQ(NextItem(view, -1, LVNI_ALL), 0);
    EXPECT_EQ(NextItem(view, 3, LVNI_ALL), 4);
    EXPECT_EQ(NextItem(view, 4, LVNI_ALL), -1);
    EXPECT_EQ(ItemText(view, 2, 0), "b.txt");
    EXPECT_EQ(ItemText(view, 2, 1), "sub\\b.txt");
    EXPECT_EQ(ItemText(view, 9, 0), "");
    EXPECT_EQ(ColumnHeaderText(view, 0), "File Name");
    EXPECT_EQ(ColumnHeaderText(view, 1), "Path");
    EXPECT_EQ(ColumnHeaderText(view, 2), "");
    SetSelected(view, 3, true);
    SetSelected(view, 1, true);
    EXPECT_EQ(selectedRows(view), QList<int>({1, 3}));
    EXPECT_TRUE(GetSelected(view, 3));
    SetSelected(view, 3, false);
    EXPECT_FALSE(GetSelected(view, 3));
    EXPECT_FALSE(GetSelected(view, 17));
    view->setCurrentIndex(view->model()->index(4, 0));
    EXPECT_EQ(NextItem(view, -1, LVNI_FOCUSED), 4);
}

struct ListSelectCase {
    const char* name;
    const char* list;
    QList<int> selected;
};

class SelectByListCases : public ::testing::TestWithParam<ListSelectCase> {};

TEST_P(SelectByListCases, SelectsWholeNamesOnly)
{
    auto list = fileList();
    SetSelected(list->ItemView(), 4, true);
    SelectByList(list->ItemView(), GetParam().list);
    EXPECT_EQ(selectedRows(list->ItemView()), GetParam().selected);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, SelectByListCases,
    ::testing::Values(ListSelectCase{"TrailingLineEnd", "a.txt\r\nb.txt\r\n", {0, 2, 4}},
                      ListSelectCase{"LastNameWithoutLineEnd", "a.txt\r\nb.txt", {0, 2, 4}},
                      ListSelectCase{"NameInsideAnotherIsNotMeant", "ab.txt\r\n", {1, 4}},
                      ListSelectCase{"LetterCaseCounts", "B.TXT\r\n", {3, 4}},
                      ListSelectCase{"NamesWithBlanks", "c d.txt\r\n", {4}},
                      ListSelectCase{"EmptyList", "", {4}},
                      ListSelectCase{"UnknownNames", "zzz\r\n\r\n", {4}}),
    [](const ::testing::TestParamInfo<ListSelectCase>& info) { return info.param.name; });

TEST(ListHelpers, SelectByListCountsWhatItSelected)
{
    auto list = fileList();
    EXPECT_EQ(SelectByList(list->ItemView(), "a.txt\r\nB.TXT\r\nmissing\r\n"), 2);
}

TEST(ListHelpers, SelectByNameTakesTheFirstExactMatch)
{
    auto list = fileList();
    EXPECT_TRUE(SelectByName(list->ItemView(), "B.TXT"));
    EXPECT_FALSE(SelectByName(list->ItemView(), "b"));
    EXPECT_TRUE(SelectByName(list->ItemView(), "a.txt"));
    EXPECT_EQ(selectedRows(list->ItemView()), QList<int>({0, 3}));
}

TEST(ListHelpers, InvertSelectionFlipsEveryItem)
{
    auto list = fileList();
    SetSelected(list->ItemView(), 0, true);
    SetSelected(list->ItemView(), 3, true);
    InvertSelection(list->ItemView());
    EXPECT_EQ(selectedRows(list->ItemView()), QList<int>({1, 2, 4}));
    InvertSelection(list->ItemView());
    EXPECT_EQ(selectedRows(list->ItemView()), QList<int>({0, 3}));
    KeyedListView empty;
    InvertSelection(empty.ItemView());
    EXPECT_EQ(SelectedCount(empty.ItemView()), 0);
}

TEST(ListHelpers, ItemUnderTheMousePointer)
{
    auto list = fileList();
    list->resize(400, 300);
    list->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
    QAbstractItemView* view = list->ItemView();
    const QRect third = view->visualRect(view->model()->index(2, 0));
    QCursor::setPos(view->viewport()->mapToGlobal(third.center()));
    EXPECT_EQ(ItemUnderCursor(view), 2);
    QCursor::setPos(view->viewport()->mapToGlobal(QPoint(5, view->viewport()->height() - 3)));
    EXPECT_EQ(ItemUnderCursor(view), -1);
}

TEST(ListHelpers, LabelEditOnlyWhereAllowed)
{
    auto list = fileList();
    list->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
    EXPECT_FALSE(BeginLabelEdit(list->ItemView(), 1));
    list->SetLabelEdit(true);
    QString edited;
    QObject::connect(&list->ListItems(), &KeyedListModel::AfterLabelEdit,
                     [&](int row, const QString& oldText, const QString& newText) {
                         edited = QString::number(row) + ':' + oldText + '>' + newText;
                     });
    ASSERT_TRUE(BeginLabelEdit(list->ItemView(), 1));
    auto* editor = list->ItemView()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("renamed.txt");
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate hands the text over from the event loop.
    QCoreApplication::processEvents();
    EXPECT_EQ(edited, "1:ab.txt>renamed.txt");
    EXPECT_EQ(list->ListItems().Text(1), "renamed.txt");
    EXPECT_FALSE(BeginLabelEdit(list->ItemView(), 8));
}

TEST(ListHelpers, ColoursAsWindowsColourValues)
{
    auto list = fileList();
    SetBkColor(*list, 0x00336699);
    SetTextColor(*list, 0x000000FF);
    EXPECT_EQ(GetBkColor(*list), 0x00336699u);
    EXPECT_EQ(GetTextColor(*list), 0x000000FFu);
    EXPECT_EQ(list->IconView()->palette().color(QPalette::Base), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(list->DetailsView()->palette().color(QPalette::Text), QColor(0xFF, 0, 0));
    EXPECT_EQ(GetTextBkColor(*list), 0xFFFFFFFFu);
    SetTextBkColor(*list, 0x00FFFFFF);
    EXPECT_EQ(GetTextBkColor(*list), 0x00FFFFFFu);
    EXPECT_EQ(list->ListItems().index(0, 1).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::white));
    SetTextBkColor(*list, 0xFFFFFFFF);
    EXPECT_FALSE(list->ListItems().index(0, 1).data(Qt::BackgroundRole).isValid());
}

} // namespace
