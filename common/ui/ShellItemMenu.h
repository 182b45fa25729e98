#pragma once

#include "platform/shell/ItemIdList.h"

#include <QList>
#include <QMenu>
#include <QStringList>

// Our item menu where the shell's context menu would be: Open, Open With, Cut, Copy, Paste,
// Delete, Rename, Properties, and the actions of virtual folders (emptying the Trash, restoring
// an item from it). Items are children of one folder, as the shell's menu takes them.
class ShellItemMenu : public QMenu {
    Q_OBJECT
public:
    ShellItemMenu(const platform::ItemIdList& folder, const QList<platform::ItemIdList>& items, QWidget* parent = nullptr);

    // The verbs the menu offers, in order ("open", "openwith", "cut", "copy", "paste", "delete",
    // "rename", "properties", "emptytrash", "restore").
    QStringList verbs() const;
    // Carries out a verb; true when it ran.
    bool invoke(const QString& verb);

private:
    void addVerb(const QString& verb, const QString& caption, bool enabled);
    QStringList paths() const;
    QString targetFolder() const;
    bool paste();
    bool rename();
    bool properties();
    bool emptyTrash();
    bool restore();

    platform::ItemIdList m_folder;
    QList<platform::ItemIdList> m_items;
};
