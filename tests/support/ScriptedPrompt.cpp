#include "tests/support/ScriptedPrompt.h"

#include <gtest/gtest.h>

namespace duopane::test {
namespace {

const char* kindName(platform::QuestionKind kind)
{
    using K = platform::QuestionKind;
    switch (kind) {
    case K::MessageBox: return "MessageBox";
    case K::SystemMessageBox: return "SystemMessageBox";
    case K::InputBox: return "InputBox";
    case K::OpenFile: return "OpenFile";
    case K::SaveFile: return "SaveFile";
    case K::PickFolder: return "PickFolder";
    case K::PickColour: return "PickColour";
    case K::PickFont: return "PickFont";
    case K::FileConflict: return "FileConflict";
    case K::FileError: return "FileError";
    case K::Modal: return "Modal";
    }
    return "?";
}

} // namespace

ScriptedPrompt& ScriptedPrompt::expect(platform::QuestionKind kind, const QString& textContains, int choice, QVariant value)
{
    return expect(kind, textContains, [choice, value](const platform::Question&) {
        return platform::Answer{choice, value};
    });
}

ScriptedPrompt& ScriptedPrompt::expect(platform::QuestionKind kind, const QString& textContains, Responder respond)
{
    m_steps.push_back({kind, textContains, std::move(respond)});
    return *this;
}

platform::Answer ScriptedPrompt::ask(const platform::Question& question)
{
    m_asked.append(question);
    if (m_steps.empty()) {
        ADD_FAILURE() << "Unexpected " << kindName(question.kind) << " question: title \""
                      << question.title.toStdString() << "\", text \"" << question.text.toStdString() << "\"";
        return platform::dismissedAnswer(question);
    }
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    EXPECT_EQ(kindName(step.kind), std::string(kindName(question.kind)))
        << "question: " << question.text.toStdString();
    if (!step.textContains.isEmpty()) {
        EXPECT_TRUE(question.text.contains(step.textContains) || question.title.contains(step.textContains))
            << "expected a question with \"" << step.textContains.toStdString() << "\", got \""
            << question.text.toStdString() << "\"";
    }
    return step.respond(question);
}

void ScriptedPrompt::clear()
{
    m_steps.clear();
    m_asked.clear();
}

ScriptedPrompt& prompt()
{
    static ScriptedPrompt script;
    return script;
}

} // namespace duopane::test
