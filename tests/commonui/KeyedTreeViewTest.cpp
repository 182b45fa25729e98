// The keyed tree view: keys, tags, navigation, pictures by key, overlay index in the state bits.
#include "common/ui/KeyedImageList.h"
#include "common/ui/KeyedTreeNode.h"
#include "common/ui/KeyedTreeView.h"
#include "common/ui/mmTreeView.h"

#include <QPixmap>

#include <gtest/gtest.h>

namespace {

using namespace mmTreeView;

QIcon colourPicture(Qt::GlobalColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

QColor pictureColour(const QTreeWidgetItem* node)
{
    return node->data(0, Qt::DecorationRole).value<QIcon>().pixmap(16, 16).toImage().pixelColor(12, 4);
}

// \ → docs, src; docs → img
struct ArchiveTree {
    KeyedTreeView tree;
    KeyedTreeNode* root = tree.Add(nullptr, "\\", "archive.zip", "Closed", "Open");
    KeyedTreeNode* docs = tree.Add(root, "\\docs\\", "docs", "Closed", "Open");
    KeyedTreeNode* src = tree.Add(root, "\\src\\", "src", "Closed", "Open");
    KeyedTreeNode* img = tree.Add(docs, "\\docs\\img\\", "img", "Closed", "Open");
};

TEST(KeyedTreeView, KeysAreUniqueAndFindTheirNode)
{
    ArchiveTree t;
    ASSERT_NE(t.img, nullptr);
    EXPECT_EQ(t.tree.Add(t.src, "\\docs\\", "again"), nullptr);
    EXPECT_EQ(t.tree.Node("\\docs\\img\\"), t.img);
    EXPECT_EQ(t.tree.Node("\\none\\"), nullptr);
    EXPECT_EQ(t.img->Key(), "\\docs\\img\\");
    EXPECT_EQ(t.img->text(0), "img");
    t.img->SetTag("0");
    EXPECT_EQ(t.img->Tag().toString(), "0");
    EXPECT_EQ(t.tree.Count(), 4);
    KeyedTreeView other;
    EXPECT_EQ(other.Add(t.docs, "x", "foreign parent"), nullptr);
}

TEST(KeyedTreeView, KeyTableFollowsEveryRemoval)
{
    ArchiveTree t;
    delete t.tree.Node("\\docs\\");
    EXPECT_EQ(t.tree.Node("\\docs\\"), nullptr);
    EXPECT_EQ(t.tree.Node("\\docs\\img\\"), nullptr);
    EXPECT_EQ(t.tree.Count(), 2);
    ASSERT_NE(t.tree.Add(t.root, "\\docs\\", "docs"), nullptr);
    const QList<QTreeWidgetItem*> taken = t.root->takeChildren();
    EXPECT_EQ(t.tree.Count(), 1);
    qDeleteAll(taken);
    t.tree.clear();
    EXPECT_EQ(t.tree.Count(), 0);
    EXPECT_EQ(t.tree.Node("\\"), nullptr);
    EXPECT_NE(t.tree.Add(nullptr, "\\", "archive.zip"), nullptr);
}

struct NavigationCase {
    const char* name;
    const char* from; // key, "" for none
    int code;
    const char* to;   // key, "" for none
};

class TreeNavigation : public ::testing::TestWithParam<NavigationCase> {};

TEST_P(TreeNavigation, FindsTheRelatedNode)
{
    ArchiveTree t;
    t.tree.setCurrentItem(t.src);
    const NavigationCase& c = GetParam();
    QTreeWidgetItem* from = *c.from ? t.tree.Node(c.from) : nullptr;
    QTreeWidgetItem* to = NextItem(&t.tree, from, c.code);
    EXPECT_EQ(to ? KeyedTreeView::AsNode(to)->Key().toStdString() : std::string(), c.to);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, TreeNavigation,
    ::testing::Values(NavigationCase{"Root", "", TVGN_ROOT, "\\"},
                      NavigationCase{"RootFromAnyNode", "\\docs\\img\\", TVGN_ROOT, "\\"},
                      NavigationCase{"FirstChild", "\\", TVGN_CHILD, "\\docs\\"},
                      NavigationCase{"FirstChildOfNoneIsTheRoot", "", TVGN_CHILD, "\\"},
                      NavigationCase{"NoChild", "\\src\\", TVGN_CHILD, ""},
                      NavigationCase{"NextSibling", "\\docs\\", TVGN_NEXT, "\\src\\"},
                      NavigationCase{"LastSibling", "\\src\\", TVGN_NEXT, ""},
                      NavigationCase{"TopLevelHasNoSibling", "\\", TVGN_NEXT, ""},
                      NavigationCase{"PreviousSibling", "\\src\\", TVGN_PREVIOUS, "\\docs\\"},
                      NavigationCase{"Parent", "\\docs\\img\\", TVGN_PARENT, "\\docs\\"},
                      NavigationCase{"Caret", "", TVGN_CARET, "\\src\\"},
                      NavigationCase{"UnknownCode", "\\", 77, ""}),
    [](const ::testing::TestParamInfo<NavigationCase>& info) { return info.param.name; });

TEST(KeyedTreeView, OverlayIndexLivesInStateBits)
{
    ArchiveTree t;
    t.docs->SetState(0x2002);
    SetOverlayIndex(t.docs, 1);
    EXPECT_EQ(t.docs->State(), 0x2102u);
    EXPECT_EQ(GetOverlayIndex(t.docs), 1);
    SetOverlayIndex(t.docs, 2);
    EXPECT_EQ(t.docs->State(), 0x2202u);
    SetOverlayIndex(t.docs, 0);
    EXPECT_EQ(t.docs->State(), 0x2002u);
    EXPECT_EQ(GetOverlayIndex(t.src), 0);
    QTreeWidgetItem plain;
    SetOverlayIndex(&plain, 3);
    EXPECT_EQ(GetOverlayIndex(&plain), 0);
}

TEST(KeyedTreeView, PicturesByKeyWithExpandedAndOverlay)
{
    KeyedImageList pictures;
    ArchiveTree t;
    t.tree.SetImageList(&pictures);
    EXPECT_FALSE(t.docs->data(0, Qt::DecorationRole).isValid());
    pictures.Add("Closed", colourPicture(Qt::yellow));
    pictures.Add("Open", colourPicture(Qt::green));
    pictures.Add("Share", colourPicture(Qt::blue));
    pictures.SetOverlayImage(1, "Share");
    EXPECT_EQ(pictureColour(t.docs), QColor(Qt::yellow));
    t.docs->setExpanded(true);
    EXPECT_EQ(pictureColour(t.docs), QColor(Qt::green));
    t.docs->setExpanded(false);
    SetOverlayIndex(t.docs, 1);
    const QImage shared = t.docs->data(0, Qt::DecorationRole).value<QIcon>().pixmap(16, 16).toImage();
    EXPECT_EQ(shared.pixelColor(2, 14), QColor(Qt::blue));
    EXPECT_EQ(shared.pixelColor(12, 4), QColor(Qt::yellow));
    t.src->SetImage("nothing");
    EXPECT_FALSE(t.src->data(0, Qt::DecorationRole).isValid());
}

} // namespace
