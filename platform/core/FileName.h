#pragma once

#include <QByteArray>
#include <QString>

// File names on Linux are bytes; ours are texts. Valid UTF-8 decodes as usual, and every byte that
// is not part of valid UTF-8 becomes the lone surrogate U+DC80 + (byte - 0x80), which encodes back
// to that very byte. So a folder with names from an 8-bit system can still be listed, opened and
// compared (Qt's own directory listing leaves such names out).
namespace platform {

QByteArray EncodeFileName(const QString& name);
QString DecodeFileName(const QByteArray& bytes);

} // namespace platform
