// The POP3 dialogue on its own: replies fed in every chunk size, as a socket may deliver them.
#include "mail/engine/cPop3Session.h"

#include <QMap>

#include <gtest/gtest.h>

#include <functional>

namespace {

QByteArray message(int n, const QByteArray& extraBody = {})
{
    return "From: sender" + QByteArray::number(n) + "@example.com\r\nSubject: note " + QByteArray::number(n)
        + "\r\nMessage-ID: <" + QByteArray::number(n) + "@example.com>\r\n\r\nline one\r\n" + extraBody;
}

QByteArray topReply(const QByteArray& content)
{
    return "+OK\r\n" + content + ".\r\n";
}

// Plays a server: answers each command from a table and hands the reply over in pieces.
struct Dialogue {
    cMailList list;
    cPop3Session session{list};
    std::function<QByteArray(const QByteArray&)> answer;
    QStringList sent;
    QStringList shownCommands;
    QStringList errors;
    bool closed = false;
    QByteArray pending;

    Dialogue()
    {
        QObject::connect(&session, &cPop3Session::sendLine, [this](const QByteArray& line) {
            sent << QString::fromUtf8(line.trimmed());
            pending = answer(line.trimmed());
        });
        QObject::connect(&session, &cPop3Session::commandSent, [this](const QString& c) { shownCommands << c; });
        QObject::connect(&session, &cPop3Session::closeRequested, [this] { closed = true; });
        QObject::connect(&session, &cPop3Session::pop3Error, [this](const QString& e) { errors << e; });
    }

    void run(int chunkSize, const QList<cMailList::Message>& deletions = {}, const QString& password = "secret")
    {
        session.Begin("pop.example.com", "joe", password, 20, deletions);
        pending = "+OK POP3 ready\r\n";
        while (!pending.isEmpty() && !closed) {
            const QByteArray reply = std::exchange(pending, {});
            for (qsizetype at = 0; at < reply.size(); at += chunkSize)
                session.OnData(reply.mid(at, chunkSize));
        }
    }
};

// A mailbox as a server sees it: message number → full TOP content.
std::function<QByteArray(const QByteArray&)> mailbox(QMap<int, QByteArray> messages, QByteArray passReply = "+OK")
{
    return [messages, passReply](const QByteArray& command) -> QByteArray {
        if (command.startsWith("USER"))
            return "+OK\r\n";
        if (command.startsWith("PASS"))
            return passReply + "\r\n";
        if (command == "STAT")
            return "+OK " + QByteArray::number(messages.size()) + " 4711\r\n";
        if (command.startsWith("TOP ")) {
            const int n = command.split(' ').value(1).toInt();
            return messages.contains(n) ? topReply(messages[n]) : QByteArray("-ERR no such message\r\n");
        }
        if (command.startsWith("DELE"))
            return "+OK deleted\r\n";
        if (command == "QUIT")
            return "+OK bye\r\n";
        return "-ERR unknown\r\n";
    };
}

class ChunkSizes : public ::testing::TestWithParam<int> {};

TEST_P(ChunkSizes, ChecksEveryMessageWithTopAndTheConfiguredLines)
{
    Dialogue d;
    d.answer = mailbox({{1, message(1, "..leading dot\r\n..\r\n")}, {2, message(2)}, {3, message(3)}});
    d.run(GetParam());
    EXPECT_EQ(d.sent, (QStringList{"USER joe", "PASS secret", "STAT", "TOP 1 20", "TOP 2 20", "TOP 3 20", "QUIT"}));
    EXPECT_TRUE(d.closed);
    EXPECT_TRUE(d.errors.isEmpty());
    ASSERT_EQ(d.list.Count(), 3);
    const auto first = d.list.Find("pop.example.com<1@example.com>");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Index, 1);
    EXPECT_EQ(first->MessageBody.toStdString(), "line one\r\n.leading dot\r\n.\r\n");
    EXPECT_EQ(d.list.Items()[2]->Subject.toStdString(), "note 3 ");
}

INSTANTIATE_TEST_SUITE_P(Pop3, ChunkSizes, ::testing::Values(1, 2, 3, 4, 5, 7, 64, 1 << 20));

TEST(Pop3Session, EmptyMailboxEndsWithQuit)
{
    Dialogue d;
    d.answer = mailbox({});
    d.run(1 << 20);
    EXPECT_EQ(d.sent.last(), "QUIT");
    EXPECT_FALSE(d.sent.contains("TOP 1 20"));
    EXPECT_EQ(d.list.Count(), 0);
    EXPECT_EQ(d.session.state(), cPop3Session::QuitSent);
}

