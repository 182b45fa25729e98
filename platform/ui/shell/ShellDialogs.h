#pragma once

namespace platform {

// Gives the file operation engine its windows: the replace and error questions (shown when the
// widget prompt service runs them) and the progress window. The program calls this at start-up.
void installShellDialogs();

} // namespace platform
