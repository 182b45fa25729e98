#pragma once

#include <QString>

// The byte encodings of cEncode::Conv. Each works on the code-page (UTF-8) bytes of its input and
// decodes the resulting bytes as a whole, so multi-byte characters survive every round trip.
namespace encode {

// Every byte as "=" and two upper-case hexadecimal digits: "abc" gives "=61=62=63".
QString EncodeHexBytes(const QString& text);
// Quoted bytes back to text: "_" is a blank, "=" and up to two hexadecimal digits one byte (no
// digits give 0); a soft line break ("=" before a line end) joins the lines.
QString DecodeQuoted(const QString& text);
// Standard Base64 of the bytes padded with zero bytes to a multiple of three; never "=".
QString Base64Encode(const QString& text);
// Base64 back to text: blanks at the ends and line breaks dropped, the padding mended first;
// a character outside the alphabet counts as 0; the final group's "=" decide the length.
QString Base64Decode(const QString& text);
// r = length mod 4: r trailing "=" are removed when they are all "=", else 4 - r are added.
QString FixBase64Padding(const QString& text);
// The uuencode body form: six-bit values plus 32, 0 written as the backquote; no length
// character, no line breaks. "abc" gives "86)C".
QString UUEncodeBody(const QString& text);
QString UUDecodeBody(const QString& text);
// Through the historic dd tables (conv=oldebcdic / oldascii). The EBCDIC side of a text holds
// one byte per character, so FromEbcdic(ToEbcdic(text)) is text for every text.
QString ToEbcdic(const QString& text);
QString FromEbcdic(const QString& text);

} // namespace encode
