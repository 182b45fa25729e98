// The keyed list view and image list as windows use them: keys, tags, sub-items, pictures by key.
#include "common/ui/KeyedImageList.h"
#include "common/ui/KeyedListModel.h"
#include "common/ui/KeyedListView.h"
#include "common/ui/mmListView.h"
#include "common/ui/mmShellIcon.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QListView>
#include <QPixmap>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

QIcon colourPicture(Qt::GlobalColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

TEST(KeyedImageList, SameKeyTwiceAddsOnePicture)
{
    KeyedImageList list;
    EXPECT_EQ(list.Add("Mail", colourPicture(Qt::red)), 1);
    EXPECT_EQ(list.Add("Spam", colourPicture(Qt::blue)), 2);
    EXPECT_EQ(list.Add("Mail", colourPicture(Qt::green)), 1);
    EXPECT_EQ(list.Count(), 2);
    // The first picture of a key stays.
    EXPECT_EQ(list.Picture("Mail").pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
    EXPECT_EQ(list.Picture(2).pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::blue));
    EXPECT_EQ(list.Key(2), "Spam");
    EXPECT_EQ(list.IndexOf("none"), 0);
    EXPECT_TRUE(list.Picture(0).isNull());
    EXPECT_TRUE(list.Picture(3).isNull());
    EXPECT_EQ(list.Add("", colourPicture(Qt::red)), 0);
    EXPECT_EQ(list.Add("empty", QIcon()), 0);
}

TEST(KeyedImageList, OverlayIsDrawnOverTheLowerLeftQuarter)
{
    KeyedImageList list;
    list.Add("File", colourPicture(Qt::white));
    list.Add("Arrow", colourPicture(Qt::black));
    EXPECT_EQ(list.Picture("File", 2).pixmap(16, 16).toImage().pixelColor(2, 14), QColor(Qt::white));
    list.SetOverlayImage(2, "Arrow");
    const QImage composed = list.Picture("File", 2).pixmap(16, 16).toImage();
    EXPECT_EQ(composed.pixelColor(2, 14), QColor(Qt::black));
    EXPECT_EQ(composed.pixelColor(14, 2), QColor(Qt::white));
    EXPECT_EQ(list.Picture("File", 0).pixmap(16, 16).toImage().pixelColor(2, 14), QColor(Qt::white));
}

TEST(KeyedImageList, ShellIconsOfOneTypeShareOnePicture)
{
    const QString folder = QDir::tempPath() + "/icons";
    QDir().mkpath(folder);
    for (const char* name : {"/a.txt", "/b.txt"}) {
        QFile file(folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("text\n");
    }
    KeyedImageList list;
    const int first = mmShellIcon::IconIntoImageList(list, folder + "/a.txt");
    const int second = mmShellIcon::IconIntoImageList(list, folder + "/b.txt");
    EXPECT_GE(first, 1);
    EXPECT_EQ(second, first);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.Key(first).endsWith('A'));
    const int folderIcon = mmShellIcon::IconIntoImageList(list, folder);
    EXPECT_EQ(folderIcon, 2);
    EXPECT_EQ(mmShellIcon::IconIntoImageList(list, QString()), 0);
}

TEST(KeyedListView, KeysTagsSubItemsAndParams)
{
    KeyedListView view;
    KeyedListModel& items = view.ListItems();
    EXPECT_EQ(view.AddColumn("Name", "Name", 120), 0);
    EXPECT_EQ(view.AddColumn("Size", "Size (Bytes)", 80, Qt::AlignRight), 1);
    EXPECT_EQ(items.Add("L0", "readme.txt"), 0);
    EXPECT_EQ(items.Add("L1", "notes.txt"), 1);
    EXPECT_EQ(items.Add("L0", "again"), -1);
    EXPECT_EQ(items.Add("", "no key"), 2);
    EXPECT_EQ(items.Add("", "no key either"), 3);
    items.SetText(1, 1, "1,024");
    items.SetText(1, 3, "far column");
    items.SetTag(1, "1");
    EXPECT_EQ(items.Find("L1"), 1);
    EXPECT_EQ(items.Find("nothing"), -1);
    EXPECT_EQ(items.Text(1, 1), "1,024");
    EXPECT_EQ(items.Text(1, 3), "far column");
    EXPECT_EQ(items.Text(0, 1), "");
    EXPECT_EQ(items.Tag(1).toString(), "1");
    EXPECT_NE(items.Param(0), items.Param(1));
    EXPECT_EQ(view.ColumnWidth(1), 80);
    view.SetColumnWidth(1, 95);
    EXPECT_EQ(view.ColumnWidth(1), 95);
    EXPECT_EQ(items.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Size (Bytes)");
    EXPECT_EQ(items.index(1, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight, Qt::AlignRight);

    const quint32 param = items.Param(1);
    items.Remove(0);
    EXPECT_EQ(items.Find("L1"), 0);
    EXPECT_EQ(items.Find("L0"), -1);
    EXPECT_EQ(items.Param(0), param);
    EXPECT_EQ(items.Add("L0", "back again"), 3);
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(items.Find("L1"), -1);
}

TEST(KeyedListView, PicturesByKeyFollowTheStyle)
{
    KeyedImageList small(QSize(16, 16));
    KeyedImageList large(QSize(32, 32));
    KeyedListView view;
    view.SetSmallIcons(&small);
    view.SetIcons(&large);
    KeyedListModel& items = view.ListItems();
    const int row = items.Add("a", "a.txt", "Big", "Doc");
    // A picture added after the item refers to it shows up all the same.
    small.Add("Doc", colourPicture(Qt::red));
    large.Add("Big", colourPicture(Qt::blue));
    auto pictureColour = [&] {
        return items.index(row, 0).data(Qt::DecorationRole).value<QIcon>().pixmap(16, 16).toImage().pixelColor(8, 8);
    };
    EXPECT_EQ(pictureColour(), QColor(Qt::red));
    EXPECT_EQ(view.DetailsView()->iconSize(), QSize(16, 16));
    view.SetView(KeyedListView::lvwIcon);
    EXPECT_EQ(pictureColour(), QColor(Qt::blue));
    EXPECT_EQ(view.IconView()->iconSize(), QSize(32, 32));
    EXPECT_EQ(view.ItemView(), view.IconView());
    items.SetSmallIcon(row, "missing");
    view.SetView(KeyedListView::lvwList);
    EXPECT_FALSE(items.index(row, 0).data(Qt::DecorationRole).isValid());
    EXPECT_FALSE(items.index(row, 1).data(Qt::DecorationRole).isValid());
}

TEST(KeyedListView, StylesShareOneSelection)
{
    KeyedListView view;
    view.SetMultiSelect(true);
    view.AddColumn("Name", "Name", 100);
    for (const char* name : {"one", "two", "three"})
        view.ListItems().Add(name, name);
    mmListView::SetSelected(view.ItemView(), 1, true);
    for (auto style : {KeyedListView::lvwIcon, KeyedListView::lvwSmallIcon, KeyedListView::lvwList, KeyedListView::lvwReport}) {
        view.SetView(style);
        EXPECT_EQ(view.View(), style);
        EXPECT_EQ(mmListView::FirstSelected(view.ItemView()), 1) << style;
        EXPECT_EQ(mmListView::SelectedCount(view.ItemView()), 1) << style;
    }
}

} // namespace
