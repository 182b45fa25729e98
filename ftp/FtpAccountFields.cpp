#include "ftp/FtpAccountFields.h"

#include "ftp/engine/FtpSettings.h"
#include "platform/prompt/Prompt.h"

#include <QDialog>

#include <QLineEdit>
#include <QStringList>

namespace FtpAccountFields {

void ApplyAnonymous(bool anonymous, QLineEdit* user, QLineEdit* password)
{
    if (anonymous) {
        user->setText(kAnonymousUser);
        password->setText(kAnonymousPassword);
        password->setEchoMode(QLineEdit::Normal);
        return;
    }
    if (IsAnonymousUser(user->text()))
        user->clear();
    password->clear();
    password->setEchoMode(QLineEdit::Password);
}

bool IsHostShape(const QString& host)
{
    if (host.isEmpty())
        return false;
    const QStringList parts = host.split(QLatin1Char('.'));
    bool numeric = false;
    parts.first().toInt(&numeric);
    return parts.size() >= (numeric ? 4 : 3);
}

bool IsPositiveNumber(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value > 0;
}

bool IsAnonymousUser(const QString& user)
{
    return user.compare(kAnonymousUser, Qt::CaseInsensitive) == 0;
}

void StoreSettings(const Connection& connection)
{
    FtpSettings& settings = ftpSettings();
    settings.Host = connection.host;
    settings.UserName = connection.userName;
    settings.Password = connection.password;
    settings.RemoteFolder = connection.remoteFolder;
    settings.RemotePort = connection.port.trimmed().toInt();
    settings.WaitTime = connection.waitTime.trimmed().toInt();
    settings.PassiveMode = connection.passive;
}

bool ShowModal(QDialog* dialog)
{
    dialog->setResult(QDialog::Rejected);
    platform::ShowModal(dialog, dialog->windowTitle(), [dialog] { return dialog->exec(); });
    return dialog->result() != QDialog::Accepted;
}

} // namespace FtpAccountFields
