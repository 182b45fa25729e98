#include "platform/shell/FileOpProgress.h"

#include <QHash>

namespace platform {
namespace {

FileOpProgressFactory& progressFactory()
{
    static FileOpProgressFactory factory;
    return factory;
}

QHash<int, FileDialogRunner>& runners()
{
    static QHash<int, FileDialogRunner> table;
    return table;
}

} // namespace

void FileOpUi::setProgressFactory(FileOpProgressFactory factory)
{
    progressFactory() = std::move(factory);
}

std::unique_ptr<FileOpProgress> FileOpUi::makeProgress()
{
    return progressFactory() ? progressFactory()() : nullptr;
}

void FileOpUi::setDialogRunner(QuestionKind kind, FileDialogRunner runner)
{
    runners().insert(int(kind), std::move(runner));
}

Answer FileOpUi::ask(Question question)
{
    const FileDialogRunner runner = runners().value(int(question.kind));
    if (runner && !question.run) {
        const Question shown = question;
        question.run = [runner, shown] { return runner(shown); };
    }
    return platform::ask(question);
}

} // namespace platform