TEST(Pop3Session, RefusedPasswordClosesSilentlyAndIsMaskedForTheQuestion)
{
    Dialogue d;
    d.answer = mailbox({{1, message(1)}}, "-ERR [AUTH] Authentication failed.");
    d.run(3, {}, "abcde");
    EXPECT_TRUE(d.closed);
    EXPECT_TRUE(d.errors.isEmpty());
    EXPECT_EQ(d.session.state(), cPop3Session::PassSent);
    EXPECT_EQ(cPop3Session::Masked(d.session.lastCommand()).toStdString(), "PASS *****");
    EXPECT_EQ(d.shownCommands.last().toStdString(), "PASS *****");
}

TEST(Pop3Session, OtherRefusalsAreShown)
{
    Dialogue d;
    d.answer = [](const QByteArray& c) -> QByteArray {
        return c == "STAT" ? "-ERR mailbox locked\r\n" : "+OK\r\n";
    };
    d.run(2);
    EXPECT_TRUE(d.closed);
    EXPECT_EQ(d.errors, QStringList{"-ERR mailbox locked"});
}

TEST(Pop3Session, DeletesTheListedMessagesByIndex)
{
    Dialogue d;
    QList<cMailList::Message> marked;
    for (int index : {4, 9}) {
        auto m = std::make_shared<cMessage>();
        m->Index = index;
        marked << m;
    }
    d.answer = mailbox({{1, message(1)}});
    d.run(5, marked);
    EXPECT_EQ(d.sent, (QStringList{"USER joe", "PASS secret", "STAT", "DELE 4", "DELE 9", "QUIT"}));
    EXPECT_EQ(d.list.Count(), 0);
}

TEST(Pop3Session, AKnownMessageKeepsItsMarksAndTakesItsNewNumber)
{
    Dialogue d;
    d.answer = mailbox({{1, message(7)}, {2, message(8)}});
    d.run(1 << 20);
    d.list.Find("pop.example.com<8@example.com>")->Read = true;
    d.closed = false;
    d.answer = mailbox({{1, message(8)}});
    d.run(1 << 20);
    ASSERT_EQ(d.list.Count(), 2);
    const auto known = d.list.Find("pop.example.com<8@example.com>");
    EXPECT_TRUE(known->Read);
    EXPECT_EQ(known->Index, 1);
}

TEST(Pop3Session, ARefusedTopSkipsOnlyThatMessage)
{
    Dialogue d;
    auto box = mailbox({{1, message(1)}, {3, message(3)}});
    d.answer = [box](const QByteArray& c) -> QByteArray { return c == "STAT" ? "+OK 3 100\r\n" : box(c); };
    d.run(4);
    EXPECT_EQ(d.sent.mid(3), (QStringList{"TOP 1 20", "TOP 2 20", "TOP 3 20", "QUIT"}));
    EXPECT_EQ(d.list.Count(), 2);
    EXPECT_TRUE(d.errors.isEmpty());
}

TEST(Pop3Session, AHugeResponseIsCutAndSaysSo)
{
    Dialogue d;
    QByteArray huge = "From: flood@example.com\r\nX-Filler: ";
    while (huge.size() < 3 * cPop3Session::KeptPerMessage)
        huge += "0123456789abcdef\r\n ";
    huge += "x\r\nSubject: never seen\r\n\r\nbody\r\n";
    d.answer = mailbox({{1, huge}, {2, message(2)}});
    d.run(1000);
    ASSERT_EQ(d.list.Count(), 2);
    const auto cut = d.list.Items()[0];
    EXPECT_TRUE(cut->Truncated);
    EXPECT_EQ(cut->From.toStdString(), "flood@example.com");
    EXPECT_LE(cut->Headers.size(), cPop3Session::KeptPerMessage);
    EXPECT_FALSE(d.list.Items()[1]->Truncated);
    EXPECT_EQ(d.list.Items()[1]->Subject.toStdString(), "note 2 ");
}

TEST(Pop3Session, AnEndlessReplyLineIsKeptShort)
{
    Dialogue d;
    d.answer = [](const QByteArray& c) -> QByteArray {
        return c == "STAT" ? "-ERR " + QByteArray(1 << 20, 'x') + "\r\n" : "+OK\r\n";
    };
    d.run(4096);
    ASSERT_EQ(d.errors.size(), 1);
    EXPECT_LE(d.errors.first().size(), 4096);
}

} // namespace
