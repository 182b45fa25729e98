// The whole check against Dovecot on loopback: several accounts, TOP with the configured lines,
// spam marked and deleted on the server, a wrong password and the retry question.
#include "mail/engine/cMailList.h"
#include "mail/engine/cMailSettings.h"
#include "mail/fCheckMail.h"
#include "mail/fListMail.h"

#include "common/mmEncrypt.h"
#include "tests/mail/DovecotServer.h"
#include "tests/mail/MailTestSupport.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestEnvironment.h"

#include <QPushButton>

#include <gtest/gtest.h>

using platform::QuestionKind;
using duopane::test::prompt;

namespace {

class Dovecot : public ::testing::Test {
protected:
    void SetUp() override
    {
        server = std::make_unique<DovecotServer>(duopane::test::testRoot() + "/dovecot");
        server->addUser("joe", "joespass");
        server->addUser("ann", "annspass");
    }

    void start() { ASSERT_TRUE(server->start()) << server->error().toStdString(); }

    std::unique_ptr<DovecotServer> server;
    cMailSettings settings;
    cMailList list;
};

TEST_F(Dovecot, ChecksEveryAccountWithTheConfiguredLines)
{
    const QByteArray longBody = "one\r\ntwo\r\nthree\r\nfour\r\n";
    for (int i = 1; i <= 3; ++i)
        server->addMessage("joe", mailtest::mail("friend@example.org", QString("joe %1").arg(i), QString("j%1@example.org").arg(i), longBody));
    server->addMessage("ann", mailtest::mail("=?ISO-8859-1?Q?Ren=E9?= <rene@example.fr>", "=?UTF-8?B?w4RyZ2VybGljaA==?=", ""));
    start();
    settings.DownLines = 2;
    mailtest::addAccount(settings, "127.0.0.1", server->port(), "joe", "joespass");
    mailtest::addAccount(settings, "localhost", server->port(), "ann", "annspass");
    EXPECT_TRUE(mailtest::runCheck(list, settings));
    ASSERT_EQ(list.Count(), 4);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.Items()[i]->Server, "127.0.0.1");
        EXPECT_EQ(list.Items()[i]->Index, i + 1);
        EXPECT_EQ(list.Items()[i]->Subject, QString("joe %1 ").arg(i + 1));
        EXPECT_EQ(list.Items()[i]->MessageBody.toStdString(), "one\r\ntwo\r\n");
    }
    const auto ann = list.Items()[3];
    EXPECT_EQ(ann->Server, "localhost");
    EXPECT_EQ(ann->From.toStdString(), "René <rene@example.fr>");
    EXPECT_EQ(ann->Subject.toStdString(), "Ärgerlich ");
    EXPECT_TRUE(prompt().allAnswered());

    // A second check finds the same messages and keeps their marks.
    list.Items()[0]->Read = true;
    EXPECT_TRUE(mailtest::runCheck(list, settings));
    EXPECT_EQ(list.Count(), 4);
    EXPECT_TRUE(list.Items()[0]->Read);
}

TEST_F(Dovecot, DeleteSpamRemovesExactlyTheMarkedMessagesOnTheServer)
{
    server->addMessage("joe", mailtest::mail("Prize Desk <winner@junk.example>", "You won", "s1@junk.example"));
    server->addMessage("joe", mailtest::mail("colleague@example.com", "Minutes", "k1@example.com"));
    server->addMessage("joe", mailtest::mail("stranger@example.net", "Re: iloveyou", "s2@example.net"));
    server->addMessage("joe", mailtest::mail("boss@example.com", "Plan", ""));
    start();
    mailtest::addAccount(settings, "127.0.0.1", server->port(), "joe", "joespass");
    settings.SpamSender = {"@JUNK.example"};
    settings.SpamSubject = {"ILOVEYOU"};
    ASSERT_TRUE(mailtest::runCheck(list, settings));
    ASSERT_EQ(list.Count(), 4);

    fCheckMail check(list, settings);
    fListMail window(list, settings, check);
    EXPECT_EQ(window.windowTitle().toStdString(), "4 MAILS (3 NEW MAILS, 2 SPAM MAILS)");
    prompt().expect(QuestionKind::Modal, "POP3 Mail", mailtest::runWindow);
    window.findChild<QPushButton*>("cmdMail_1")->click();
    EXPECT_TRUE(prompt().allAnswered());
    EXPECT_EQ(server->messageCount("joe"), 2);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items()[0]->Subject.toStdString(), "Minutes ");
    EXPECT_EQ(list.Items()[0]->Index, 1);
    EXPECT_EQ(list.Items()[1]->Subject.toStdString(), "Plan ");
    EXPECT_EQ(list.Items()[1]->Index, 2);
    EXPECT_FALSE(window.findChild<QPushButton*>("cmdMail_1")->isEnabled());
}

TEST_F(Dovecot, AWrongPasswordIsAskedAgainAndKeptWhenSaved)
{
    server->addMessage("joe", mailtest::mail("a@example.com", "welcome", "w1@example.com"));
    start();
    mailtest::addAccount(settings, "127.0.0.1", server->port(), "joe", "wrong");
    prompt().expect(QuestionKind::MessageBox, "Last command was 'PASS *****'", 0);
    prompt().expect(QuestionKind::Modal, "POP3 Server Connection",
                    [](const platform::Question& q) { return mailtest::typePassword(q, "joespass", true); });
    EXPECT_TRUE(mailtest::runCheck(list, settings));
    EXPECT_TRUE(prompt().allAnswered());
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(mmEncrypt::UnscramblePassword(settings.Account(1).Password), "joespass");
    EXPECT_EQ(settings.Account(1).SavePassword, "1");
}

TEST_F(Dovecot, AnUnsavedPasswordServesThisRunOnly)
{
    server->addMessage("joe", mailtest::mail("a@example.com", "welcome", "w1@example.com"));
    start();
    settings.Accounts.Add(MailAccount{"joe", "127.0.0.1", "joe", "", QString::number(server->port()), "0"}.Record());
    prompt().expect(QuestionKind::Modal, "POP3 Server Connection",
                    [](const platform::Question& q) { return mailtest::typePassword(q, "joespass", false); });
    EXPECT_TRUE(mailtest::runCheck(list, settings));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(settings.Account(1).Password, "");
    // The next check asks again.
    prompt().expect(QuestionKind::Modal, "POP3 Server Connection", -1);
    mailtest::runCheck(list, settings);
    EXPECT_TRUE(prompt().allAnswered());
}

TEST_F(Dovecot, ADeclinedRetrySkipsOnlyThatAccount)
{
    server->addMessage("ann", mailtest::mail("a@example.com", "for ann", "a1@example.com"));
    start();
    mailtest::addAccount(settings, "127.0.0.1", server->port(), "joe", "wrong");
    mailtest::addAccount(settings, "localhost", server->port(), "ann", "annspass");
    prompt().expect(QuestionKind::MessageBox, "Checking mail is failed on '127.0.0.1'", 1);
    EXPECT_TRUE(mailtest::runCheck(list, settings));
    EXPECT_TRUE(prompt().allAnswered());
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items()[0]->Subject.toStdString(), "for ann ");
}

} // namespace
