#include "platform/ui/shell/ShellDialogs.h"

#include "platform/shell/FileOpProgress.h"
#include "platform/ui/shell/FileProgressDialog.h"
#include "platform/ui/shell/FileQuestionDialog.h"

namespace platform {

void installShellDialogs()
{
    FileOpUi::setDialogRunner(QuestionKind::FileConflict, &FileQuestionDialog::ask);
    FileOpUi::setDialogRunner(QuestionKind::FileError, &FileQuestionDialog::ask);
    FileOpUi::setProgressFactory([] { return std::make_unique<FileProgressDialog>(); });
}

} // namespace platform
