// The checking window over a real socket against a scripted server: the replies real servers
// do not send, timing out, and the buttons.
#include "mail/fCheckMail.h"

#include "tests/mail/MailTestSupport.h"
#include "tests/mail/ScriptedPop3Server.h"
#include "platform/prompt/SystemMessageBox.h"
#include "tests/support/ScriptedPrompt.h"

#include <QPushButton>
#include <QApplication>
#include <QTcpServer>
#include <QTimer>

#include <gtest/gtest.h>

using platform::QuestionKind;
using duopane::test::prompt;

namespace {

// A mailbox whose TOP responses come in pieces of the given size.
ScriptedPop3Server::Script mailbox(QList<QByteArray> messages, int pieceSize = 1 << 20, QByteArray passReply = "+OK\r\n")
{
    return [=](const QByteArray& c) -> QByteArrayList {
        if (c.startsWith("PASS"))
            return {passReply};
        if (c == "STAT")
            return {"+OK " + QByteArray::number(messages.size()) + " 0\r\n"};
        if (c.startsWith("TOP ")) {
            const int n = c.split(' ').value(1).toInt();
            return ScriptedPop3Server::pieces("+OK top follows\r\n" + messages.value(n - 1) + ".\r\n", pieceSize);
        }
        if (c == "QUIT")
            return {"+OK bye\r\n"};
        return {"+OK\r\n"};
    };
}

// Answers everything but STAT, so the check waits on this server.
QByteArrayList silentAtStat(const QByteArray& c)
{
    return c == "STAT" ? QByteArrayList{} : QByteArrayList{"+OK\r\n"};
}

TEST(CheckMail, AnEmptyMailboxEndsWithQuitAndAddsNothing)
{
    ScriptedPop3Server server(mailbox({}));
    cMailSettings settings;
    cMailList list;
    mailtest::addAccount(settings, "127.0.0.1", server.port(), "joe", "secret");
    EXPECT_TRUE(mailtest::runCheck(list, settings));
    EXPECT_EQ(server.received(), (QStringList{"USER joe", "PASS secret", "STAT", "QUIT"}));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(prompt().allAnswered());
}

TEST(CheckMail, TopResponsesInManyChunksAreJoinedAndUnstuffed)
{
    const QByteArray stuffed = mailtest::mail("a@example.com", "dots", "d1@example.com", "..hidden\r\n..\r\nend\r\n");
    for (int piece : {1, 3, 16}) {
        ScriptedPop3Server server(mailbox({stuffed, mailtest::mail("b@example.com", "second", "d2@example.com")}, piece));
        cMailSettings settings;
        settings.DownLines = 7;
        cMailList list;
        mailtest::addAccount(settings, "127.0.0.1", server.port(), "joe", "secret");
        EXPECT_TRUE(mailtest::runCheck(list, settings));
        EXPECT_EQ(server.received().mid(3), (QStringList{"TOP 1 7", "TOP 2 7", "QUIT"})) << piece;
        ASSERT_EQ(list.Count(), 2) << piece;
        EXPECT_EQ(list.Items()[0]->MessageBody.toStdString(), ".hidden\r\n.\r\nend\r\n");
        EXPECT_EQ(list.Items()[1]->Subject.toStdString(), "second ");
        EXPECT_EQ(list.Items()[1]->Index, 2);
    }
}

TEST(CheckMail, ARefusedPasswordAsksToRetryWithTheMaskedCommand)
{
    ScriptedPop3Server server(mailbox({}, 1 << 20, "-ERR [AUTH] Authentication failed.\r\n"));
    cMailSettings settings;
    cMailList list;
    mailtest::addAccount(settings, "127.0.0.1", server.port(), "joe", "abcde");
    prompt().expect(QuestionKind::MessageBox, "Last command was 'PASS *****'.", 1);
    EXPECT_TRUE(mailtest::runCheck(list, settings));
    EXPECT_TRUE(prompt().allAnswered());
    ASSERT_EQ(prompt().asked().size(), 1);
    EXPECT_EQ(prompt().asked()[0].text.toStdString(),
              "Checking mail is failed on '127.0.0.1'.\r\nLast command was 'PASS *****'.\r\nTry again ? \r\n");
    EXPECT_EQ(prompt().asked()[0].buttons.mid(0, 2), (QStringList{"&Yes", "&No"}));
}

TEST(CheckMail, OtherRefusalsAreShownBeforeTheRetryQuestion)
{
    ScriptedPop3Server server([](const QByteArray& c) -> QByteArrayList {
        return {c == "STAT" ? QByteArray("-ERR mailbox is locked\r\n") : QByteArray("+OK\r\n")};
    });
    cMailSettings settings;
    cMailList list;
    mailtest::addAccount(settings, "127.0.0.1", server.port(), "joe", "secret");
    prompt().expect(QuestionKind::SystemMessageBox, "POP3 Error: -ERR mailbox is locked", platform::IDOK);
    prompt().expect(QuestionKind::MessageBox, "Last command was 'STAT'", 1);
    mailtest::runCheck(list, settings);
    EXPECT_TRUE(prompt().allAnswered());
    EXPECT_EQ(prompt().asked().value(0).title.toStdString(), "127.0.0.1");
}

TEST(CheckMail, ASilentServerTimesOutIntoTheRetryQuestion)
{
    ScriptedPop3Server server(silentAtStat);
    cMailSettings settings;
    settings.WaitTime = 1;
    cMailList list;
    mailtest::addAccount(settings, "127.0.0.1", server.port(), "joe", "secret");
    prompt().expect(QuestionKind::MessageBox, "Last command was 'STAT'", 0);
    prompt().expect(QuestionKind::Modal, "POP3 Server Connection",
                    [](const platform::Question& q) { return mailtest::typePassword(q, "secret", true); });
    prompt().expect(QuestionKind::MessageBox, "Last command was 'STAT'", 1);
    mailtest::runCheck(list, settings);
    EXPECT_TRUE(prompt().allAnswered());
    EXPECT_EQ(server.connections(), 2);
}

// The quiet server's account is checked first, the second server's after it.
void addQuietThenSecond(cMailSettings& settings, const ScriptedPop3Server& quiet, const ScriptedPop3Server& second)
{
    mailtest::addAccount(settings, "127.0.0.1", quiet.port(), "joe", "secret");
    mailtest::addAccount(settings, "localhost", second.port(), "ann", "secret");
}

// Presses a button of the checking window once the first server has gone quiet.
void pressWhenWaiting(const char* button)
{
    QTimer::singleShot(600, [button] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* check = qobject_cast<fCheckMail*>(w))
                check->findChild<QPushButton*>(button)->click();
        }
    });
}

