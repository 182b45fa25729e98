#pragma once

#include <QByteArray>
#include <QString>

// The "system code page" of a Linux desktop is UTF-8. Conversions that work on code-page bytes use
// these, so that multi-byte characters survive and every byte sequence still gives a text.
namespace platform {

// The code-page bytes of a text (UTF-8; a lone surrogate, which UTF-8 cannot hold, becomes "?").
QByteArray CodePageBytes(const QString& text);
// The text of code-page bytes, decoded as a whole: UTF-8 when the bytes are valid UTF-8, otherwise
// Latin-1, byte for byte, so that bytes from an older 8-bit file or mail are not lost.
QString TextOfCodePageBytes(const QByteArray& bytes);
// A text that holds bytes as characters (each character up to 0xFF is one byte) back to bytes;
// a character above 0xFF is no byte and gives its UTF-8 bytes instead of being cut.
QByteArray BytesOfCharacters(const QString& text);

} // namespace platform
