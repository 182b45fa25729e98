// The message model against header blocks and MIME bodies as real mail programs write them.
#include "mail/engine/cMessage.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

QByteArray crlf(QByteArray text)
{
    return text.replace("\n", "\r\n");
}

cMessage parsed(const QByteArray& unixText)
{
    cMessage m;
    m.CreateFromText(crlf(unixText));
    return m;
}

struct HeaderCase {
    const char* what;
    const char* headers;
    QString cMessage::*field;
    const char* expected;
};

const HeaderCase headerCases[] = {
    {"folded plain subject", "Subject: Hello\n world\n", &cMessage::Subject, "Hello world "},
    {"display name in quotes", "From: \"John Smith\" <john@example.com>\n", &cMessage::From,
     "John Smith <john@example.com>"},
    {"later From replaces", "From: a@example.com\nFrom:  b@example.com \n", &cMessage::From, "b@example.com"},
    {"UTF-8 Base64", "Subject: =?UTF-8?B?w4RyZ2VybGljaA==?=\n", &cMessage::Subject, "Ärgerlich "},
    {"ISO-8859-1 quoted", "Subject: =?ISO-8859-1?Q?Caf=E9_cr=E8me?=\n", &cMessage::Subject, "Café crème "},
    {"lower-case q marker", "Subject: =?utf-8?q?caf=C3=A9?=\n", &cMessage::Subject, "café "},
    {"Shift_JIS", "Subject: =?Shift_JIS?B?k/qWe4zqgsyDZYNYg2c=?=\n", &cMessage::Subject, "日本語のテスト "},
    {"ISO-2022-JP", "Subject: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=\n", &cMessage::Subject, "テスト "},
    {"Windows-1251", "Subject: =?windows-1251?Q?=CF=F0=E8=E2=E5=F2?=\n", &cMessage::Subject, "Привет "},
    {"Windows-1250", "Subject: =?windows-1250?B?S3Jha/N3IJYgemG/87Pm?=\n", &cMessage::Subject,
     "Kraków – zażółć "},
    {"ISO-8859-7", "Subject: =?iso-8859-7?B?yuXf7OXt7w==?=\n", &cMessage::Subject, "Κείμενο "},
    {"two words over a fold join", "Subject: =?UTF-8?B?R3LDvMOfZSBhdXMgS8O2bG4sIA==?=\n =?UTF-8?B?c2Now7ZuZXMgV2V0dGVy?=\n",
     &cMessage::Subject, "Grüße aus Köln, schönes Wetter "},
    {"text before a word stays", "Subject: Re: =?UTF-8?B?w4RyZ2VybGljaA==?= (2)\n", &cMessage::Subject,
     "Re: Ärgerlich (2) "},
    {"encoded display name", "From: =?ISO-8859-2?Q?=50=61=77=65=B3_Nowak?= <pawel@example.pl>\n", &cMessage::From,
     "Paweł Nowak <pawel@example.pl>"},
    {"unknown charset read as UTF-8", "Subject: =?x-unknown?Q?na=C3=AFve?=\n", &cMessage::Subject, "naïve "},
    {"raw 8-bit Latin-1 header", "Subject: Gr\xfc\xdf" "e\n", &cMessage::Subject, "Grüße "},
    {"To lines append", "To: a@example.com\nTo: \"B\" <b@example.com>\n", &cMessage::MessageTo,
     "a@example.com B <b@example.com> "},
    {"folded To list", "To: a@example.com,\n\tb@example.com\n", &cMessage::MessageTo, "a@example.com, b@example.com "},
    {"last Received wins", "Received: from a by b\nReceived: from c\n by d; Tue, 5 Mar 2002\n", &cMessage::Received,
     "from c by d; Tue, 5 Mar 2002"},
    {"continuation with a colon stays", "Subject: Fwd: minutes\n of the meeting: part 2\n", &cMessage::Subject,
     "Fwd: minutes of the meeting: part 2 "},
    {"unknown header drops its continuation", "X-Thing: a\n Subject: no\nSubject: yes\n", &cMessage::Subject, "yes "},
    {"header names in any case", "MESSAGE-ID: <abc@example.com>\n", &cMessage::MessageID, "<abc@example.com>"},
    {"Return-Path unchanged", "Return-Path: <\"bounce\"@example.com>\n", &cMessage::ReturnPath,
     "<\"bounce\"@example.com>"},
};