TEST(CheckMail, NextAccountEndsTheAccountAndGoesOn)
{
    ScriptedPop3Server quiet(silentAtStat);
    ScriptedPop3Server second(mailbox({mailtest::mail("b@example.com", "after next", "n1@example.com")}));
    cMailSettings settings;
    cMailList list;
    addQuietThenSecond(settings, quiet, second);
    pressWhenWaiting("cmdNext");
    EXPECT_TRUE(mailtest::runCheck(list, settings));
    EXPECT_EQ(quiet.received().last(), "QUIT");
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items()[0]->Server, "localhost");
    EXPECT_TRUE(prompt().allAnswered());
}

TEST(CheckMail, CancelEndsTheRunWithoutContactingFurtherAccounts)
{
    ScriptedPop3Server quiet(silentAtStat);
    ScriptedPop3Server second(mailbox({}));
    cMailSettings settings;
    cMailList list;
    addQuietThenSecond(settings, quiet, second);
    pressWhenWaiting("cmdCancel");
    EXPECT_FALSE(mailtest::runCheck(list, settings));
    EXPECT_EQ(second.connections(), 0);
    EXPECT_TRUE(prompt().allAnswered());
}

TEST(CheckMail, AnUnreachableServerIsReportedWithItsWinsockError)
{
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        closedPort = probe.serverPort();
    }
    cMailSettings settings;
    cMailList list;
    mailtest::addAccount(settings, "127.0.0.1", closedPort, "joe", "secret");
    prompt().expect(QuestionKind::SystemMessageBox, "Winsock Error: #10061", platform::IDOK);
    prompt().expect(QuestionKind::Modal, "POP3 Server Connection", -1); // cancelled: the account is skipped
    mailtest::runCheck(list, settings);
    EXPECT_TRUE(prompt().allAnswered());
}

} // namespace
