// The public object as the main program uses it: timed checks, CheckMail and ViewMail with
// their questions, and the settings kept across a restart.
#include "mail/cBrivoMailEx.h"
#include "mail/engine/cMailList.h"
#include "mail/engine/cMailSettings.h"

#include "platform/prompt/SystemMessageBox.h"
#include "tests/mail/MailTestSupport.h"
#include "tests/mail/ScriptedPop3Server.h"
#include "tests/support/ScriptedPrompt.h"

#include <gtest/gtest.h>

using platform::QuestionKind;
using duopane::test::prompt;

namespace {

ScriptedPop3Server::Script oneMessage(bool any)
{
    return [any](const QByteArray& c) -> QByteArrayList {
        if (c == "STAT")
            return {any ? "+OK 1 100\r\n" : "+OK 0 0\r\n"};
        if (c.startsWith("TOP "))
            return {"+OK\r\n" + mailtest::mail("a@example.com", "hi", "h1@example.com") + ".\r\n"};
        return {"+OK\r\n"};
    };
}

TEST(BrivoMailEx, CheckTimeFollowsManualCheckingAndTheInterval)
{
    cBrivoMailEx mail;
    struct Case {
        qint32 manual, interval, expected;
    } cases[] = {{1, 30, -1}, {0, 0, -1}, {0, 30, 30}, {0, 1, 1}};
    for (const Case& c : cases) {
        mail.Settings().ManualChecking = c.manual;
        mail.Settings().CheckTime = c.interval;
        EXPECT_EQ(mail.CheckTime(), c.expected) << c.manual << " " << c.interval;
    }
}

TEST(BrivoMailEx, CheckMailWithoutAccountAndNoShowsNothingMore)
{
    cBrivoMailEx mail;
    prompt().expect(QuestionKind::MessageBox, "You have no POP3 mail account. Config POP3 mail account now ?", 1);
    mail.CheckMail();
    EXPECT_FALSE(mail.IsBusy());
    EXPECT_TRUE(prompt().allAnswered());
    EXPECT_EQ(prompt().asked()[0].title.toStdString(), "Postrix");
}

TEST(BrivoMailEx, CheckMailWithNothingUnreadSaysSo)
{
    ScriptedPop3Server server(oneMessage(false));
    cBrivoMailEx mail;
    mailtest::addAccount(mail.Settings(), "127.0.0.1", server.port(), "joe", "secret");
    bool busyWhileChecking = false;
    prompt().expect(QuestionKind::Modal, "POP3 Mail...", [&](const platform::Question& q) {
        busyWhileChecking = mail.IsBusy();
        return mailtest::runWindow(q);
    });
    prompt().expect(QuestionKind::SystemMessageBox, "You have no mail not read.", platform::IDOK);
    mail.CheckMail();
    EXPECT_TRUE(prompt().allAnswered());
    EXPECT_TRUE(busyWhileChecking);
    EXPECT_FALSE(mail.IsBusy());
}

TEST(BrivoMailEx, ViewMailWithAnEmptyListOffersAFullCheck)
{
    ScriptedPop3Server server(oneMessage(true));
    cBrivoMailEx mail;
    mailtest::addAccount(mail.Settings(), "127.0.0.1", server.port(), "joe", "secret");
    prompt().expect(QuestionKind::MessageBox, "You have no mails. Check POP3 mail server now ?", 0);
    prompt().expect(QuestionKind::Modal, "POP3 Mail...", mailtest::runWindow);
    prompt().expect(QuestionKind::Modal, "1 MAILS (0 NEW MAILS, 0 SPAM MAILS)", 0);
    mail.ViewMail();
    EXPECT_TRUE(prompt().allAnswered());
    EXPECT_EQ(mail.MailList().Count(), 1);
    EXPECT_FALSE(mail.IsBusy());

    // With messages in the list ViewMail shows them at once.
    prompt().expect(QuestionKind::Modal, "1 MAILS", 0);
    mail.ViewMail();
    EXPECT_TRUE(prompt().allAnswered());
}

TEST(BrivoMailEx, SettingsOutliveTheObject)
{
    {
        cBrivoMailEx mail;
        mailtest::addAccount(mail.Settings(), "pop.example.com", 995, "joe", "secret");
        mail.Settings().WaitTime = 45;
    }
    cBrivoMailEx again;
    ASSERT_EQ(again.Settings().AccountCount(), 1);
    EXPECT_EQ(again.Settings().Account(1).Server, "pop.example.com");
    EXPECT_EQ(again.Settings().WaitTime, 45);
}

} // namespace
