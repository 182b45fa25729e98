#pragma once

#include <QString>

namespace platform {

// Starts a command line (program and arguments, double quotes grouping; no shell is involved)
// and blocks until it ends. False when it cannot be started.
bool RunAndWait(const QString& commandLine);

// Hands a document, folder or address to the desktop's opener (xdg-open), which runs the
// default application. False when the opener cannot be started.
bool OpenWithDesktop(const QString& target);

// Starts the application of a desktop entry (.desktop file) without documents: its Exec line
// without the field codes. False when the entry is no usable application or does not start.
bool LaunchApplication(const QString& desktopFile);

} // namespace platform
