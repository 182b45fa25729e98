#include "platform/archivers/kit/ArcPassword.h"

#include "platform/prompt/Prompt.h"

namespace arckit {

std::optional<QByteArray> askPassword(const QByteArray& memberName, bool retry)
{
    const QString name = QString::fromUtf8(memberName);
    const QString text = retry ? QStringLiteral("Password is not correct. Enter the password for %1").arg(name)
                               : QStringLiteral("Enter the password for %1").arg(name);
    const QByteArray password = platform::InputBox(text, QStringLiteral("Password"), {}, true).value_or(QString()).toUtf8();
    if (password.isEmpty())
        return std::nullopt;
    return password;
}

} // namespace arckit
