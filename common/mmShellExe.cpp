#include "common/mmShellExe.h"

#include "common/mmFile.h"
#include "platform/core/DoEvents.h"
#include "platform/launch/DefaultApplications.h"
#include "platform/core/FileName.h"
#include "platform/launch/Launch.h"
#include "platform/shell/ShellNamespace.h"

namespace mmShellExe {

bool RunAndWait(const QString& commandLine, int windowStyle)
{
    Q_UNUSED(windowStyle)
    platform::DoEvents();
    const bool started = platform::RunAndWait(commandLine);
    platform::DoEvents();
    return started;
}

bool HasAssociation(const QString& file)
{
    return !file.isEmpty() && !AssociatedProgram(file).isEmpty();
}

QString AssociatedProgram(const QString& file)
{
    // As FindExecutable: documents only; folders and addresses have no associated program.
    if (!mmFile::IsFile(file))
        return QString();
    return mmFile::CutAtNul(platform::DefaultApplication(platform::MimeTypeOfDocument(file)).program);
}

bool OpenDocument(const QString& file, bool associationRequired)
{
    if (associationRequired && !HasAssociation(file))
        return false;
    // With no application for the type the desktop has nothing to open it with, the shell's
    // "no association" answer; the opener is not troubled then.
    const bool handled = platform::DefaultApplication(platform::MimeTypeOfDocument(file)).usable();
    const bool opened = handled && platform::OpenWithDesktop(file);
    platform::DoEvents();
    return opened;
}

bool OpenItemByIdList(quintptr owner, const platform::ItemIdList& list)
{
    Q_UNUSED(owner)
    using platform::ItemKind;
    if (list.isNull())
        return false;
    if (const QString path = platform::ShellNamespace::path(list); !path.isEmpty())
        return OpenDocument(path, false);
    const platform::ItemIdList::Item item = list.last();
    switch (item.kind) {
    case ItemKind::PanelEntry:
        return platform::LaunchApplication(platform::DecodeFileName(item.data));
    case ItemKind::Computer:
        return OpenDocument(QStringLiteral("computer:///"), false);
    case ItemKind::Network:
        return OpenDocument(QStringLiteral("network:///"), false);
    case ItemKind::Trash:
        return OpenDocument(QStringLiteral("trash:///"), false);
    default:
        return false;
    }
}

} // namespace mmShellExe
