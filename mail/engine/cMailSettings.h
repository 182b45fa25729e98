#pragma once

#include "mail/engine/MailAccount.h"
#include "mail/engine/cCollect.h"

#include <QString>
#include <QStringList>

// The mail monitor's settings: the POP3 accounts, timing, sound, default mail client and spam
// keywords, kept in the registry under "Config\Email Accounts" of the product key.
class cMailSettings {
public:
    static const QString AccountsKey;

    cCollect Accounts; // account records (MailAccount::Record), unsorted
    QString DefaultMailClient;
    QString SoundFile;
    QStringList SpamSender;
    QStringList SpamSubject;
    qint32 DownLines = 20;
    qint32 CheckTime = 30;
    qint32 WaitTime = 20;
    qint32 ManualChecking = 1;
    QString FontName;
    quint32 FontHandle = 0;

    // First-use import, the default mail client, then the settings of the current user, or of
    // the machine when the user has none.
    void Load();
    // To the current user's branch, then the machine's.
    void Save() const;

    int AccountCount() const { return Accounts.Count(); }
    MailAccount Account(int n) const { return MailAccount::FromRecord(Accounts.Item(n).toString()); }
    void SetAccount(int n, const MailAccount& account) { Accounts.RepIace(n, account.Record()); }

    // Where the new-mail sound comes from unless the user chose another.
    static QString DefaultSoundFile();
    static QString AccountKey(int n);

private:
    void read(quint32 branch);
    void write(quint32 branch) const;
    static void importAccounts();
};
