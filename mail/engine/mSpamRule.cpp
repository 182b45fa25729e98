#include "mail/engine/mSpamRule.h"

#include "mail/engine/cMessage.h"

namespace mSpamRule {
namespace {

bool holdsAny(const QString& text, const QStringList& keywords)
{
    for (const QString& keyword : keywords) {
        if (!keyword.isEmpty() && text.contains(keyword, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

bool IsSpam(const cMessage& message, const QStringList& senderKeywords, const QStringList& subjectKeywords)
{
    return holdsAny(message.From, senderKeywords) || holdsAny(message.Subject, subjectKeywords);
}

} // namespace mSpamRule