class HeaderDecoding : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderDecoding, FillsTheField)
{
    const HeaderCase& c = GetParam();
    const cMessage m = parsed(QByteArray(c.headers) + "\nbody\n");
    EXPECT_EQ((m.*(c.field)).toStdString(), std::string(c.expected)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(RealHeaders, HeaderDecoding, ::testing::ValuesIn(headerCases));

TEST(MessageModel, TextWithoutEmptyLineFillsNothing)
{
    const cMessage m = parsed("From: a@example.com\nSubject: hi\nMessage-ID: <1@x>\n");
    EXPECT_TRUE(m.Headers.isEmpty());
    EXPECT_TRUE(m.From.isEmpty());
    EXPECT_TRUE(m.MessageID.isEmpty());
}

TEST(MessageModel, HeadersAndPlainBodyAreSplitAtTheFirstEmptyLine)
{
    const cMessage m = parsed("From: a@example.com\nSubject: hi\n\nfirst line\n\nsecond\n");
    EXPECT_EQ(m.Headers.toStdString(), "From: a@example.com\r\nSubject: hi");
    EXPECT_EQ(m.MessageBody.toStdString(), "first line\r\n\r\nsecond\r\n");
}

struct DateCase {
    const char* header;
    QDateTime moment;
};

TEST(MessageModel, DatesAreReadAsWrittenWithTwoDigitYears)
{
    const DateCase cases[] = {
        {"Tue, 05 Mar 02 21:10:05 +0900", QDateTime(QDate(2002, 3, 5), QTime(21, 10, 5))},
        {"Sun, 05 Mar 95 08:00:00 -0500", QDateTime(QDate(1995, 3, 5), QTime(8, 0))},
        {"5 Mar 2002 09:10:05 PM +0000", QDateTime(QDate(2002, 3, 5), QTime(21, 10, 5))},
        {"Wed, 11 Dec 2024 07:03 +0100 (CET)", QDateTime(QDate(2024, 12, 11), QTime(7, 3))},
    };
    for (const DateCase& c : cases) {
        const cMessage m = parsed(QByteArray("Date: ") + c.header + "\n\nx\n");
        EXPECT_EQ(m.SentAt, c.moment) << c.header;
        const QLocale system = QLocale::system();
        EXPECT_EQ(m.SendDate, system.toString(c.moment.date(), QLocale::ShortFormat) + ' '
                                  + system.toString(c.moment.time(), QLocale::ShortFormat))
            << c.header;
    }
}

TEST(MessageModel, AnUnreadableDateIsShownAsWritten)
{
    const cMessage m = parsed("Date: sometime last week\n\nx\n");
    EXPECT_EQ(m.SendDate.toStdString(), "sometime last week");
    EXPECT_FALSE(m.SentAt.isValid());
}

const char alternative[] = "From: shop@example.com\n"
                           "MIME-Version: 1.0\n"
                           "Content-Type: multipart/alternative;\n\tboundary=\"----=_NextPart_000_0012\"\n"
                           "\n"
                           "This is a multi-part message in MIME format.\n"
                           "\n"
                           "------=_NextPart_000_0012\n"
                           "Content-Type: text/plain;\n\tcharset=\"utf-8\"\n"
                           "Content-Transfer-Encoding: quoted-printable\n"
                           "\n"
                           "Gr=C3=BC=C3=9Fe, file_name.txt is a long line that is softly bro=\nken here.\n"
                           "------=_NextPart_000_0012\n"
                           "Content-Type: text/html; charset=iso-8859-1\n"
                           "Content-Transfer-Encoding: base64\n"
                           "\n"
                           "PHA+Q2Fm6SBjcuhtZTwvcD4=\n"
                           "\n"
                           "------=_NextPart_000_0012--\n";

TEST(MessageModel, AlternativePartsAreDecodedWithTheirCharsets)
{
    const cMessage m = parsed(alternative);
    EXPECT_EQ(m.MessageBody.toStdString(),
              "Grüße, file_name.txt is a long line that is softly broken here.\r\n"
              "<p>Café crème</p>\r\n");
}

TEST(MessageModel, AnImagePartIsSkipped)
{
    const cMessage m = parsed("Subject: photo\n"
                              "Content-Type: multipart/mixed; boundary=\"b1\"\n"
                              "\n"
                              "--b1\n"
                              "Content-Type: text/plain; charset=ISO-8859-1\n"
                              "Content-Transfer-Encoding: base64\n"
                              "\n"
                              "3G7vY/Zk6Q==\n"
                              "--b1\n"
                              "Content-Type: image/png; name=\"a.png\"\n"
                              "Content-Transfer-Encoding: base64\n"
                              "Content-Disposition: attachment; filename=\"a.png\"\n"
                              "\n"
                              "iVBORw0KGgoAAQIDBAUGBwgJCgsMDQ4PEBESExQVFhcYGRobHB0eHyAhIiMkJSYn\n"
                              "--b1--\n");
    EXPECT_EQ(m.MessageBody.toStdString(), "Ünïcödé\r\n");
}

TEST(MessageModel, TextPlainWithoutParametersIsTaken)
{
    const cMessage m = parsed("Content-Type: text/plain\nContent-Transfer-Encoding: 7bit\n\nplain words\n");
    EXPECT_EQ(m.MessageBody.toStdString(), "plain words\r\n");
}

TEST(MessageModel, MessagesWithoutMessageIdKeepApartAndKeepTheirKey)
{
    const QByteArray one = crlf("From: a@example.com\nSubject: one\n\nx\n");
    const QByteArray two = crlf("From: a@example.com\nSubject: two\n\nx\n");
    cMessage a, b, again;
    for (cMessage* m : {&a, &b, &again})
        m->Server = "pop.example.com";
    a.CreateFromText(one);
    b.CreateFromText(two);
    again.CreateFromText(one);
    EXPECT_NE(a.Key(), b.Key());
    EXPECT_EQ(a.Key(), again.Key());

    cMessage withId;
    withId.Server = "pop.example.com";
    withId.CreateFromText(crlf("Message-ID: <77@example.com>\n\nx\n"));
    EXPECT_EQ(withId.Key().toStdString(), "pop.example.com<77@example.com>");
}

TEST(MessageModel, DecodeHeaderEndsEachPieceWithASpace)
{
    EXPECT_EQ(cMessage::DecodeHeader("\"Ann\" <ann@example.com>", "reply-to").toStdString(), "Ann <ann@example.com> ");
    EXPECT_EQ(cMessage::DecodeHeader("\"quoted\" subject", "subject").toStdString(), "\"quoted\" subject ");
}

} // namespace
