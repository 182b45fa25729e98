// A keyed list in details style and a keyed tree side by side, with shell pictures, as a user sees them.
#include "common/ui/KeyedImageList.h"
#include "common/ui/KeyedListModel.h"
#include "common/ui/KeyedListView.h"
#include "common/ui/KeyedTreeNode.h"
#include "common/ui/KeyedTreeView.h"
#include "common/ui/mmListSort.h"
#include "common/ui/mmListView.h"
#include "common/ui/mmShellIcon.h"
#include "common/ui/mmTreeView.h"
#include "tests/support/TestEnvironment.h"

#include <QDateTime>
#include <QDir>
#include <QHBoxLayout>
#include <QLocale>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

using namespace mmShellIcon;

struct Member {
    const char* name;
    qint64 size;
    int daysAgo;
};

TEST(ControlKitScreenshot, DetailsListAndTreeWithPictures)
{
    QWidget window;
    window.setWindowTitle("Control kit");
    auto* layout = new QHBoxLayout(&window);
    auto* tree = new KeyedTreeView(&window);
    auto* list = new KeyedListView(&window);
    layout->addWidget(tree, 2);
    layout->addWidget(list, 5);

    KeyedImageList treePictures;
    const QString closed = treePictures.Key(IconIntoImageList(treePictures, QDir::tempPath(), 0));
    const QString open = treePictures.Key(IconIntoImageList(treePictures, QDir::tempPath(), SHGFI_OPENICON));
    ASSERT_FALSE(closed.isEmpty());
    tree->SetImageList(&treePictures);
    KeyedTreeNode* root = tree->Add(nullptr, "\\", "backup.zip", closed, open);
    KeyedTreeNode* docs = tree->Add(root, "\\docs\\", "docs", closed, open);
    tree->Add(docs, "\\docs\\img\\", "img", closed, open);
    tree->Add(root, "\\src\\", "src", closed, open);
    if (treePictures.Add("Shortcut", QIcon::fromTheme("emblem-symbolic-link")) > 0) {
        treePictures.SetOverlayImage(2, "Shortcut");
        mmTreeView::SetOverlayIndex(tree->Node("\\src\\"), 2);
    }
    root->setExpanded(true);
    docs->setExpanded(true);
    tree->setCurrentItem(docs);

    KeyedImageList small(QSize(16, 16));
    list->SetSmallIcons(&small);
    list->SetMultiSelect(true);
    list->AddColumn("Name", "File Name", 170);
    list->AddColumn("Size", "Size (Bytes)", 100, Qt::AlignRight);
    list->AddColumn("Modified", "Modified", 150, Qt::AlignRight);
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    const Member members[] = {{"report.pdf", 482113, 3}, {"notes.txt", 2048, 40}, {"photo.png", 1289004, 1},
                              {"setup.sh", 733, 400}, {"archive.tar.gz", 73400321, 12}, {"song.ogg", 3900112, 90}};
    KeyedListModel& items = list->ListItems();
    for (const Member& m : members) {
        const int position = IconIntoImageList(small, m.name, SHGFI_USEFILEATTRIBUTES);
        const int row = items.Add(QString("\\docs\\") + m.name, m.name, {}, small.Key(position));
        const QDateTime when = now.addDays(-m.daysAgo);
        items.SetText(row, 1, locale.toString(m.size));
        items.SetText(row, 2, locale.toString(when.date(), QLocale::ShortFormat) + ' ' +
                                  locale.toString(when.time(), QLocale::ShortFormat));
    }
    ASSERT_TRUE(mmListSort::SortColumn(*list, 2, mmListSort::SortDate, 1));
    EXPECT_EQ(items.Text(0, 0), "photo.png");
    mmListView::SelectByList(list->ItemView(), "notes.txt\r\nsetup.sh\r\n");

    window.resize(760, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);
    const QString folder = duopane::test::buildDir() + "/screenshots";
    QDir().mkpath(folder);
    const QImage shot = window.grab().toImage();
    EXPECT_TRUE(shot.save(folder + "/control-kit.png"));
    EXPECT_EQ(mmListView::SelectedCount(list->ItemView()), 2);
    EXPECT_GT(small.Count(), 3);
    EXPECT_TRUE(list->DetailsView()->isVisible());
}

} // namespace
