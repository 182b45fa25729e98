#pragma once

#include <functional>

namespace platform {

// Runs onSignal on the UI thread when the process gets SIGTERM or SIGINT, so the program can shut
// down as if its main window had been closed.
void CatchTerminationSignals(std::function<void()> onSignal);

} // namespace platform
