#pragma once

#include <QByteArray>

namespace platform {

// The contents of a small file named by its bytes; empty when it cannot be read or is larger
// than limit.
QByteArray readSmallFile(const QByteArray& path, qint64 limit = 1 << 20);

} // namespace platform
