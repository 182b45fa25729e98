#pragma once

#include <QByteArray>

// The transfer encodings of mail (RFC 2045, 2047) undone to bytes, so that the charset the
// message names can turn them into text afterwards.
namespace mTransferDecode {

enum QuotedKind {
    Body,        // "=" at a line end is a soft line break; "_" is an underscore
    EncodedWord, // "_" is a blank
};

// Characters outside the alphabet are skipped; missing padding is tolerated.
QByteArray Base64(const QByteArray& encoded);
// "=" followed by two hexadecimal digits is one byte; a lone "=" stays as it is.
QByteArray QuotedPrintable(const QByteArray& encoded, QuotedKind kind);

} // namespace mTransferDecode
