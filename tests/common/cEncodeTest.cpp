#include "common/cEncode.h"

#include <QByteArray>
#include <QProcess>

#include "tests/common/Printers.h"

#include <gtest/gtest.h>

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

QString conv(const QString& text, qint32 code, qint32 locale = 0)
{
    return cEncode().Conv(text, code, locale).toString();
}

std::string show(const QString& text) { return text.toUtf8().toHex(' ').toStdString(); }

} // namespace

TEST(cEncode, EmptyTextGivesEmptyTextForEveryCode)
{
    const cEncode enc;
    for (qint32 code : {0, 1, 2, 3, 4, 8, 16, 32, 64, 128, 256, 257, 258, 259, 260, 261, 262, 263, 264, 265,
                        266, 267, 268, 5, 269, 1000, -1}) {
        const QVariant result = enc.Conv(QString(), code, 0);
        EXPECT_EQ(result.typeId(), QMetaType::QString) << code;
        EXPECT_TRUE(result.toString().isEmpty()) << code;
    }
}

TEST(cEncode, UnknownCodeGivesEmptyValue)
{
    for (qint32 code : {0, 5, 7, 9, 64 + 1, 255, 269, 512, -258, 0x7FFFFFFF}) {
        EXPECT_FALSE(cEncode().Conv(QStringLiteral("text"), code, 0).isValid()) << code;
    }
}

TEST(cEncode, TextConversions)
{
    struct Case {
        QString input;
        qint32 code;
        qint32 locale;
        QString expected;
    };
    const Case cases[] = {
        {"Hello World", 1, 0, "HELLO WORLD"},
        {"Hello World", 2, 0, "hello world"},
        {u("istanbul ıi"), 1, 0x041F, u("İSTANBUL Iİ")},     // Turkish dotted and dotless i
        {u("İSTANBUL"), 2, 0x041F, u("istanbul")},
        {u("straße"), 1, 0x0407, u("STRASSE")},
        {"hELLO wORLD, o'neil x-ray 2nd", 3, 0, "Hello World, O'neil X-Ray 2nd"},
        {u("élan über"), 3, 0, u("Élan Über")},
        {"AZ az 09 !~", 4, 0, u("ＡＺ　ａｚ　０９　！～")},
        {u("ｶﾞｷﾞﾊﾟｱﾞｱ"), 4, 0, u("ガギパア゛ア")},          // voiced marks join their base
        {u("ＡＺ　ａｚ　０９！～"), 8, 0, "AZ az 09!~"},
        {u("ガギパアヴ゛"), 8, 0, u("ｶﾞｷﾞﾊﾟｱｳﾞﾞ")},
        {u("漢字 kanji"), 8, 0, u("漢字 kanji")},            // nothing narrow to give
        {u("ひらがな ゝゞ ゔ"), 16, 0, u("ヒラガナ ヽヾ ヴ")},
        {u("カタカナ ヽヾ ヷ"), 32, 0, u("かたかな ゝゞ ヷ")}, // ヷ has no hiragana
        {"abc", 264, 0, "cba"},
        {u("a😀b"), 264, 0, u("b😀a")},                      // surrogate pairs stay whole
    };
    for (const Case& c : cases)
        EXPECT_EQ(show(conv(c.input, c.code, c.locale)), show(c.expected)) << c.input.toStdString() << " " << c.code;
}

TEST(cEncode, CodePageConversions)
{
    struct Case {
        QString input;
        qint32 code;
        QString expected;
    };
    const Case cases[] = {
        {u("é"), 128, QString::fromLatin1("\xC3\xA9")},        // one character per UTF-8 byte
        {QString::fromLatin1("\xC3\xA9"), 64, u("é")},         // and back
        {u("€ 😀"), 128, QString::fromLatin1("\xE2\x82\xAC \xF0\x9F\x98\x80")},
        {QString::fromLatin1("\xE2\x82\xAC \xF0\x9F\x98\x80"), 64, u("€ 😀")},
        {QString::fromLatin1("caf\xE9"), 64, QString::fromLatin1("caf\xE9")}, // not UTF-8: byte for byte
        {u("退"), 256, QString::fromLatin1("\x69\x00\x00", 3)}, // byte 0xE9 becomes 0x69
        {"plain", 256, "plain"},
        {u("ümlaut 😀"), 257, u("ümlaut 😀")},
        {QString(QChar(0xD800)) + "x", 257, "?x"},               // a lone surrogate cannot be held
    };
    for (const Case& c : cases)
        EXPECT_EQ(show(conv(c.input, c.code)), show(c.expected)) << c.code;
}

