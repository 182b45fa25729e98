#pragma once

#include "platform/prompt/Prompt.h"

#include <QDialog>

#include <memory>

namespace Ui {
class FileQuestionDialog;
}

namespace platform {

// The shell's replace and error questions: the question's text and its buttons in order; the
// answer is the index of the button pressed, -1 when the window was closed.
class FileQuestionDialog : public QDialog {
    Q_OBJECT
public:
    explicit FileQuestionDialog(const Question& question, QWidget* parent = nullptr);
    ~FileQuestionDialog() override;

    static int ask(const Question& question);

private:
    std::unique_ptr<Ui::FileQuestionDialog> m_ui;
};

} // namespace platform
