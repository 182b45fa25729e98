#pragma once

#include "mail/engine/MailAccount.h"

#include <QList>

// The POP3 accounts other mail programs on this machine already know, for the first start.
namespace mAccountImport {

// Thunderbird's POP3 accounts from the prefs.js of its profiles, in its account order; empty when
// there is no such program or account. The list ends at the first account without a name.
QList<MailAccount> ExistingAccounts();

// The POP3 accounts of one prefs.js text.
QList<MailAccount> AccountsOfPrefs(const QString& prefs);

} // namespace mAccountImport
