#pragma once

class QTreeWidget;
class QTreeWidgetItem;

// Tree-view helpers: walking nodes as the tree view's next-item request does, and a node's
// overlay index in the state bits 0xF00.
namespace mmTreeView {

enum NextItemCode { TVGN_ROOT = 0, TVGN_NEXT = 1, TVGN_PREVIOUS = 2, TVGN_PARENT = 3, TVGN_CHILD = 4, TVGN_CARET = 9 };

// The node related to `node` by the code: the first top-level node, the next or previous sibling,
// the parent, the first child, or the selected (caret) node. Null when there is none.
QTreeWidgetItem* NextItem(const QTreeWidget* tree, const QTreeWidgetItem* node, int code);
// The overlay index (0..15) of a keyed tree node; 0 for other items.
int GetOverlayIndex(const QTreeWidgetItem* node);
void SetOverlayIndex(QTreeWidgetItem* node, int index);

} // namespace mmTreeView
