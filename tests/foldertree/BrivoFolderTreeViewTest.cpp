// The folder tree driven as a user would: open branches, select by path, watch it follow changes.
#include "foldertree/BrivoFolderTreeView.h"

#include "platform/shell/FileOperation.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/ShellTypes.h"
#include "shellnotify/BrivoShellNotify.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/ScriptedPrompt.h"

#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace platform;
using namespace duopane::test;

namespace {

QTreeWidgetItem* childNamed(QTreeWidgetItem* node, const QString& text)
{
    for (int i = 0; node && i < node->childCount(); ++i)
        if (node->child(i)->text(0) == text)
            return node->child(i);
    return nullptr;
}

QStringList childTexts(QTreeWidgetItem* node)
{
    QStringList texts;
    for (int i = 0; node && i < node->childCount(); ++i)
        texts.append(node->child(i)->text(0));
    return texts;
}

class BrivoFolderTreeViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.resize(280, 420);
        tree.show();
        tree.Activate();
        base = dir.path();
        QDir().mkpath(base + "/level1/level2/level3");
    }
    void TearDown() override { EXPECT_TRUE(prompt().allAnswered()); }

    QTreeWidgetItem* root() { return tree.GetTv()->topLevelItem(0); }
    QTreeWidgetItem* computer() { return childNamed(root(), QStringLiteral("Computer")); }
    // The node of a folder, found through the tree's own selection.
    QTreeWidgetItem* nodeOf(const QString& path)
    {
        tree.SetSelFolder(path);
        return tree.GetTv()->currentItem();
    }

    BrivoFolderTreeView tree;
    // Away from /tmp, where every other test process makes and removes folders all the time.
    QTemporaryDir dir{QStringLiteral("/var/tmp/duopane-tree-XXXXXX")};
    QString base;
};

TEST_F(BrivoFolderTreeViewTest, StartsAtTheDesktopWithItsFolders)
{
    ASSERT_NE(root(), nullptr);
    EXPECT_EQ(root()->text(0), QStringLiteral("Desktop"));
    EXPECT_TRUE(root()->isExpanded());
    EXPECT_EQ(childTexts(root()).mid(0, 5), QStringList({"Home", "Computer", "Network", "Trash", "Control Panel"}));
    EXPECT_TRUE(tree.RootFolder_Pidl.isDesktop());
    EXPECT_EQ(tree.RootFolder_Hier, QStringLiteral("Desktop\\"));
    EXPECT_NE(tree.notifier()->m_hSHNotify, 0u);
    EXPECT_EQ(tree.GetTv()->indentation(), 19);
}

TEST_F(BrivoFolderTreeViewTest, ExpandingComputerAndAVolumeLoadsTheirBranches)
{
    QTreeWidgetItem* node = computer();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->childCount(), 0);   // nothing is loaded before it is opened
    tree.GetTv()->expandItem(node);
    ASSERT_GT(node->childCount(), 0);
    QTreeWidgetItem* rootVolume = node->child(0);
    EXPECT_EQ(rootVolume->text(0), QStringLiteral("File System (/)"));
    tree.GetTv()->expandItem(rootVolume);
    const QStringList top = childTexts(rootVolume);
    EXPECT_TRUE(top.contains(QStringLiteral("tmp"))) << top.join(',').toStdString();
    EXPECT_TRUE(top.contains(QStringLiteral("usr")));
    QStringList sorted = top;
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    EXPECT_EQ(top, sorted);
}

