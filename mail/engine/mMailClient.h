#pragma once

#include <QString>

namespace mMailClient {

// The program of the desktop's mailto handler (xdg-mime), as an existing file; empty when the
// desktop names none or the program is not there.
QString DefaultMailClient();

// The program an Exec line of a desktop entry starts: quotes removed, first word, found on PATH.
QString ProgramOfExec(const QString& exec);

} // namespace mMailClient
