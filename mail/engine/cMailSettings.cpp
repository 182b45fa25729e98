#include "mail/engine/cMailSettings.h"

#include "common/cRegistry.h"
#include "common/mmFile.h"
#include "mail/engine/mAccountImport.h"
#include "mail/engine/mMailClient.h"

#include <QCoreApplication>
#include <QDir>

using namespace platform::registry;

const QString cMailSettings::AccountsKey = QStringLiteral("SOFTWARE\\Duopane 1.7\\Config\\Email Accounts");

namespace {

const QString crlf = QStringLiteral("\r\n");

cRegistry at(quint32 branch, const QString& section, const QString& value, quint32 type, const QVariant& fallback = {})
{
    cRegistry r;
    r.ClassKey = branch;
    r.SectionKey = section;
    r.ValueKey = value;
    r.ValueType = type;
    r.Default = fallback;
    return r;
}

// Registry texts are trimmed and end at their first NUL.
QString readText(quint32 branch, const QString& section, const QString& value, const QString& fallback = {})
{
    return mmFile::CutAtNul(at(branch, section, value, REG_SZ, fallback).Value().toString()).trimmed();
}

qint32 readNumber(quint32 branch, const QString& section, const QString& value, qint32 fallback)
{
    const QVariant v = at(branch, section, value, REG_DWORD, fallback).Value();
    bool ok = false;
    const qint32 n = v.toInt(&ok);
    return ok ? n : fallback;
}

void writeText(quint32 branch, const QString& section, const QString& value, const QString& text, quint32 type = REG_SZ)
{
    at(branch, section, value, type).SetValue(text);
}

void writeNumber(quint32 branch, const QString& section, const QString& value, qint32 number)
{
    at(branch, section, value, REG_DWORD).SetValue(number);
}

QStringList keywords(const QString& joined)
{
    return joined.isEmpty() ? QStringList() : joined.split(crlf);
}

} // namespace

QString cMailSettings::AccountKey(int n)
{
    return AccountsKey + QStringLiteral("\\%1").arg(n, 8, 10, QChar('0'));
}

QString cMailSettings::DefaultSoundFile()
{
    const QString dataDir = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/duopane");
    return QDir::cleanPath(dataDir) + QStringLiteral("/Email1.wav");
}

void cMailSettings::Load()
{
    if (!at(HKEY_CURRENT_USER, AccountsKey, {}, REG_SZ).KeyExists())
        importAccounts();
    DefaultMailClient = mMailClient::DefaultMailClient();
    read(at(HKEY_CURRENT_USER, AccountsKey, {}, REG_SZ).KeyExists() ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE);
}

void cMailSettings::Save() const
{
    write(HKEY_CURRENT_USER);
    write(HKEY_LOCAL_MACHINE);
}

void cMailSettings::read(quint32 branch)
{
    Accounts.Clear();
    const qint32 count = readNumber(branch, AccountsKey, QStringLiteral("Account Number"), 0);
    DownLines = readNumber(branch, AccountsKey, QStringLiteral("Down Lines"), 20);
    CheckTime = readNumber(branch, AccountsKey, QStringLiteral("Check Time"), 30);
    WaitTime = readNumber(branch, AccountsKey, QStringLiteral("Wait Time"), 20);
    ManualChecking = readNumber(branch, AccountsKey, QStringLiteral("Manual Checking"), 1);
    SoundFile = readText(branch, AccountsKey, QStringLiteral("Sound File"), DefaultSoundFile());
    SpamSender = keywords(readText(branch, AccountsKey, QStringLiteral("Spam Sender")));
    SpamSubject = keywords(readText(branch, AccountsKey, QStringLiteral("Spam Subject")));
    for (int n = 1; n <= count; ++n) {
        const QString key = AccountKey(n);
        MailAccount a;
        a.Name = readText(branch, key, QStringLiteral("Account Name"));
        a.Server = readText(branch, key, QStringLiteral("POP3 Server"));
        a.User = readText(branch, key, QStringLiteral("POP3 User Name"));
        a.Password = readText(branch, key, QStringLiteral("POP3 Password"));
        a.Port = QString::number(readNumber(branch, key, QStringLiteral("POP3 Port"), 110));
        a.SavePassword = QString::number(readNumber(branch, key, QStringLiteral("Save Password"), 0));
        Accounts.Add(a.Record());
    }
}

void cMailSettings::write(quint32 branch) const
{
    writeNumber(branch, AccountsKey, QStringLiteral("Account Number"), AccountCount());
    writeNumber(branch, AccountsKey, QStringLiteral("Down Lines"), DownLines);
    writeNumber(branch, AccountsKey, QStringLiteral("Check Time"), CheckTime);
    writeNumber(branch, AccountsKey, QStringLiteral("Wait Time"), WaitTime);
    writeNumber(branch, AccountsKey, QStringLiteral("Manual Checking"), ManualChecking);
    writeText(branch, AccountsKey, QStringLiteral("Sound File"), SoundFile, REG_EXPAND_SZ);
    writeText(branch, AccountsKey, QStringLiteral("Spam Sender"), SpamSender.join(crlf), REG_EXPAND_SZ);
    writeText(branch, AccountsKey, QStringLiteral("Spam Subject"), SpamSubject.join(crlf), REG_EXPAND_SZ);
    for (int n = 1; n <= AccountCount(); ++n) {
        const MailAccount a = Account(n);
        const QString key = AccountKey(n);
        writeText(branch, key, QStringLiteral("Account Name"), a.Name);
        writeText(branch, key, QStringLiteral("POP3 Server"), a.Server);
        writeText(branch, key, QStringLiteral("POP3 User Name"), a.User);
        writeText(branch, key, QStringLiteral("POP3 Password"), a.SavesPassword() ? a.Password : QString());
        writeNumber(branch, key, QStringLiteral("POP3 Port"), a.PortNumber());
        writeNumber(branch, key, QStringLiteral("Save Password"), a.SavesPassword() ? 1 : 0);
    }
    // Every subkey beyond the count goes, so a deleted account leaves no password behind.
    for (int n = AccountCount() + 1; at(branch, AccountKey(n), {}, REG_SZ).KeyExists(); ++n)
        at(branch, AccountKey(n), {}, REG_SZ).DeleteKey();
}

void cMailSettings::importAccounts()
{
    cMailSettings fresh;
    for (const MailAccount& a : mAccountImport::ExistingAccounts())
        fresh.Accounts.Add(a.Record());
    fresh.SoundFile = DefaultSoundFile();
    fresh.SpamSender = QStringList{QStringLiteral("winner@prize-notice.example"), QStringLiteral("@bulk-offers.example")};
    fresh.SpamSubject = QStringList{QStringLiteral("ILOVEYOU"), QStringLiteral("MELISSA")};
    fresh.write(HKEY_CURRENT_USER);
}
