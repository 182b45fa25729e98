#pragma once

#include "platform/shell/ItemIdList.h"

#include <QList>
#include <QPoint>
#include <QString>

class QWidget;

// The shell's context menu and folder picker, over our item menu and the prompt service.
namespace mmShellMenu {

// Shows the item menu for items (relative to folder) at a screen point; true when a command ran.
bool ShellContextMenu(QWidget* owner, const platform::ItemIdList& folder, const QList<platform::ItemIdList>& items,
                      const QPoint& screenPos);
// The folder-browsing dialog: the chosen folder's path, or "" when cancelled or not a file-system
// folder. The root list is where browsing starts.
QString BrowseForFolder(QWidget* owner, const QString& title, quint32 flags, const platform::ItemIdList& root);

} // namespace mmShellMenu