TEST(cEncode, ByteEncodings)
{
    struct Case {
        QString input;
        qint32 code;
        QString expected;
    };
    const Case cases[] = {
        {"abc", 258, "=61=62=63"},
        {u("é\n"), 258, "=C3=A9=0A"},
        {"=41_b", 259, "A b"},
        {"=3d=3D=4", 259, "==\x04"},
        {"a=\r\nb=\nc", 259, "abc"},                  // soft line breaks join the lines
        {"=C3=A9t=C3=A9", 259, u("été")},              // a multi-byte character survives
        {"=E2=82=AC", 259, u("€")},
        {"=E9t=E9", 259, QString::fromLatin1("\xE9t\xE9")}, // an 8-bit mail keeps its letters
        {"a=zb", 259, QString::fromLatin1("a\0zb", 4)},  // no digits give 0
        {"=", 259, QString(QChar(0))},
        {"a", 260, "YQAA"},
        {"abc", 260, "YWJj"},
        {"=61=62=63", 260, "PTYxPTYyPTYz"},
        {u("éé"), 260, "w6nDqQAA"},                   // every byte encoded, none dropped
        {"YQ", 261, "a"},
        {"YQ=", 261, "a"},
        {"YQ==", 261, "a"},
        {"  YW\r\nJj  ", 261, "abc"},
        {"YW\nJj", 261, "abc"},
        {"YQAA", 261, QString::fromLatin1("a\0\0", 3)},
        {"w6nDqQAA", 261, QString::fromUtf8("\xC3\xA9\xC3\xA9\0\0", 6)},
        {"PTYxPTYyPTYz", 261, "=61=62=63"},
        {"Y!Q=", 261, QString::fromLatin1("`\x04", 2)},   // outside the alphabet counts as 0
        {"abc", 262, "86)C"},
        {"a", 262, "80``"},
        {u("é"), 262, "PZD`"},
        {"86)C", 263, "abc"},
        {" 86)C\r\n80`` ", 263, QString::fromLatin1("abca\0\0", 6)},
        {"86)C8", 263, "abc"},                         // a short last group is dropped
    };
    for (const Case& c : cases)
        EXPECT_EQ(show(conv(c.input, c.code)), show(c.expected)) << c.input.toStdString() << " " << c.code;
}

TEST(cEncode, DecodingUndoesEncoding)
{
    const QString texts[] = {"a", "ab", "abc", "abcd", u("é"), u("Grüße, 世界 😀"), QString(1000, u'x'),
                             u("line\r\nbreak\ttab")};
    for (const QString& text : texts) {
        const QString fromBase64 = conv(conv(text, 260), 261);
        const QString fromUU = conv(conv(text, 262), 263);
        EXPECT_TRUE(fromBase64.startsWith(text)) << show(text);
        EXPECT_TRUE(fromUU.startsWith(text)) << show(text);
        // The encoders pad with zero bytes to a multiple of three bytes; those come back as NULs.
        const qsizetype padding = (3 - text.toUtf8().size() % 3) % 3;
        EXPECT_EQ(fromUU.mid(text.size()), QString(padding, QChar(0))) << show(text);
        EXPECT_EQ(fromBase64.mid(text.size()), QString(padding, QChar(0))) << show(text);
        EXPECT_EQ(conv(conv(text, 258), 259), text) << show(text);
        EXPECT_EQ(conv(conv(text, 267), 268), text) << show(text);
        EXPECT_EQ(conv(conv(text, 128), 64), text) << show(text);
    }
}

