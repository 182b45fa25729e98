#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The parts of an application's desktop entry (.desktop file) that decide whether it can open a file.
struct ApplicationEntry {
    QString path;
    QString name;
    QStringList exec;     // the Exec line split into its arguments, quoting undone
    QString program;      // the full path of the Exec program found on $PATH; empty when missing
    QStringList mimeTypes;
    bool hidden = false;  // Hidden=true: the entry counts as deleted

    // Installed: a valid application whose program (and TryExec program) exists.
    bool usable() const { return !hidden && !program.isEmpty(); }

    static ApplicationEntry read(const QString& path);
    // The arguments of an Exec value: blanks separate, double quotes group, and inside them a
    // backslash escapes the next character; "%%" stands for "%".
    static QStringList splitExec(const QString& exec);
};

} // namespace platform
