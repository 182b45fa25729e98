#include "mail/engine/mTransferDecode.h"

namespace mTransferDecode {
namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

QByteArray Base64(const QByteArray& encoded)
{
    return QByteArray::fromBase64(encoded);
}

QByteArray QuotedPrintable(const QByteArray& encoded, QuotedKind kind)
{
    QByteArray out;
    out.reserve(encoded.size());
    const qsizetype n = encoded.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = encoded[i];
        if (c == '_' && kind == EncodedWord) {
            out += ' ';
        } else if (c != '=') {
            out += c;
        } else if (kind == Body && i + 1 < n && encoded[i + 1] == '\n') {
            i += 1;
        } else if (kind == Body && i + 2 < n && encoded[i + 1] == '\r' && encoded[i + 2] == '\n') {
            i += 2;
        } else if (i + 2 < n && hexValue(encoded[i + 1]) >= 0 && hexValue(encoded[i + 2]) >= 0) {
            out += char(hexValue(encoded[i + 1]) * 16 + hexValue(encoded[i + 2]));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace mTransferDecode
