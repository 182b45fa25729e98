#pragma once

#include <QStringList>

class cMessage;

namespace mSpamRule {

// Spam when From holds any sender keyword or Subject any subject keyword, in any letter case.
// Empty keywords match nothing.
bool IsSpam(const cMessage& message, const QStringList& senderKeywords, const QStringList& subjectKeywords);

} // namespace mSpamRule
