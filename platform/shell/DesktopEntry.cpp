#include "platform/shell/DesktopEntry.h"

#include "platform/core/FileName.h"
#include "platform/shell/SmallFile.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStandardPaths>

namespace platform {

DesktopEntry DesktopEntry::read(const QByteArray& path)
{
    DesktopEntry entry;
    entry.path = path;
    bool inMain = false;
    for (const QByteArray& raw : readSmallFile(path).split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            inMain = line == "[Desktop Entry]";
            continue;
        }
        const int eq = int(line.indexOf('='));
        if (!inMain || eq < 0)
            continue;
        const QByteArray key = line.left(eq).trimmed();
        const QString value = QString::fromUtf8(line.mid(eq + 1).trimmed());
        if (key == "Name")
            entry.name = value;
        else if (key == "Icon")
            entry.icon = value;
        else if (key == "Exec")
            entry.exec = value;
        else if (key == "Categories")
            entry.categories = value.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        else if ((key == "NoDisplay" || key == "Hidden") && value == QLatin1String("true"))
            entry.hidden = true;
    }
    return entry;
}

QList<DesktopEntry> DesktopEntry::settingsLaunchers()
{
    QList<DesktopEntry> result;
    QSet<QString> seen;
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        const QDir dir(folder);
        for (const QString& file : dir.entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name)) {
            if (seen.contains(file))
                continue;   // the first folder in the search order wins
            seen.insert(file);
            DesktopEntry entry = read(EncodeFileName(dir.filePath(file)));
            if (!entry.hidden && !entry.name.isEmpty() && entry.categories.contains(QLatin1String("Settings")))
                result.append(entry);
        }
    }
    return result;
}

} // namespace platform
