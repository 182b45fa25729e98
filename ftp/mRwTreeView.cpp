#include "ftp/mRwTreeView.h"

#include "ftp/engine/cPropertyBag.h"

#include <QFile>
#include <QSaveFile>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace mRwTreeView {

namespace {

void writeNode(cPropertyBag& bag, QTreeWidgetItem* node, int& counter)
{
    const QString n = QString::number(counter++);
    const QTreeWidgetItem* parent = node->parent();
    bag.WriteProperty(n + QStringLiteral("Text"), node->text(0));
    bag.WriteProperty(n + QStringLiteral("Key"), node->data(0, KeyRole).toString(), QString());
    bag.WriteProperty(n + QStringLiteral("KeyParent"), parent ? parent->data(0, KeyRole).toString() : QString(), QString());
    bag.WriteProperty(n + QStringLiteral("Image"), node->data(0, ImageRole).toInt(), 0);
    bag.WriteProperty(n + QStringLiteral("SelectedImage"), node->data(0, SelectedImageRole).toInt(), 0);
    bag.WriteProperty(n + QStringLiteral("Tag"), node->data(0, TagRole).toString(), QString());
    for (int i = 0; i < node->childCount(); ++i)
        writeNode(bag, node->child(i), counter);
}

} // namespace

int CountNodes(QTreeWidget* tree)
{
    int count = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        ++count;
    return count;
}

QTreeWidgetItem* FindKey(QTreeWidget* tree, const QString& key)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->data(0, KeyRole).toString() == key)
            return *it;
    }
    return nullptr;
}

bool WriteTreeFile(const QString& path, QTreeWidget* tree, QTreeWidgetItem* root)
{
    cPropertyBag bag;
    bag.WriteProperty(QStringLiteral("NumberOfNodes"), QVariant::fromValue<qint16>(qint16(CountNodes(tree))),
                      QVariant::fromValue<qint16>(0));
    int counter = 0;
    if (root)
        writeNode(bag, root, counter);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bag.Contents());
    return file.commit();
}

void ReadTreeFile(const QString& path, QTreeWidget* tree)
{
    QFile file(path);
    cPropertyBag bag;
    if (file.open(QIODevice::ReadOnly))
        bag.SetContents(file.readAll());
    tree->clear();
    const int count = bag.ReadProperty(QStringLiteral("NumberOfNodes"), QVariant::fromValue<qint16>(0)).toInt();
    for (int i = 0; i < count; ++i) {
        const QString n = QString::number(i);
        if (!bag.Contains(n + QStringLiteral("Text")))
            break;
        const QString key = bag.ReadProperty(n + QStringLiteral("Key"), QString()).toString();
        const QString parentKey = bag.ReadProperty(n + QStringLiteral("KeyParent"), QString()).toString();
        // A node whose key is already taken is not added, as the tree view refuses it.
        if (!key.isEmpty() && FindKey(tree, key))
            continue;
        QTreeWidgetItem* parent = parentKey.isEmpty() ? nullptr : FindKey(tree, parentKey);
        if (!parentKey.isEmpty() && !parent)
            continue;
        auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        node->setText(0, bag.ReadProperty(n + QStringLiteral("Text")).toString());
        node->setData(0, KeyRole, key);
        node->setData(0, ImageRole, bag.ReadProperty(n + QStringLiteral("Image"), 0).toInt());
        node->setData(0, SelectedImageRole, bag.ReadProperty(n + QStringLiteral("SelectedImage"), 0).toInt());
        node->setData(0, TagRole, bag.ReadProperty(n + QStringLiteral("Tag"), QString()).toString());
        if (parent)
            parent->sortChildren(0, Qt::AscendingOrder);
    }
    if (tree->topLevelItemCount() > 0)
        tree->topLevelItem(0)->setExpanded(true);
}

} // namespace mRwTreeView
