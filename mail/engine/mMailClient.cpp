#include "mail/engine/mMailClient.h"

#include <QFileInfo>
#include <QProcess>
#include <QFile>
#include <QStandardPaths>

namespace mMailClient {
namespace {

// The Exec key of a desktop entry's main group.
QString execLine(const QString& desktopFile)
{
    QFile file(desktopFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool mainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine(64 * 1024)).trimmed();
        if (line.startsWith('['))
            mainGroup = line == QLatin1String("[Desktop Entry]");
        else if (mainGroup && line.startsWith(QLatin1String("Exec=")))
            return line.mid(5);
    }
    return {};
}

} // namespace

QString ProgramOfExec(const QString& exec)
{
    QString command = exec;
    command.remove('"');
    const QString program = command.trimmed().section(' ', 0, 0);
    if (program.isEmpty())
        return {};
    const QString path = QFileInfo(program).isAbsolute() ? program : QStandardPaths::findExecutable(program);
    return !path.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

QString DefaultMailClient()
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QStringLiteral("x-scheme-handler/mailto")});
    if (!query.waitForFinished(5000) || query.exitCode() != 0)
        return {};
    const QString desktopId = QString::fromUtf8(query.readAllStandardOutput()).trimmed().section('\n', 0, 0);
    if (desktopId.isEmpty())
        return {};
    const QString entry = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId);
    if (entry.isEmpty())
        return {};
    return ProgramOfExec(execLine(entry));
}

} // namespace mMailClient