TEST_F(BrivoFolderTreeViewTest, SelectingADeepFolderByPathOpensTheWayThere)
{
    QSignalSpy selection(&tree, &BrivoFolderTreeView::SelectionChanged);
    const QString deep = base + "/level1/level2/level3";
    const ItemIdList pidl = tree.SetSelFolder(deep);
    EXPECT_EQ(pidl, ShellNamespace::parse(deep));
    EXPECT_EQ(tree.SelFolder_Pidl, pidl);
    EXPECT_EQ(tree.SelFolder_Path, deep + "/");
    EXPECT_EQ(tree.SelFolder_Name, QStringLiteral("level3"));
    EXPECT_TRUE(tree.SelFolder_Hier.endsWith(QStringLiteral("\\level1\\level2\\level3\\")));
    EXPECT_TRUE(tree.SelFolder_Attr & SFGAO_FOLDER);
    EXPECT_EQ(tree.GetTv()->currentItem()->text(0), QStringLiteral("level3"));
    EXPECT_GE(selection.count(), 1);
    EXPECT_EQ(tree.ParentPidl(), pidl.parent());
    EXPECT_FALSE(tree.SelSmallIcon().isNull());
    // Selecting by the list or the hierarchy text lands on the same node.
    tree.GoToParent();
    EXPECT_EQ(tree.SelFolder_Name, QStringLiteral("level2"));
    EXPECT_EQ(tree.SetSelFolder(pidl), pidl);
    EXPECT_EQ(tree.SetSelFolderByHier(tree.SelFolder_Hier), pidl);
    EXPECT_TRUE(tree.GoToParent());
    EXPECT_TRUE(tree.GoToChild(QStringLiteral("level3")));
    EXPECT_EQ(tree.SelFolder_Pidl, pidl);
    EXPECT_FALSE(tree.GoToChild(QStringLiteral("nothing here")));
}

TEST_F(BrivoFolderTreeViewTest, AnUnreachableTargetEndsAtItsDeepestAncestor)
{
    const ItemIdList level1 = tree.SetSelFolder(base + "/level1");
    // Names are compared exactly: a wrongly cased name stops the walk at the folder above it.
    QString hier = tree.SelFolder_Hier + "LEVEL2\\level3\\";
    EXPECT_EQ(tree.SetSelFolderByHier(hier), level1);
    EXPECT_EQ(tree.SetSelFolderByHier(tree.SelFolder_Hier + "missing\\deeper\\"), level1);
    // Nothing at all matching below the root selects nothing.
    EXPECT_TRUE(tree.SetSelFolderByHier(QStringLiteral("Desktop\\Nowhere\\")).isNull());
    EXPECT_TRUE(tree.SetSelFolder(ItemIdList()).isNull());
    EXPECT_EQ(tree.SelFolder_Pidl, level1);
    EXPECT_TRUE(tree.SetSelFolder(base + "/not-there").isNull());
}

TEST_F(BrivoFolderTreeViewTest, AFolderMadeByOurOperationsAppearsAfterTheTickWithoutNavigating)
{
    QTreeWidgetItem* level1 = nodeOf(base + "/level1");
    ASSERT_NE(level1, nullptr);
    tree.GetTv()->expandItem(level1);
    QDir().mkpath(base + "/source/made-by-us");
    QSignalSpy selection(&tree, &BrivoFolderTreeView::SelectionChanged);
    ASSERT_TRUE(runFileOperation({FO_MOVE, {base + "/source/made-by-us"}, base + "/level1", FOF_SILENT}).ok());
    EXPECT_TRUE(QTest::qWaitFor([&] { return tree.timer()->isActive(); }, 20000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return childTexts(level1).contains(QStringLiteral("made-by-us")); }, 20000));
    EXPECT_EQ(childTexts(level1), QStringList({"level2", "made-by-us"}));
    EXPECT_TRUE(level1->isExpanded());
    // The host was not told to navigate by the refresh.
    EXPECT_EQ(selection.count(), 0);
    EXPECT_EQ(tree.SelFolder_Name, QStringLiteral("level1"));
}

TEST_F(BrivoFolderTreeViewTest, AFolderMadeByAnotherProgramAppears)
{
    QTreeWidgetItem* level1 = nodeOf(base + "/level1");
    tree.GetTv()->expandItem(level1);
    ASSERT_EQ(QProcess::execute(QStringLiteral("mkdir"), {base + "/level1/from-outside"}), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        QTreeWidgetItem* node = nodeOf(base + "/level1");
        return childTexts(node).contains(QStringLiteral("from-outside"));
    }, 20000));
    EXPECT_EQ(tree.SelFolder_Name, QStringLiteral("level1"));
}

