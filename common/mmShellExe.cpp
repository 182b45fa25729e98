#include "common/mmShellExe.h"

#include "common/mmFile.h"
#include "platform/core/DoEvents.h"
#include "platform/launch/DefaultApplications.h"
#include "platform/launch/Launch.h"

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
    const QString program = platform::DefaultApplication(platform::MimeTypeOfDocument(file)).program;
    return mmFile::CutAtNul(program);
}

bool OpenDocument(const QString& file, bool associationRequired)
{
    const bool associated = HasAssociation(file);
    if (associationRequired && !associated)
        return false;
    // Without an application the desktop has nothing to open the file with, as the shell's
    // "no association" answer; the opener is not troubled with it.
    const bool opened = associated && platform::OpenWithDesktop(file);
    platform::DoEvents();
    return opened;
}

} // namespace mmShellExe
