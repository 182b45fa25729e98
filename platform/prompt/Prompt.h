#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <functional>
#include <optional>

class QObject;

// Every question the program asks goes through one prompt service, so tests can answer them
// in order and no test ever waits on a modal window.
namespace platform {

enum class QuestionKind {
    MessageBox,       // the message box component: caller's captions, answer = button index
    SystemMessageBox, // the system's box: MB_* style, answer = ID* code
    InputBox,         // answer.value = the text, choice 1 = OK, 2 = Cancel
    OpenFile,         // answer.value = the chosen path(s)
    SaveFile,
    PickFolder,
    PickColour,       // answer.value = Windows colour value
    PickFont,         // answer.value = QFont
    FileConflict,     // the shell's replace question
    FileError,        // the shell's retry / skip / cancel question
    Modal,            // a window shown modally; run() holds its own loop
};

struct Question {
    QuestionKind kind = QuestionKind::MessageBox;
    QString title;
    QString text;
    QStringList buttons;   // MessageBox captions from the left; empty captions are not shown
    quint32 style = 0;     // SystemMessageBox: MB_* buttons and icon
    QVariantMap details;   // kind-specific: default text, file names, filters…
    QObject* window = nullptr;      // Modal: the window being shown
    std::function<int()> run;       // Modal: shows the window and returns its result
};

struct Answer {
    int choice = -1;
    QVariant value;
};

class PromptService {
public:
    virtual ~PromptService() = default;
    virtual Answer ask(const Question& question) = 0;
};

// The installed service; without one every question gets the answer a closed box gives.
void setPromptService(PromptService* service);
PromptService* promptService();
Answer ask(const Question& question);
// What closing a question without choosing answers: never the consenting first button.
Answer dismissedAnswer(const Question& question);
// A window shown modally through the service: run shows it and returns its result, the answer's choice.
int ShowModal(QObject* window, const QString& title, std::function<int()> run);
// The input box: the typed text, or nothing when cancelled. A password box hides what is typed.
std::optional<QString> InputBox(const QString& text, const QString& title, const QString& initial = {},
                                bool password = false);

} // namespace platform
