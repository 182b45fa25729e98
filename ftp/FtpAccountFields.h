#pragma once

#include "ftp/engine/mFTPMain.h"

#include <QString>

class QCheckBox;
class QDialog;
class QLineEdit;
class QPushButton;

// The account fields both connect dialogs share: the "Anonymous" box and its user name, and the
// rule that enables "&Connect".
namespace FtpAccountFields {

using mFTPMain::kAnonymousPassword;
using mFTPMain::kAnonymousUser;

// "Anonymous" set: the anonymous user and password, shown in clear; cleared: both emptied, masked.
void ApplyAnonymous(bool anonymous, QLineEdit* user, QLineEdit* password);
// A host of at least three dotted parts, or four when it starts with a number.
bool IsHostShape(const QString& host);
bool IsPositiveNumber(const QString& text);
bool IsAnonymousUser(const QString& user);

// What "&Connect" of either dialog puts into the settings record.
struct Connection {
    QString host;
    QString userName;
    QString password;
    QString remoteFolder;
    QString port;
    QString waitTime;
    bool passive = false;
};
void StoreSettings(const Connection& connection);
// Shows a connect dialog as a modal window through the prompt service; true unless "&Connect"
// accepted it.
bool ShowModal(QDialog* dialog);

} // namespace FtpAccountFields
