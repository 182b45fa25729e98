#include "tests/mail/MailTestSupport.h"

#include "common/mmEncrypt.h"
#include "mail/fCheckMail.h"
#include "mail/fPop3Site.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace mailtest {

void addAccount(cMailSettings& settings, const QString& server, quint16 port, const QString& user,
                const QString& password)
{
    settings.Accounts.Add(MailAccount{server + " account", server, user, mmEncrypt::ScramblePassword(password),
                                      QString::number(port), QStringLiteral("1")}
                              .Record());
}

QByteArray mail(const QString& from, const QString& subject, const QString& id, const QByteArray& body)
{
    QByteArray text = "Return-Path: <bounce@example.net>\r\nFrom: " + from.toUtf8() + "\r\nTo: joe@example.com\r\nSubject: "
        + subject.toUtf8() + "\r\nDate: Tue, 05 Mar 2002 21:10:05 +0900\r\n";
    if (!id.isEmpty())
        text += "Message-ID: <" + id.toUtf8() + ">\r\n";
    return text + "\r\n" + body;
}

bool runCheck(cMailList& list, cMailSettings& settings)
{
    fCheckMail window(list, settings);
    window.Initialize();
    window.exec();
    return !window.Cancelled();
}

platform::Answer typePassword(const platform::Question& q, const QString& password, bool save)
{
    auto* login = qobject_cast<fPop3Site*>(q.window);
    if (!login)
        return {-1, {}};
    login->findChild<QLineEdit*>("txtPop3Account_2")->setText(password);
    login->findChild<QCheckBox*>("chkSavePassword")->setChecked(save);
    login->findChild<QPushButton*>("cmdOk")->click();
    return {1, {}};
}

platform::Answer runWindow(const platform::Question& q)
{
    return {q.run ? q.run() : -1, {}};
}

} // namespace mailtest
