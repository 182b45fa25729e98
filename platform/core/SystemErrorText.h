#pragma once

#include <QString>

namespace platform {

// The system's text for an error number (an errno value), at most 256 characters.
QString SystemErrorText(int error);

} // namespace platform
