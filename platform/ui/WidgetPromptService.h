#pragma once

#include "platform/prompt/Prompt.h"

namespace platform {

// The prompt service of the running program: real dialogs, modal to the active window.
class WidgetPromptService : public PromptService {
public:
    Answer ask(const Question& question) override;

private:
    static Answer messageBox(const Question& question);
    static Answer systemMessageBox(const Question& question);
    static Answer inputBox(const Question& question);
};

} // namespace platform
