#include "common/ui/KeyedTreeNode.h"

#include "common/ui/KeyedImageList.h"
#include "common/ui/KeyedTreeView.h"

KeyedTreeNode::KeyedTreeNode(const QString& key, const QString& text)
    : QTreeWidgetItem(UserType)
{
    setText(0, text);
    setData(0, KeyRole, key);
}

QVariant KeyedTreeNode::data(int column, int role) const
{
    if (column != 0 || role != Qt::DecorationRole)
        return QTreeWidgetItem::data(column, role);
    const auto* tree = qobject_cast<const KeyedTreeView*>(treeWidget());
    const KeyedImageList* pictures = tree ? tree->ImageList() : nullptr;
    if (!pictures)
        return QTreeWidgetItem::data(column, role);
    const QString expanded = ExpandedImage();
    const QString key = isExpanded() && !expanded.isEmpty() ? expanded : Image();
    const QIcon icon = pictures->Picture(key, int((State() & 0xF00) >> 8));
    return icon.isNull() ? QTreeWidgetItem::data(column, role) : QVariant(icon);
}
