#include "common/ui/mmTreeView.h"

#include "common/ui/KeyedTreeNode.h"
#include "common/ui/KeyedTreeView.h"

namespace mmTreeView {
namespace {

constexpr quint32 OverlayMask = 0xF00;

QTreeWidgetItem* sibling(const QTreeWidget* tree, const QTreeWidgetItem* node, int step)
{
    if (!node)
        return nullptr;
    if (QTreeWidgetItem* parent = node->parent())
        return parent->child(parent->indexOfChild(const_cast<QTreeWidgetItem*>(node)) + step);
    return tree->topLevelItem(tree->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(node)) + step);
}

} // namespace

QTreeWidgetItem* NextItem(const QTreeWidget* tree, const QTreeWidgetItem* node, int code)
{
    if (!tree)
        return nullptr;
    switch (code) {
    case TVGN_ROOT: return tree->topLevelItem(0);
    case TVGN_NEXT: return sibling(tree, node, 1);
    case TVGN_PREVIOUS: return sibling(tree, node, -1);
    case TVGN_PARENT: return node ? node->parent() : nullptr;
    case TVGN_CHILD: return node ? node->child(0) : tree->topLevelItem(0);
    case TVGN_CARET: return tree->currentItem();
    default: return nullptr;
    }
}

int GetOverlayIndex(const QTreeWidgetItem* node)
{
    const KeyedTreeNode* keyed = KeyedTreeView::AsNode(const_cast<QTreeWidgetItem*>(node));
    return keyed ? int((keyed->State() & OverlayMask) / 256) : 0;
}

void SetOverlayIndex(QTreeWidgetItem* node, int index)
{
    if (KeyedTreeNode* keyed = KeyedTreeView::AsNode(node))
        keyed->SetState((keyed->State() & ~OverlayMask) | ((quint32(index) * 256) & OverlayMask));
}

} // namespace mmTreeView
