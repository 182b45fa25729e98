#pragma once

#include <QString>
#include <QVariant>

// The numbered text conversions: case, width and kana forms, code-page round trips, quoted and
// hexadecimal bytes, Base64, the uuencode body form and EBCDIC. Code-page bytes are UTF-8 bytes.
class cEncode {
public:
    enum Conversion : qint32 {
        UpperCase = 1,
        LowerCase = 2,
        ProperCase = 3,
        Wide = 4,
        Narrow = 8,
        Katakana = 16,
        Hiragana = 32,
        FromCodePageBytes = 64,
        ToCodePageBytes = 128,
        SevenBit = 256,
        CodePageRoundTrip = 257,
        HexBytes = 258,
        Quoted = 259,
        ToBase64 = 260,
        FromBase64 = 261,
        ToUUBody = 262,
        FromUUBody = 263,
        Reverse = 264,
        ByteArray = 265,
        CodeUnitArray = 266,
        Ebcdic = 267,
        FromEbcdicBytes = 268,
    };

    // The converted value: a text, a QByteArray for 265, a QList<quint16> for 266. An empty
    // String1 gives an empty text whatever the code; an unknown code gives an invalid QVariant.
    // LocaleID (a Windows LCID, 0 = the system's) matters for codes 1 to 32 only.
    QVariant Conv(const QVariant& String1, qint32 Conversion, qint32 LocaleID = 0) const;

    // True when any code-page byte of the text has bit 7 set.
    bool IsBinary(const QString& String1) const;
    // Blanks trimmed, then every leading and every trailing double quote removed.
    QString TrimQuotes(const QString& String1) const;
    // The uuencode character of a six-bit value: the backquote for 0, else the code c + 32.
    QChar ENC(int c) const;

    static QString EncodeHexBytes(const QString& text);
    static QString DecodeQuoted(const QString& text);
    static QString Base64Encode(const QString& text);
    static QString Base64Decode(const QString& text);
    static QString UUEncodeBody(const QString& text);
    static QString UUDecodeBody(const QString& text);
    static QString ToEbcdic(const QString& text);
    static QString FromEbcdic(const QString& text);

private:
    static QVariant characterForm(const QString& text, qint32 conversion, qint32 localeId);
    static QVariant byteForm(const QString& text, qint32 conversion);
};
