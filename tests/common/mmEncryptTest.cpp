#include "common/mmEncrypt.h"

#include "tests/common/Printers.h"

#include <gtest/gtest.h>

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

QString chars(std::initializer_list<int> codes)
{
    QString out;
    for (int code : codes)
        out += QChar(char16_t(code));
    return out;
}

} // namespace

TEST(mmEncrypt, EveryPasswordWithoutNulComesBack)
{
    QString allAscii;
    for (char16_t c = 1; c < 128; ++c)
        allAscii += QChar(c);
    const QString passwords[] = {
        "a", "secret", "pass word", "=41_b", "____", "==", "8827193-264718", "\r\n\t", allAscii,
        u("é"), u("Pässwörd"), u("пароль"), u("密码パスワード"), u("😀🔑"), u("\u0080\u00FF\u07FF\uFFFD"),
        QString(5000, u'z'), u("ｶﾞ"),
    };
    for (const QString& password : passwords) {
        const QString stored = mmEncrypt::ScramblePassword(password);
        EXPECT_EQ(mmEncrypt::UnscramblePassword(stored), password) << password.toStdString();
        EXPECT_EQ(stored.size(), 4 * password.toUtf8().size()) << password.toStdString();
        for (const QChar c : stored)
            ASSERT_TRUE(c.unicode() >= 1 && c.unicode() <= 127) << password.toStdString();
    }
}

TEST(mmEncrypt, KnownScrambledTexts)
{
    // "a": =61 -> PTYx, then each character paired with the key from its second character on.
    struct Case {
        QString password;
        QString stored;
    };
    const Case cases[] = {
        {"", ""},
        {"a", chars({u'P' ^ u'8', u'T' ^ u'2', u'Y' ^ u'7', u'x' ^ u'1'})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mmEncrypt::ScramblePassword(c.password), c.stored);
        EXPECT_EQ(mmEncrypt::UnscramblePassword(c.stored), c.password);
    }
}

TEST(mmEncrypt, XorWithKeyPairsAndSkips)
{
    struct Case {
        QString text;
        QString key;
        QString expected;
    };
    const Case cases[] = {
        {"AAA", "xy", chars({u'A' ^ u'y', u'A' ^ u'x', u'A' ^ u'y'})},
        {"yx", "xy", "yx"},                   // equal to its key character: unchanged, no NUL
        {"", "xy", ""},
        {"text", "", "text"},                 // no key, nothing to pair with
    };
    for (const Case& c : cases) {
        const QString once = mmEncrypt::XorWithKey(c.text, c.key);
        EXPECT_EQ(once, c.expected) << c.text.toStdString();
        EXPECT_FALSE(once.contains(QChar(0)));
        EXPECT_EQ(mmEncrypt::XorWithKey(once, c.key), c.text);
    }
}

TEST(mmEncrypt, DamagedStoredTextGivesABoundedText)
{
    for (const QString& stored : {QString("x"), QString("\x01\x7F"), u("öäü"), QString(10001, u'='), u("😀")})
        EXPECT_LE(mmEncrypt::UnscramblePassword(stored).size(), stored.size()) << stored.toStdString();
}
