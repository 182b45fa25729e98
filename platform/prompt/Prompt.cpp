#include "platform/prompt/Prompt.h"

#include "platform/prompt/SystemMessageBox.h"

#include <QtDebug>

#include <atomic>

namespace platform {
namespace {

std::atomic<PromptService*> installed{nullptr};

int dismissedSystemChoice(quint32 style)
{
    switch (style & 0xF) {
    case MB_YESNO: return IDNO;
    case MB_OK: return IDOK;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDCANCEL;
    }
}

} // namespace

void setPromptService(PromptService* service)
{
    installed = service;
}

PromptService* promptService()
{
    return installed;
}

Answer dismissedAnswer(const Question& question)
{
    if (question.kind == QuestionKind::SystemMessageBox)
        return {dismissedSystemChoice(question.style), {}};
    if (question.kind == QuestionKind::InputBox)
        return {2, {}};
    return {-1, {}};
}

Answer ask(const Question& question)
{
    if (PromptService* service = installed)
        return service->ask(question);
    qWarning("No prompt service to ask: %s", qPrintable(question.text));
    return dismissedAnswer(question);
}

int SystemMessageBox(const QString& text, const QString& title, quint32 style)
{
    Question q;
    q.kind = QuestionKind::SystemMessageBox;
    q.text = text;
    q.title = title;
    q.style = style;
    return ask(q).choice;
}

std::optional<QString> InputBox(const QString& text, const QString& title, const QString& initial, bool password)
{
    Question question;
    question.kind = QuestionKind::InputBox;
    question.title = title;
    question.text = text;
    if (!initial.isEmpty())
        question.details.insert(QStringLiteral("default"), initial);
    if (password)
        question.details.insert(QStringLiteral("password"), true);
    const Answer answer = ask(question);
    if (answer.choice != 1)
        return std::nullopt;
    return answer.value.toString();
}

int ShowModal(QObject* window, const QString& title, std::function<int()> run)
{
    Question question;
    question.kind = QuestionKind::Modal;
    question.title = title;
    question.window = window;
    question.run = std::move(run);
    return ask(question).choice;
}

} // namespace platform
