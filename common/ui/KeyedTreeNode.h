#pragma once

#include <QTreeWidgetItem>

// A node of a keyed tree view: key, tag, the keys of its picture and of its picture while
// expanded, and the item state whose bits 0xF00 hold the overlay index. The picture is looked up
// in the tree's image list when the node is drawn.
class KeyedTreeNode : public QTreeWidgetItem {
public:
    enum Role { KeyRole = Qt::UserRole, TagRole, ImageRole, ExpandedImageRole, StateRole };

    explicit KeyedTreeNode(const QString& key, const QString& text);

    QString Key() const { return QTreeWidgetItem::data(0, KeyRole).toString(); }
    QVariant Tag() const { return QTreeWidgetItem::data(0, TagRole); }
    void SetTag(const QVariant& tag) { setData(0, TagRole, tag); }
    QString Image() const { return QTreeWidgetItem::data(0, ImageRole).toString(); }
    void SetImage(const QString& key) { setData(0, ImageRole, key); }
    QString ExpandedImage() const { return QTreeWidgetItem::data(0, ExpandedImageRole).toString(); }
    void SetExpandedImage(const QString& key) { setData(0, ExpandedImageRole, key); }
    quint32 State() const { return QTreeWidgetItem::data(0, StateRole).toUInt(); }
    void SetState(quint32 state) { setData(0, StateRole, state); }

    QVariant data(int column, int role) const override;
};
