#pragma once

#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

// Writes a tree view to a file and reads it back: each node's text, key, parent key, image,
// selected image and tag, in depth-first order so parents come before their children.
namespace mRwTreeView {

enum Role {
    KeyRole = 0x0100,  // Qt::UserRole
    ImageRole,
    SelectedImageRole,
    TagRole,
};

// The file is replaced as a whole or not at all.
bool WriteTreeFile(const QString& path, QTreeWidget* tree, QTreeWidgetItem* root);
// Reads as many nodes as the file holds in readable form; the tree is emptied first.
void ReadTreeFile(const QString& path, QTreeWidget* tree);
QTreeWidgetItem* FindKey(QTreeWidget* tree, const QString& key);
int CountNodes(QTreeWidget* tree);

} // namespace mRwTreeView
