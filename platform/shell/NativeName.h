#pragma once

#include <QByteArray>
#include <QString>

// File names on Linux are bytes. A name that is not valid UTF-8 must still survive a trip through
// QString (views, lists, clipboard), so every byte that does not decode is kept as the lone
// surrogate U+DC00 + byte, and encoding turns such surrogates back into the same byte.
namespace platform {

QString decodeName(const QByteArray& bytes);
QByteArray encodeName(const QString& name);

} // namespace platform

namespace platform {

// The contents of a small file named by its bytes; empty when it cannot be read or is larger
// than limit.
QByteArray readSmallFile(const QByteArray& path, qint64 limit = 1 << 20);

} // namespace platform
