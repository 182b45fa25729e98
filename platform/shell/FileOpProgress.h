#pragma once

#include "platform/prompt/Prompt.h"

#include <QString>

#include <functional>
#include <memory>

namespace platform {

// The progress window of a file operation. The engine reports every step; the window decides
// when to show itself and offers Cancel, which the engine reads after each step.
class FileOpProgress {
public:
    virtual ~FileOpProgress() = default;
    virtual void start(const QString& title, qint64 totalBytes, int totalItems) = 0;
    virtual void setItem(const QString& from, const QString& to) = 0;
    virtual void advance(qint64 bytesDone, int itemsDone) = 0;
    virtual bool cancelled() const = 0;
    virtual void finish() = 0;
};

using FileOpProgressFactory = std::function<std::unique_ptr<FileOpProgress>()>;
// How the shell's own dialogs are shown: the window layer installs these; without them the engine
// still asks through the prompt service (whose answer decides) and runs without a progress window.
using FileDialogRunner = std::function<int(const Question&)>;

class FileOpUi {
public:
    static void setProgressFactory(FileOpProgressFactory factory);
    static std::unique_ptr<FileOpProgress> makeProgress();
    static void setDialogRunner(QuestionKind kind, FileDialogRunner runner);
    // Asks through the prompt service; the installed runner shows the window when one is asked for.
    static Answer ask(Question question);
};

} // namespace platform
