#pragma once

namespace platform {

// Lets pending window messages run, as long operations must so Cancel and socket events are served.
void DoEvents();
// Waits up to timeoutMs for an event and handles what arrived; the wait loops' idle step.
void WaitForEvents(int timeoutMs);

} // namespace platform
