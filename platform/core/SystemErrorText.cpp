#include "platform/core/SystemErrorText.h"

#include <cstring>

namespace platform {

QString SystemErrorText(int error)
{
    char buffer[256] = {};
    // The GNU strerror_r answers a text that may live elsewhere than the buffer.
    const char* text = ::strerror_r(error, buffer, sizeof buffer);
    return QString::fromLocal8Bit(text).left(256);
}

} // namespace platform
