#pragma once

#include <QString>

// Starting programs and documents through the desktop: run and wait, associations, open.
namespace mmShellExe {

// Lets pending events run, starts the command line and waits, without a time limit, until it
// ends, then lets pending events run again. The window style has no meaning for a Linux
// program's first window and is not used. False when the program cannot be started.
bool RunAndWait(const QString& commandLine, int windowStyle);
// An existing file whose type has a default application.
bool HasAssociation(const QString& file);
// The full path of the default application's program for an existing file, or empty.
QString AssociatedProgram(const QString& file);
// Opens a file, folder or address ("http://...") with its default application through the
// desktop's opener. With associationRequired a file without association starts nothing.
// True when the opener started for something that has an application.
bool OpenDocument(const QString& file, bool associationRequired);

} // namespace mmShellExe
