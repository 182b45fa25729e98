#include "platform/launch/Launch.h"

#include <QProcess>

namespace platform {

bool RunAndWait(const QString& commandLine)
{
    QStringList arguments = QProcess::splitCommand(commandLine);
    if (arguments.isEmpty())
        return false;
    QProcess process;
    process.setProgram(arguments.takeFirst());
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start();
    if (!process.waitForStarted(-1))
        return false;
    process.waitForFinished(-1);
    return true;
}

bool OpenWithDesktop(const QString& target)
{
    QProcess opener;
    opener.setProgram(QStringLiteral("xdg-open"));
    opener.setArguments({target});
    opener.setStandardInputFile(QProcess::nullDevice());
    opener.setStandardOutputFile(QProcess::nullDevice());
    return opener.startDetached();
}

} // namespace platform
