// The settings window and the login window, driven through their controls.
#include "mail/engine/cMailSettings.h"
#include "mail/fConfig.h"
#include "mail/fPop3Site.h"

#include "common/mmEncrypt.h"
#include "platform/prompt/SystemMessageBox.h"
#include "tests/support/ScriptedPrompt.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using platform::QuestionKind;
using duopane::test::prompt;

namespace {

template <typename T>
T* control(QWidget& w, const char* name)
{
    T* found = w.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

TEST(ConfigWindow, HasEveryNamedControlAndOpensOnTheAskedTab)
{
    cMailSettings settings;
    fConfig w(settings, fConfig::SpamTab);
    EXPECT_EQ(w.windowTitle().toStdString(), "POP3 Mail Configurarion");
    for (const char* name : {"lstPop3Account", "cmdPOP3_0", "cmdPOP3_1", "txtPop3Account_0", "txtPop3Account_4",
                             "chkSavePassword", "chkPop3ManualCheck", "txtPOP3DownLines", "txtPOP3CheckTime",
                             "txtPOP3WaitTime", "txtPOP3SoundFile", "cmdPop3Sound_0", "cmdPop3Sound_1",
                             "txtDefEmailClient", "cmdDefEmailClient_2", "lstSpamSender", "cmdSpamSender_2",
                             "lstSpamSubject", "cmdSpamSubject_0", "cmdOk", "cmdCancel", "cmdHelp"})
        EXPECT_NE(w.findChild<QWidget*>(name), nullptr) << name;
    EXPECT_EQ(control<QTabWidget>(w, "tabConfig")->currentIndex(), 2);
    EXPECT_FALSE(control<QLineEdit>(w, "txtPop3Account_0")->isEnabled()); // no account yet
    EXPECT_FALSE(control<QLineEdit>(w, "txtPOP3CheckTime")->isEnabled()); // manual checking is on
    control<QCheckBox>(w, "chkPop3ManualCheck")->setChecked(false);
    EXPECT_TRUE(control<QLineEdit>(w, "txtPOP3CheckTime")->isEnabled());
}

TEST(ConfigWindow, OkStoresANewAccountWithItsPasswordScrambled)
{
    cMailSettings settings;
    settings.Load();
    fConfig w(settings);
    control<QPushButton>(w, "cmdPOP3_0")->click();
    EXPECT_EQ(control<QLineEdit>(w, "txtPop3Account_0")->text().toStdString(), "New1");
    control<QLineEdit>(w, "txtPop3Account_0")->setText(" Home ");
    control<QLineEdit>(w, "txtPop3Account_1")->setText("pop.home.example");
    control<QLineEdit>(w, "txtPop3Account_2")->setText("joe");
    control<QLineEdit>(w, "txtPop3Account_3")->setText("pässword");
    control<QLineEdit>(w, "txtPop3Account_4")->setText("abc");
    control<QCheckBox>(w, "chkSavePassword")->setChecked(true);
    control<QLineEdit>(w, "txtPOP3WaitTime")->setText("45 seconds");
    control<QPushButton>(w, "cmdOk")->click();
    EXPECT_FALSE(w.Canceled());

    cMailSettings reread;
    reread.Load();
    ASSERT_EQ(reread.AccountCount(), 1);
    const MailAccount a = reread.Account(1);
    EXPECT_EQ(a.Name, "Home");
    EXPECT_EQ(a.Port, "110");
    EXPECT_EQ(mmEncrypt::UnscramblePassword(a.Password), "pässword");
    EXPECT_EQ(reread.WaitTime, 45);
}

TEST(ConfigWindow, CancelDiscardsAccountEdits)
{
    cMailSettings settings;
    settings.Load();
    settings.Accounts.Add(MailAccount{"Kept", "pop.example", "joe", "", "110", "0"}.Record());
    settings.Save();
    fConfig w(settings);
    control<QLineEdit>(w, "txtPop3Account_0")->setText("Changed");
    control<QPushButton>(w, "cmdPOP3_0")->click();
    control<QPushButton>(w, "cmdCancel")->click();
    EXPECT_TRUE(w.Canceled());
    ASSERT_EQ(settings.AccountCount(), 1);
    EXPECT_EQ(settings.Account(1).Name, "Kept");
}

TEST(ConfigWindow, KeywordsLoseTheirStarsAndDeleteKeepsThePosition)
{
    cMailSettings settings;
    settings.SpamSubject = {"one", "", "two"};
    fConfig w(settings, fConfig::SpamTab);
    auto* subjects = control<QListWidget>(w, "lstSpamSubject");
    EXPECT_EQ(subjects->count(), 2);
    prompt().expect(QuestionKind::InputBox, "such as \"ILOVEYOU\" or \"MELISSA\":", 1, QStringLiteral("*lottery*"));
    control<QPushButton>(w, "cmdSpamSubject_0")->click();
    prompt().expect(QuestionKind::InputBox, "Type new spam mail address keyword", 1, QStringLiteral("@junk.example"));
    control<QPushButton>(w, "cmdSpamSender_0")->click();
    subjects->setCurrentRow(0);
    prompt().expect(QuestionKind::InputBox, "", [](const platform::Question& q) {
        EXPECT_EQ(q.title.toStdString(), "Rename Spam Mail");
        EXPECT_EQ(q.details.value("default").toString().toStdString(), "one");
        return platform::Answer{1, QStringLiteral("uno")};
    });
    control<QPushButton>(w, "cmdSpamSubject_2")->click();
    subjects->setCurrentRow(1);
    control<QPushButton>(w, "cmdSpamSubject_1")->click();
    EXPECT_EQ(subjects->currentRow(), 1);
    control<QPushButton>(w, "cmdOk")->click();
    EXPECT_TRUE(prompt().allAnswered());
    EXPECT_EQ(settings.SpamSubject, (QStringList{"uno", "lottery"}));
    EXPECT_EQ(settings.SpamSender, (QStringList{"@junk.example"}));
}

TEST(LoginWindow, OkNeedsAllThreeBoxesAndEnterActsAsOk)
{
    fPop3Site w;
    EXPECT_EQ(w.windowTitle().toStdString(), "POP3 Server Connection");
    w.setServer("pop.example.com");
    w.setUser("joe");
    auto* ok = control<QPushButton>(w, "cmdOk");
    EXPECT_FALSE(ok->isEnabled());
    auto* password = control<QLineEdit>(w, "txtPop3Account_2");
    QTest::keyClick(password, Qt::Key_Return);
    EXPECT_EQ(w.result(), 0);
    password->setText("secret");
    EXPECT_TRUE(ok->isEnabled());
    QTest::keyClick(password, Qt::Key_Return);
    EXPECT_EQ(w.result(), int(QDialog::Accepted));
    EXPECT_FALSE(w.Canceled());
    EXPECT_EQ(w.Password().toStdString(), "secret");

    prompt().expect(QuestionKind::SystemMessageBox, "TRY IT LATER since POP3 server is so busy.", platform::IDOK);
    control<QPushButton>(w, "cmdHelp")->click();
    control<QPushButton>(w, "cmdCancel")->click();
    EXPECT_TRUE(w.Canceled());
    EXPECT_TRUE(prompt().allAnswered());
}

} // namespace
