#pragma once

#include "platform/prompt/Prompt.h"

#include <QList>

#include <deque>
#include <functional>

namespace duopane::test {

// Answers the program's questions from a script, in order. A question the script does not
// expect fails the test and gets the answer a closed box gives, so nothing ever waits.
class ScriptedPrompt : public platform::PromptService {
public:
    using Responder = std::function<platform::Answer(const platform::Question&)>;

    // textContains: a piece of the question's text (or title) that must be there; empty = any.
    ScriptedPrompt& expect(platform::QuestionKind kind, const QString& textContains, int choice, QVariant value = {});
    ScriptedPrompt& expect(platform::QuestionKind kind, const QString& textContains, Responder respond);

    platform::Answer ask(const platform::Question& question) override;

    const QList<platform::Question>& asked() const { return m_asked; }
    bool allAnswered() const { return m_steps.empty(); }
    void clear();

private:
    struct Step {
        platform::QuestionKind kind;
        QString textContains;
        Responder respond;
    };
    std::deque<Step> m_steps;
    QList<platform::Question> m_asked;
};

// The script the test main installs; every test starts with it empty.
ScriptedPrompt& prompt();

} // namespace duopane::test
