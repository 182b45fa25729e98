#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace platform {

// The few keys of a .desktop launcher the shell shows.
struct DesktopEntry {
    QByteArray path;
    QString name;
    QString icon;
    QString exec;
    QStringList categories;
    bool hidden = false;   // NoDisplay or Hidden

    static DesktopEntry read(const QByteArray& path);
    // The settings launchers of the XDG application folders: the Control Panel's items.
    static QList<DesktopEntry> settingsLaunchers();
};

} // namespace platform