TEST(cEncode, EbcdicTellingRows)
{
    const std::pair<int, int> rows[] = {{0x00, 0x00}, {0x03, 0x03}, {0x04, 0x37}, {0x0A, 0x25}, {0x20, 0x40},
                                        {0x21, 0x4F}, {0x5B, 0x4A}, {0x5D, 0x5A}, {0x5E, 0x5F}, {0x7C, 0x6A},
                                        {0x30, 0xF0}, {0x39, 0xF9}, {0x41, 0xC1}, {0x49, 0xC9}};
    for (const auto& [ascii, ebcdic] : rows) {
        const QString out = conv(QString(QChar(char16_t(ascii))) + "A", 267);
        ASSERT_EQ(out.size(), 2);
        EXPECT_EQ(out.at(0).unicode(), ebcdic) << ascii;
        EXPECT_EQ(conv(out, 268).at(0).unicode(), ascii) << ascii;
    }
    // Bytes above 0x7F are the UTF-8 bytes of a character: U+0080 is C2 80.
    EXPECT_EQ(show(conv(u("\u0080"), 267)), show(QString::fromLatin1("\x78\x20")));
    EXPECT_EQ(show(conv(QString::fromLatin1("\xFF\xE1"), 268)), show(QString::fromLatin1("\xFF\x9F")));
}

TEST(cEncode, EbcdicLettersAgreeWithDd)
{
    const QByteArray text = "The quick brown fox 0123456789 jumps over the lazy dog. ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QProcess dd;
    dd.start("dd", {"conv=ebcdic", "status=none"});
    ASSERT_TRUE(dd.waitForStarted());
    dd.write(text);
    dd.closeWriteChannel();
    ASSERT_TRUE(dd.waitForFinished());
    EXPECT_EQ(conv(QString::fromLatin1(text), 267).toLatin1().toHex(), dd.readAllStandardOutput().toHex());
}

TEST(cEncode, ArraysOfBytesAndCodeUnits)
{
    const QVariant bytes = cEncode().Conv(u("aé"), 265, 0);
    EXPECT_EQ(bytes.typeId(), QMetaType::QByteArray);
    EXPECT_EQ(bytes.toByteArray(), QByteArray("a\xC3\xA9"));
    const QVariant units = cEncode().Conv(u("a😀"), 266, 0);
    EXPECT_EQ(units.value<QList<quint16>>(), (QList<quint16>{0x61, 0xD83D, 0xDE00}));
}

TEST(cEncode, AnyValueIsTakenAsText)
{
    EXPECT_EQ(cEncode().Conv(QVariant(255), 258, 0).toString(), "=32=35=35");
    EXPECT_EQ(cEncode().Conv(QVariant(QByteArray("abc")), 1, 0).toString(), "ABC");
}

TEST(cEncode, HugeTextsKeepTheirLengthRule)
{
    const QString huge(3'000'000, u'x'); // 3 MB: a multiple of three bytes
    struct Case {
        qint32 code;
        qsizetype length;
    };
    const Case cases[] = {{1, huge.size()},       {2, huge.size()},         {3, huge.size()},   {4, huge.size()},
                          {8, huge.size()},       {16, huge.size()},        {32, huge.size()},  {64, huge.size()},
                          {128, huge.size()},     {256, huge.size()},       {257, huge.size()}, {258, huge.size() * 3},
                          {259, huge.size()},     {260, huge.size() / 3 * 4}, {261, huge.size() / 4 * 3},
                          {262, huge.size() / 3 * 4}, {263, huge.size() / 4 * 3}, {264, huge.size()},
                          {267, huge.size()},     {268, huge.size()}};
    for (const Case& c : cases)
        EXPECT_EQ(conv(huge, c.code).size(), c.length) << c.code;
    EXPECT_EQ(cEncode().Conv(huge, 265, 0).toByteArray().size(), huge.size());
    EXPECT_EQ(cEncode().Conv(huge, 266, 0).value<QList<quint16>>().size(), huge.size());
    EXPECT_EQ(conv(conv(huge, 258), 259), huge);
}

TEST(cEncode, SmallHelpers)
{
    const cEncode enc;
    EXPECT_FALSE(enc.IsBinary("plain ASCII ~\x7F"));
    EXPECT_TRUE(enc.IsBinary(u("naïve")));
    EXPECT_FALSE(enc.IsBinary(QString()));
    EXPECT_EQ(enc.TrimQuotes("  \"\"inner \"text\"\"  "), "inner \"text");
    EXPECT_EQ(enc.TrimQuotes("\"\"\""), "");
    EXPECT_EQ(enc.ENC(0), QChar(u'`'));
    EXPECT_EQ(enc.ENC(1), QChar(u'!'));
    EXPECT_EQ(enc.ENC(63), QChar(u'_'));
    EXPECT_TRUE(enc.ENC(-5).isNull());
}
