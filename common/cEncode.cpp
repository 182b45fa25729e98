#include "common/cEncode.h"

#include "common/encode/ByteCodecs.h"
#include "common/encode/CharacterForms.h"
#include "platform/core/CodePage.h"
#include "platform/core/LocaleId.h"

#include <QList>

#include <algorithm>

using platform::CodePageBytes;
using platform::TextOfCodePageBytes;

namespace {

// The characters in reverse order, each surrogate pair kept as one character.
QString reversed(const QString& text)
{
    QString out(text.size(), Qt::Uninitialized);
    qsizetype to = text.size();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const qsizetype length = pair ? 2 : 1;
        to -= length;
        for (qsizetype k = 0; k < length; ++k)
            out[to + k] = text.at(i + k);
        i += length - 1;
    }
    return out;
}

QList<quint16> codeUnits(const QString& text)
{
    QList<quint16> units;
    units.reserve(text.size());
    for (const QChar c : text)
        units.append(c.unicode());
    return units;
}

} // namespace

QVariant cEncode::Conv(const QVariant& String1, qint32 Conversion, qint32 LocaleID) const
{
    const QString text = String1.toString();
    if (text.isEmpty())
        return QString();
    if (Conversion <= Hiragana)
        return characterForm(text, Conversion, LocaleID);
    return byteForm(text, Conversion);
}

QVariant cEncode::characterForm(const QString& text, qint32 conversion, qint32 localeId)
{
    const QLocale locale = platform::LocaleOfId(quint32(localeId));
    switch (conversion) {
    case UpperCase:
        return encode::ToUpper(text, locale);
    case LowerCase:
        return encode::ToLower(text, locale);
    case ProperCase:
        return encode::ToProperCase(text, locale);
    case Wide:
        return encode::ToWide(text);
    case Narrow:
        return encode::ToNarrow(text);
    case Katakana:
        return encode::HiraganaToKatakana(text);
    case Hiragana:
        return encode::KatakanaToHiragana(text);
    default:
        return QVariant();
    }
}

QVariant cEncode::byteForm(const QString& text, qint32 conversion)
{
    switch (conversion) {
    case FromCodePageBytes:
        return TextOfCodePageBytes(platform::BytesOfCharacters(text));
    case ToCodePageBytes:
        return QString::fromLatin1(CodePageBytes(text));
    case SevenBit: {
        QByteArray bytes = CodePageBytes(text);
        std::transform(bytes.begin(), bytes.end(), bytes.begin(), [](char b) { return char(b & 0x7F); });
        return QString::fromLatin1(bytes);
    }
    case CodePageRoundTrip:
        return TextOfCodePageBytes(CodePageBytes(text));
    case HexBytes:
        return EncodeHexBytes(text);
    case Quoted:
        return DecodeQuoted(text);
    case ToBase64:
        return Base64Encode(text);
    case FromBase64:
        return Base64Decode(text);
    case ToUUBody:
        return UUEncodeBody(text);
    case FromUUBody:
        return UUDecodeBody(text);
    case Reverse:
        return reversed(text);
    case ByteArray:
        return CodePageBytes(text);
    case CodeUnitArray:
        return QVariant::fromValue(codeUnits(text));
    case Ebcdic:
        return ToEbcdic(text);
    case FromEbcdicBytes:
        return FromEbcdic(text);
    default:
        return QVariant();
    }
}

bool cEncode::IsBinary(const QString& String1) const
{
    return std::any_of(String1.begin(), String1.end(), [](QChar c) { return c.unicode() > 0x7F; });
}

QString cEncode::TrimQuotes(const QString& String1) const
{
    const QString trimmed = String1.trimmed();
    qsizetype first = 0;
    qsizetype last = trimmed.size();
    while (first < last && trimmed.at(first) == u'"')
        ++first;
    while (last > first && trimmed.at(last - 1) == u'"')
        --last;
    return trimmed.mid(first, last - first);
}

QChar cEncode::ENC(int c) const
{
    if (c == 0)
        return QChar(u'`');
    if (c < 0 || c > 0xFFFF - 32)
        return QChar();
    return QChar(char16_t(c + 32));
}

QString cEncode::EncodeHexBytes(const QString& text) { return encode::EncodeHexBytes(text); }
QString cEncode::DecodeQuoted(const QString& text) { return encode::DecodeQuoted(text); }
QString cEncode::Base64Encode(const QString& text) { return encode::Base64Encode(text); }
QString cEncode::Base64Decode(const QString& text) { return encode::Base64Decode(text); }
QString cEncode::UUEncodeBody(const QString& text) { return encode::UUEncodeBody(text); }
QString cEncode::UUDecodeBody(const QString& text) { return encode::UUDecodeBody(text); }
QString cEncode::ToEbcdic(const QString& text) { return encode::ToEbcdic(text); }
QString cEncode::FromEbcdic(const QString& text) { return encode::FromEbcdic(text); }
