// The mail settings in the registry, the first-use import from Thunderbird and the mailto handler.
#include "mail/engine/cMailSettings.h"
#include "mail/engine/mAccountImport.h"
#include "mail/engine/mMailClient.h"

#include "common/cRegistry.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace platform::registry;

namespace {

QVariant stored(quint32 branch, const QString& section, const QString& value)
{
    cRegistry r;
    r.ClassKey = branch;
    r.SectionKey = section;
    r.ValueKey = value;
    r.Default = QStringLiteral("<missing>");
    return r.Value();
}

bool keyExists(quint32 branch, const QString& section)
{
    cRegistry r;
    r.ClassKey = branch;
    r.SectionKey = section;
    return r.KeyExists();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

const char thunderbirdPrefs[] = R"(// Mozilla User Preferences
user_pref("mail.accountmanager.accounts", "account1,account2,account3,account4");
user_pref("mail.account.account1.server", "server1");
user_pref("mail.account.account2.server", "server2");
user_pref("mail.account.account3.server", "server3");
user_pref("mail.account.account4.server", "server4");
user_pref("mail.server.server1.type", "pop3");
user_pref("mail.server.server1.name", "Home \"main\" box");
user_pref("mail.server.server1.hostname", "pop.home.example");
user_pref("mail.server.server1.userName", "joe");
user_pref("mail.server.server2.type", "imap");
user_pref("mail.server.server2.name", "Work IMAP");
user_pref("mail.server.server2.hostname", "imap.work.example");
user_pref("mail.server.server3.type", "pop3");
user_pref("mail.server.server3.name", "Club");
user_pref("mail.server.server3.hostname", "mail.club.example");
user_pref("mail.server.server3.userName", "joe.c");
user_pref("mail.server.server3.port", 1110);
user_pref("mail.server.server4.type", "none");
)";

TEST(MailSettings, FirstStartImportsThunderbirdPop3Accounts)
{
    const QString base = QDir::homePath() + "/.thunderbird";
    writeFile(base + "/profiles.ini", "[General]\nStartWithLastProfile=1\n\n[Profile0]\nName=default\nIsRelative=1\n"
                                      "Path=ab12cd.default\nDefault=1\n");
    writeFile(base + "/ab12cd.default/prefs.js", thunderbirdPrefs);

    cMailSettings s;
    s.Load();
    const QString key = cMailSettings::AccountsKey;
    EXPECT_EQ(stored(HKEY_CURRENT_USER, key, "Account Number").toInt(), 2);
    EXPECT_EQ(stored(HKEY_CURRENT_USER, key + "\\00000001", "Account Name").toString(), "Home \"main\" box");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, key + "\\00000002", "POP3 Server").toString(), "mail.club.example");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, key + "\\00000002", "POP3 Port").toInt(), 1110);
    EXPECT_EQ(stored(HKEY_CURRENT_USER, key + "\\00000001", "POP3 Port").toInt(), 110);
    for (const char* sub : {"\\00000001", "\\00000002"}) {
        EXPECT_EQ(stored(HKEY_CURRENT_USER, key + sub, "POP3 Password").toString(), "");
        EXPECT_EQ(stored(HKEY_CURRENT_USER, key + sub, "Save Password").toInt(), 0);
    }
    EXPECT_EQ(stored(HKEY_CURRENT_USER, key, "Spam Subject").toString(), "ILOVEYOU\r\nMELISSA");
    ASSERT_EQ(s.AccountCount(), 2);
    EXPECT_EQ(s.Account(2).User, "joe.c");
    EXPECT_EQ(s.DownLines, 20);
    EXPECT_EQ(s.CheckTime, 30);
    EXPECT_EQ(s.WaitTime, 20);
    EXPECT_EQ(s.ManualChecking, 1);
    EXPECT_TRUE(s.SoundFile.endsWith("/Email1.wav"));
    EXPECT_EQ(s.SpamSender.size(), 2);
}

TEST(MailSettings, FirstStartWithoutMailProgramHasNoAccounts)
{
    cMailSettings s;
    s.Load();
    EXPECT_EQ(s.AccountCount(), 0);
    EXPECT_EQ(stored(HKEY_CURRENT_USER, cMailSettings::AccountsKey, "Account Number").toInt(), 0);
    EXPECT_EQ(s.SpamSubject, (QStringList{"ILOVEYOU", "MELISSA"}));
}

TEST(MailSettings, SavedSettingsComeBackAndUnsavedPasswordsStayEmpty)
{
    cMailSettings s;
    s.Load();
    s.Accounts.Add(MailAccount{"Keep", "pop.a.example", "ann", "c2NyYW1ibGVk", "995", "1"}.Record());
    s.Accounts.Add(MailAccount{"Forget", "pop.b.example", "bob", "c2VjcmV0", "x", "0"}.Record());
    s.DownLines = 5;
    s.ManualChecking = 0;
    s.SpamSender = {"@junk.example"};
    s.Save();

    cMailSettings again;
    again.Load();
    ASSERT_EQ(again.AccountCount(), 2);
    EXPECT_EQ(again.Account(1).Password, "c2NyYW1ibGVk");
    EXPECT_EQ(again.Account(1).Port, "995");
    EXPECT_EQ(again.Account(2).Password, "");
    EXPECT_EQ(again.Account(2).Port, "110");
    EXPECT_EQ(again.DownLines, 5);
    EXPECT_EQ(again.ManualChecking, 0);
    EXPECT_EQ(again.SpamSender, QStringList{"@junk.example"});
    EXPECT_EQ(stored(HKEY_LOCAL_MACHINE, cMailSettings::AccountKey(1), "POP3 User Name").toString(), "ann");
}

TEST(MailSettings, DeletedAccountsLeaveNoSubkeyBehind)
{
    cMailSettings s;
    s.Load();
    for (int i = 1; i <= 4; ++i)
        s.Accounts.Add(MailAccount{QString("A%1").arg(i), "pop.example", "u", "cGFzcw==", "110", "1"}.Record());
    s.Save();
    for (int i = 0; i < 3; ++i)
        s.Accounts.Remove(2);
    s.Save();
    EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, cMailSettings::AccountKey(1)));
    for (int n = 2; n <= 4; ++n)
        EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, cMailSettings::AccountKey(n))) << n;
    EXPECT_EQ(stored(HKEY_CURRENT_USER, cMailSettings::AccountsKey, "Account Number").toInt(), 1);
}

TEST(MailSettings, DefaultMailClientIsTheMailtoHandlersProgram)
{
    const QString program = QDir::homePath() + "/bin/fakemail";
    writeFile(program, "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString apps = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    writeFile(apps + "/fakemail.desktop", "[Desktop Entry]\nType=Application\nName=Fake Mail\nExec=\"" + program.toUtf8()
                                              + "\" --compose %u\nMimeType=x-scheme-handler/mailto;\n[Desktop Action x]\nExec=nothing\n");
    ASSERT_EQ(QProcess::execute("xdg-mime", {"default", "fakemail.desktop", "x-scheme-handler/mailto"}), 0);
    EXPECT_EQ(mMailClient::DefaultMailClient(), program);

    QFile::remove(program);
    EXPECT_EQ(mMailClient::DefaultMailClient(), "");
    EXPECT_EQ(mMailClient::ProgramOfExec("sh -c true"), QStandardPaths::findExecutable("sh"));
}

} // namespace
