#include "common/encode/ByteCodecs.h"

#include "common/encode/EbcdicTables.h"
#include "platform/core/CodePage.h"

#include <array>

namespace encode {

namespace {

using platform::CodePageBytes;
using platform::TextOfCodePageBytes;

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr char kBase64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

QByteArray paddedToTriples(QByteArray bytes)
{
    while (bytes.size() % 3 != 0)
        bytes += '\0';
    return bytes;
}

// Blanks at both ends trimmed and every line break removed, as the decoders take their input.
QString withoutLineBreaks(const QString& text)
{
    QString out = text.trimmed();
    out.remove(u'\r');
    out.remove(u'\n');
    return out;
}

char uuCharacter(int sixBits)
{
    return sixBits == 0 ? '`' : char(sixBits + 32);
}

QByteArray mapBytes(const QByteArray& bytes, const std::array<quint8, 256>& table)
{
    QByteArray out(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = char(table[quint8(bytes.at(i))]);
    return out;
}

} // namespace

QString EncodeHexBytes(const QString& text)
{
    const QByteArray bytes = CodePageBytes(text);
    QByteArray out;
    out.reserve(bytes.size() * 3);
    for (const char b : bytes) {
        out += '=';
        out += kHexDigits[quint8(b) >> 4];
        out += kHexDigits[quint8(b) & 0x0F];
    }
    return QString::fromLatin1(out);
}

QString DecodeQuoted(const QString& text)
{
    QString quoted = text;
    quoted.replace(u'_', u' ');
    QByteArray bytes;
    bytes.reserve(quoted.size());
    qsizetype i = 0;
    while (i < quoted.size()) {
        const qsizetype equals = quoted.indexOf(u'=', i);
        const qsizetype runEnd = equals < 0 ? quoted.size() : equals;
        bytes += QStringView(quoted).mid(i, runEnd - i).toUtf8();
        if (equals < 0)
            break;
        i = equals + 1;
        const QStringView rest = QStringView(quoted).mid(i);
        if (rest.startsWith(u"\r\n") || rest.startsWith(u"\n")) {
            i += rest.startsWith(u'\r') ? 2 : 1;
            continue;
        }
        int value = 0;
        for (int digits = 0; digits < 2 && i < quoted.size() && hexValue(quoted.at(i)) >= 0; ++digits, ++i)
            value = value * 16 + hexValue(quoted.at(i));
        bytes += char(value);
    }
    return TextOfCodePageBytes(bytes);
}

QString Base64Encode(const QString& text)
{
    return QString::fromLatin1(paddedToTriples(CodePageBytes(text)).toBase64());
}

QString FixBase64Padding(const QString& text)
{
    const qsizetype r = text.size() % 4;
    if (r == 0)
        return text;
    const QStringView tail = QStringView(text).right(r);
    if (tail.count(u'=') == r)
        return text.left(text.size() - r);
    return text + QString(4 - r, u'=');
}

QString Base64Decode(const QString& text)
{
    const QByteArray chars = CodePageBytes(FixBase64Padding(withoutLineBreaks(text)));
    std::array<quint8, 256> values{};
    for (int v = 0; v < 64; ++v)
        values[quint8(kBase64Alphabet[v])] = quint8(v);
    QByteArray bytes;
    bytes.reserve(chars.size() / 4 * 3);
    for (qsizetype g = 0; g + 4 <= chars.size(); g += 4) {
        quint32 group = 0;
        for (int k = 0; k < 4; ++k)
            group = group << 6 | values[quint8(chars.at(g + k))];
        bytes += char(group >> 16);
        bytes += char(group >> 8);
        bytes += char(group);
    }
    if (chars.endsWith("=="))
        bytes.chop(2);
    else if (chars.endsWith('='))
        bytes.chop(1);
    return TextOfCodePageBytes(bytes);
}

QString UUEncodeBody(const QString& text)
{
    const QByteArray bytes = paddedToTriples(CodePageBytes(text));
    QByteArray out;
    out.reserve(bytes.size() / 3 * 4);
    for (qsizetype g = 0; g < bytes.size(); g += 3) {
        const quint32 group = quint32(quint8(bytes.at(g))) << 16 | quint32(quint8(bytes.at(g + 1))) << 8
                              | quint8(bytes.at(g + 2));
        for (int shift = 18; shift >= 0; shift -= 6)
            out += uuCharacter(int(group >> shift) & 0x3F);
    }
    return QString::fromLatin1(out);
}

QString UUDecodeBody(const QString& text)
{
    const QByteArray chars = CodePageBytes(withoutLineBreaks(text));
    QByteArray bytes;
    bytes.reserve(chars.size() / 4 * 3);
    for (qsizetype g = 0; g + 4 <= chars.size(); g += 4) {
        std::array<int, 4> c{};
        for (int k = 0; k < 4; ++k) {
            const char ch = chars.at(g + k) == '`' ? ' ' : chars.at(g + k);
            c[k] = (quint8(ch) - 32) & 0xFF;
        }
        bytes += char(c[0] * 4 + c[1] / 16);
        bytes += char((c[1] % 16) * 16 + c[2] / 4);
        bytes += char((c[2] % 4) * 64 + c[3]);
    }
    return TextOfCodePageBytes(bytes);
}

QString ToEbcdic(const QString& text)
{
    return QString::fromLatin1(mapBytes(CodePageBytes(text), kAsciiToEbcdic));
}

QString FromEbcdic(const QString& text)
{
    return TextOfCodePageBytes(mapBytes(platform::BytesOfCharacters(text), kEbcdicToAscii));
}

} // namespace encode
