#include "common/ui/KeyedTreeView.h"

#include "common/ui/KeyedImageList.h"
#include "common/ui/KeyedTreeNode.h"

KeyedTreeView::KeyedTreeView(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    // Removing rows, taking children, deleting a node or clearing: the key table forgets them.
    connect(model(), &QAbstractItemModel::rowsAboutToBeRemoved, this, &KeyedTreeView::forgetRows);
    connect(model(), &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_keys.clear(); });
}

KeyedTreeView::~KeyedTreeView()
{
    // The base class empties the model after our key table is gone.
    disconnect(model(), nullptr, this, nullptr);
}

KeyedTreeNode* KeyedTreeView::AsNode(QTreeWidgetItem* item)
{
    return item && item->type() == QTreeWidgetItem::UserType ? static_cast<KeyedTreeNode*>(item) : nullptr;
}

KeyedTreeNode* KeyedTreeView::Add(QTreeWidgetItem* parent, const QString& key, const QString& text,
                                  const QString& image, const QString& expandedImage)
{
    if ((!key.isEmpty() && m_keys.contains(key)) || (parent && parent->treeWidget() != this))
        return nullptr;
    auto* node = new KeyedTreeNode(key, text);
    node->SetImage(image);
    node->SetExpandedImage(expandedImage);
    if (parent)
        parent->addChild(node);
    else
        addTopLevelItem(node);
    if (!key.isEmpty())
        m_keys.insert(key, node);
    return node;
}

void KeyedTreeView::SetImageList(KeyedImageList* pictures)
{
    if (m_pictures)
        disconnect(m_pictures, nullptr, this, nullptr);
    m_pictures = pictures;
    if (pictures) {
        setIconSize(pictures->ImageSize());
        connect(pictures, &KeyedImageList::Changed, viewport(), qOverload<>(&QWidget::update));
    }
    viewport()->update();
}

void KeyedTreeView::forget(QTreeWidgetItem* item)
{
    if (KeyedTreeNode* node = AsNode(item)) {
        auto found = m_keys.find(node->Key());
        if (found != m_keys.end() && found.value() == node)
            m_keys.erase(found);
    }
    for (int i = 0; i < item->childCount(); ++i)
        forget(item->child(i));
}

void KeyedTreeView::forgetRows(const QModelIndex& parent, int first, int last)
{
    QTreeWidgetItem* owner = parent.isValid() ? itemFromIndex(parent) : invisibleRootItem();
    if (!owner)
        return;
    for (int row = first; row <= last && row < owner->childCount(); ++row)
        forget(owner->child(row));
}
