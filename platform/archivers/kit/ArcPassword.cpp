#include "platform/archivers/kit/ArcPassword.h"

#include "platform/prompt/Prompt.h"

namespace arckit {

std::optional<QByteArray> askPassword(const QByteArray& memberName, bool retry)
{
    platform::Question question;
    question.kind = platform::QuestionKind::InputBox;
    question.title = QStringLiteral("Password");
    const QString name = QString::fromUtf8(memberName);
    question.text = retry ? QStringLiteral("Password is not correct. Enter the password for %1").arg(name)
                          : QStringLiteral("Enter the password for %1").arg(name);
    question.details.insert(QStringLiteral("password"), true);
    const platform::Answer answer = platform::ask(question);
    const QByteArray password = answer.value.toString().toUtf8();
    if (answer.choice != 1 || password.isEmpty())
        return std::nullopt;
    return password;
}

} // namespace arckit
