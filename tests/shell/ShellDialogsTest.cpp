// The shell's own windows: the progress window's Cancel stops a running copy; the question
// window answers with the index of the button pressed; every picture index has a picture.
#include "platform/shell/FileOpProgress.h"
#include "platform/shell/FileOperation.h"
#include "platform/shell/ShellTypes.h"
#include "platform/shell/SystemImageIndex.h"
#include "platform/ui/shell/FileProgressDialog.h"
#include "platform/ui/shell/FileQuestionDialog.h"
#include "platform/ui/shell/ShellDialogs.h"
#include "platform/ui/shell/SystemImageList.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/ScriptedPrompt.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace platform;
using namespace duopane::test;

namespace {

TEST(ShellDialogs, CancelInTheProgressWindowStopsTheCopy)
{
    installShellDialogs();
    QTemporaryDir src, dst;
    const QByteArray s = bytesOf(src.path());
    for (int i = 0; i < 8; ++i)
        writeBytes(s + "/f" + QByteArray::number(i), pattern(16 << 20, char(i)));
    // The user presses Cancel in the window the engine opened for this operation.
    bool pressed = false;
    FileOpUi::setProgressFactory([&] {
        auto dialog = std::make_unique<FileProgressDialog>();
        dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
        pressed = true;
        return dialog;
    });
    const FileOpResult result = runFileOperation({FO_COPY, {src.path() + "/f*"}, dst.path(), FOF_NOCONFIRMATION});
    FileOpUi::setProgressFactory({});
    ASSERT_TRUE(pressed);
    EXPECT_TRUE(result.aborted);
    EXPECT_LT(QDir(dst.path()).entryList(QDir::Files).size(), 8);
    EXPECT_TRUE(leftovers(dst.path()).isEmpty());
}

TEST(ShellDialogs, QuestionWindowAnswersWithTheButtonIndex)
{
    Question q;
    q.kind = QuestionKind::FileConflict;
    q.title = QStringLiteral("Confirm File Replace");
    q.text = QStringLiteral("This folder already contains a file named 'x'.");
    q.buttons = {QStringLiteral("&Yes"), QStringLiteral("Yes to &All"), QStringLiteral("&No"), QStringLiteral("Cancel")};
    for (int index : {0, 2, 3}) {
        QTimer::singleShot(0, [index] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<FileQuestionDialog*>(w))
                    dialog->findChild<QPushButton*>(QStringLiteral("cmdButton_%1").arg(index))->click();
        });
        EXPECT_EQ(FileQuestionDialog::ask(q), index);
    }
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<FileQuestionDialog*>(w))
                dialog->reject();
    });
    EXPECT_EQ(FileQuestionDialog::ask(q), -1);
}

TEST(ShellDialogs, EveryImageIndexHasPicturesInBothSizes)
{
    SystemImageIndex::indexOf(QStringLiteral("no-such-icon-anywhere"), QStringLiteral("also-missing"));
    for (int i = 0; i < SystemImageIndex::count(); ++i) {
        EXPECT_FALSE(SystemImageList::pixmap(i, true).isNull()) << SystemImageIndex::iconName(i).toStdString();
        EXPECT_EQ(SystemImageList::pixmap(i, true).width(), SystemImageList::SmallSize);
        EXPECT_FALSE(SystemImageList::pixmap(i, false).isNull());
    }
}

} // namespace
