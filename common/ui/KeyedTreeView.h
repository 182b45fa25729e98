#pragma once

#include "common/ui/KeyedImageList.h"

#include <QHash>
#include <QPointer>
#include <QTreeWidget>

class KeyedTreeNode;

// A tree view of keyed nodes: keys are unique in the tree and find their node at once; pictures
// come from a keyed image list by key. Nodes may be removed in any of QTreeWidget's ways, the key
// table follows.
class KeyedTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit KeyedTreeView(QWidget* parent = nullptr);
    ~KeyedTreeView() override;

    // A new last child of parent (a top-level node when parent is null); null when another node
    // has the key or the parent is not a node of this tree.
    KeyedTreeNode* Add(QTreeWidgetItem* parent, const QString& key, const QString& text, const QString& image = {},
                       const QString& expandedImage = {});
    // The node of a key, null when none.
    KeyedTreeNode* Node(const QString& key) const { return m_keys.value(key); }
    int Count() const { return int(m_keys.size()); }
    // The node as a keyed node, null for other items.
    static KeyedTreeNode* AsNode(QTreeWidgetItem* item);

    KeyedImageList* ImageList() const { return m_pictures; }
    void SetImageList(KeyedImageList* pictures);

private:
    void forget(QTreeWidgetItem* item);
    void forgetRows(const QModelIndex& parent, int first, int last);

    QHash<QString, KeyedTreeNode*> m_keys;
    QPointer<KeyedImageList> m_pictures;
};