TEST_F(BrivoFolderTreeViewTest, ARefreshHigherUpCoversTheOpenBranchesBelowIt)
{
    QTreeWidgetItem* level1 = nodeOf(base + "/level1");
    tree.GetTv()->expandItem(level1);
    QTreeWidgetItem* level2 = childNamed(level1, QStringLiteral("level2"));
    tree.GetTv()->expandItem(level2);
    tree.GetTv()->collapseItem(level2);
    ASSERT_EQ(level2->childCount(), 1);
    QDir().mkpath(base + "/level1/late");
    QDir().mkpath(base + "/level1/level2/later");
    // A drive that comes queues Computer, which takes the place of everything queued below it.
    tree.ShellNotify(base + "/level1/late");
    tree.ShellNotify(ShellNamespace::specialFolder(CSIDL_DRIVES));
    EXPECT_EQ(tree.refreshQueue().size(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tree.timer()->isActive(); }, 20000));
    level1 = nodeOf(base + "/level1");
    EXPECT_TRUE(level1->isExpanded());
    EXPECT_EQ(childTexts(level1), QStringList({"late", "level2"}));
    // The closed branch was dropped and loads what is there now when it is opened again.
    level2 = childNamed(level1, QStringLiteral("level2"));
    EXPECT_EQ(level2->childCount(), 0);
    tree.GetTv()->expandItem(level2);
    EXPECT_EQ(childTexts(level2), QStringList({"later", "level3"}));
}

TEST_F(BrivoFolderTreeViewTest, ADriveThatGoesAwayUpdatesThePopupMenuAndComputer)
{
    auto mount = std::make_unique<TmpfsMount>();
    DUOPANE_NEED_TMPFS(*mount);
    QSignalSpy popmenu(&tree, &BrivoFolderTreeView::UpdatePopmenu);
    const QString name = QStringLiteral("%1 (%2)").arg(QFileInfo(mount->path()).fileName(), mount->path());
    tree.GetTv()->expandItem(computer());
    // The new drive is announced and shows up under Computer.
    EXPECT_TRUE(QTest::qWaitFor([&] { return popmenu.count() == 1 && childTexts(computer()).contains(name); }, 20000));
    mount->unmount();
    EXPECT_TRUE(QTest::qWaitFor([&] { return popmenu.count() == 2; }, 20000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return computer() && !childTexts(computer()).contains(name); }, 20000));
}

TEST_F(BrivoFolderTreeViewTest, ChangesInsideHistoryAreIgnored)
{
    const ItemIdList history = ShellNamespace::specialFolder(CSIDL_HISTORY);
    tree.ShellNotify(history.appended(ItemKind::Entry, "today"));
    EXPECT_TRUE(tree.refreshQueue().isEmpty());
    tree.ShellNotify(base + "/level1");
    EXPECT_EQ(tree.refreshQueue().size(), 1);
    EXPECT_TRUE(tree.timer()->isActive());
    tree.ShellNotify(base + "/missing");
    EXPECT_EQ(tree.refreshQueue().size(), 1);
}

TEST_F(BrivoFolderTreeViewTest, DoubleClickOnEmptySpaceGoesUp)
{
    tree.SetSelFolder(base + "/level1/level2");
    tree.resize(280, 4000);
    QWidget* viewport = tree.GetTv()->viewport();
    const QPoint empty(viewport->width() - 5, viewport->height() - 5);
    ASSERT_EQ(tree.GetTv()->itemAt(empty), nullptr);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, empty);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, empty);
    EXPECT_EQ(tree.SelFolder_Name, QStringLiteral("level1"));
    tree.SetSelFolderByHier(QStringLiteral("Desktop\\"));
    EXPECT_TRUE(tree.IsRoot());
    EXPECT_FALSE(tree.GoToParent());
}

TEST_F(BrivoFolderTreeViewTest, ScreenshotWithComputerExpanded)
{
    tree.GetTv()->expandItem(computer());
    tree.GetTv()->setCurrentItem(computer());
    QTest::qWait(50);
    const QImage shot = tree.grab().toImage();
    EXPECT_FALSE(shot.isNull());
    QDir().mkpath(buildDir() + "/screenshots");
    EXPECT_TRUE(shot.save(buildDir() + "/screenshots/foldertree-computer.png"));
}

} // namespace
