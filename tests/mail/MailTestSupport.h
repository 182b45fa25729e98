#pragma once

#include "mail/engine/cMailList.h"
#include "mail/engine/cMailSettings.h"

#include "platform/prompt/Prompt.h"

#include <QByteArray>
#include <QString>

class fCheckMail;

namespace mailtest {

// An account record as the settings keep it, the password scrambled and saved.
void addAccount(cMailSettings& settings, const QString& server, quint16 port, const QString& user,
                const QString& password);

// A message as a mail program writes it: CR LF lines, with a Message-ID unless id is empty.
QByteArray mail(const QString& from, const QString& subject, const QString& id, const QByteArray& body = "Hello.\r\n");

// Runs the checking window once, as CheckMail does; true unless it was cancelled.
bool runCheck(cMailList& list, cMailSettings& settings);

// Answers a login window question by typing a password (and the save choice) and pressing OK.
platform::Answer typePassword(const platform::Question& q, const QString& password, bool save);

// A modal question answered by really showing the window.
platform::Answer runWindow(const platform::Question& q);

} // namespace mailtest
