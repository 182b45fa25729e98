#include "platform/launch/Launch.h"

#include "platform/launch/ApplicationEntry.h"

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

bool LaunchApplication(const QString& desktopFile)
{
    const ApplicationEntry entry = ApplicationEntry::read(desktopFile);
    if (!entry.usable())
        return false;
    QStringList arguments;
    for (const QString& argument : entry.exec.mid(1)) {
        // %f, %U and the other codes stand for documents, icons and names; none is given here.
        const bool fieldCode = argument.size() == 2 && argument.startsWith(u'%');
        if (!fieldCode)
            arguments << argument;
    }
    QProcess application;
    application.setProgram(entry.program);
    application.setArguments(arguments);
    application.setStandardInputFile(QProcess::nullDevice());
    return application.startDetached();
}

} // namespace platform
