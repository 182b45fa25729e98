#include "common/ui/mmShellMenu.h"

#include "common/ui/ShellItemMenu.h"
#include "platform/prompt/Prompt.h"
#include "platform/shell/ShellNamespace.h"

#include <QFileInfo>

namespace mmShellMenu {

bool ShellContextMenu(QWidget* owner, const platform::ItemIdList& folder, const QList<platform::ItemIdList>& items,
                      const QPoint& screenPos)
{
    if (folder.isNull() || items.isEmpty())
        return false;
    ShellItemMenu menu(folder, items, owner);
    const QAction* chosen = menu.exec(screenPos);
    return chosen && menu.invoke(chosen->data().toString());
}

QString BrowseForFolder(QWidget* owner, const QString& title, quint32 flags, const platform::ItemIdList& root)
{
    platform::Question q;
    q.kind = platform::QuestionKind::PickFolder;
    q.title = title;
    q.window = owner;
    q.details.insert(QStringLiteral("folder"), platform::ShellNamespace::path(root));
    q.details.insert(QStringLiteral("flags"), flags);
    const platform::Answer answer = platform::ask(q);
    const QString path = answer.value.toString().section(QChar(0), 0, 0);
    if (answer.choice != 1 || path.isEmpty() || !QFileInfo(path).isDir())
        return {};
    return path;
}

} // namespace mmShellMenu
