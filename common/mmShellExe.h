#pragma once

#include "platform/shell/ItemIdList.h"

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
// Opens a shell item with its default verb: a file-system item as OpenDocument does, a Control
// Panel entry by starting its application, Computer, Network and Trash through the desktop's
// opener. The owner window has no part on Linux. False for a null list or an item with nothing
// to open it.
bool OpenItemByIdList(quintptr owner, const platform::ItemIdList& list);

} // namespace mmShellExe
