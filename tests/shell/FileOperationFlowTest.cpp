// The shell's questions during file operations, answered by script, and the changes announced.
#include "platform/prompt/SystemMessageBox.h"
#include "platform/shell/FileOperation.h"
#include "platform/shell/ShellChangeHub.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/ShellTypes.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/ScriptedPrompt.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace platform;
using namespace duopane::test;

namespace {

class FileOperationFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        s = bytesOf(src.path());
        d = bytesOf(dst.path());
        for (const char* name : {"one", "two", "three"}) {
            writeBytes(s + '/' + name, QByteArray("new ") + name);
            writeBytes(d + '/' + name, QByteArray("old ") + name);
        }
    }
    void TearDown() override { EXPECT_TRUE(prompt().allAnswered()); }

    QByteArray contents()
    {
        QByteArrayList all;
        for (const char* name : {"one", "three", "two"})
            all.append(readBytes(d + '/' + name));
        return all.join('|');
    }

    QTemporaryDir src;
    QTemporaryDir dst;
    QByteArray s;
    QByteArray d;
};

TEST_F(FileOperationFlowTest, ReplaceQuestionAnswers)
{
    using Q = QuestionKind;
    const struct {
        const char* what;
        QList<int> answers;
        QByteArray result;
        bool aborted;
    } cases[] = {
        {"yes to each", {0, 0, 0}, "new one|new three|new two", false},
        {"yes to all", {1}, "new one|new three|new two", false},
        {"no to the first", {2, 0, 0}, "old one|new three|new two", true},
        {"cancel at the second", {0, 3}, "new one|old three|old two", true},
        {"window closed", {-1}, "old one|old three|old two", true},
    };
    for (const auto& c : cases) {
        for (const char* name : {"one", "two", "three"})
            writeBytes(d + '/' + name, QByteArray("old ") + name);
        for (int answer : c.answers)
            prompt().expect(Q::FileConflict, "already contains a file named", answer);
        const FileOpResult result = runFileOperation({FO_COPY, {src.path() + "/one", src.path() + "/three", src.path() + "/two"},
                                                      dst.path(), FOF_SILENT});
        EXPECT_EQ(contents(), c.result) << c.what;
        EXPECT_EQ(result.aborted, c.aborted) << c.what;
        EXPECT_EQ(result.ok(), !c.aborted) << c.what;
        EXPECT_TRUE(prompt().allAnswered()) << c.what;
        prompt().clear();
    }
}

TEST_F(FileOperationFlowTest, ErrorQuestionRetrySkipCancel)
{
    // A file cannot take the place of a folder; the error stands until the folder is gone.
    QTemporaryDir target;
    const QByteArray t = bytesOf(target.path());
    for (const char* name : {"one", "two", "three"})
        ::mkdir(t + '/' + name, 0755);
    prompt().expect(QuestionKind::FileError, "Cannot copy one", [&](const Question&) {
        ::rmdir(t + "/one");
        return Answer{0, {}};   // retry, now it works
    });
    prompt().expect(QuestionKind::FileError, "Cannot copy three", 1);   // skip
    prompt().expect(QuestionKind::FileError, "Cannot copy two", 2);     // cancel
    const FileOpResult result = runFileOperation({FO_COPY, {src.path() + "/one", src.path() + "/three", src.path() + "/two"},
                                                  target.path(), FOF_SILENT | FOF_NOCONFIRMATION});
    EXPECT_EQ(readBytes(t + "/one"), QByteArray("new one"));
    EXPECT_TRUE(QFileInfo(target.path() + "/three").isDir());
    EXPECT_TRUE(result.aborted);
    EXPECT_EQ(result.code, FileOpResult::Cancelled);
    // Skipping alone is a failure too, though nothing was cancelled.
    prompt().expect(QuestionKind::FileError, "Cannot copy three", 1);
    const FileOpResult skipped = runFileOperation({FO_COPY, {src.path() + "/three"}, target.path(), FOF_SILENT | FOF_NOCONFIRMATION});
    EXPECT_FALSE(skipped.ok());
    EXPECT_EQ(skipped.code, EISDIR);
}

TEST_F(FileOperationFlowTest, AFolderIsNeverCopiedIntoItself)
{
    ::mkdir(s + "/tree", 0755);
    ::mkdir(s + "/tree/inner", 0755);
    prompt().expect(QuestionKind::FileError, "subfolder of the source folder", 1);
    EXPECT_FALSE(runFileOperation({FO_COPY, {src.path() + "/tree"}, src.path() + "/tree/inner", FOF_SILENT}).ok());
    EXPECT_FALSE(existsBytes(s + "/tree/inner/tree"));
    prompt().expect(QuestionKind::FileError, "subfolder of the source folder", 2);
    EXPECT_FALSE(runFileOperation({FO_MOVE, {src.path() + "/tree"}, src.path() + "/tree", FOF_SILENT}).ok());
    EXPECT_TRUE(existsBytes(s + "/tree/inner"));
}

TEST_F(FileOperationFlowTest, CopyOntoItselfMakesACopyOf)
{
    EXPECT_TRUE(runFileOperation({FO_COPY, {src.path() + "/one"}, src.path(), FOF_SILENT}).ok());
    EXPECT_TRUE(runFileOperation({FO_COPY, {src.path() + "/one"}, src.path(), FOF_SILENT}).ok());
    EXPECT_EQ(readBytes(s + "/Copy of one"), QByteArray("new one"));
    EXPECT_EQ(readBytes(s + "/Copy (2) of one"), QByteArray("new one"));
}

TEST_F(FileOperationFlowTest, MissingTargetFolderIsMadeAfterAskingUnlessTold)
{
    prompt().expect(QuestionKind::SystemMessageBox, "does not exist", IDNO);
    EXPECT_TRUE(runFileOperation({FO_COPY, {src.path() + "/one"}, dst.path() + "/a/b/", FOF_SILENT}).aborted);
    EXPECT_FALSE(existsBytes(d + "/a"));
    prompt().expect(QuestionKind::SystemMessageBox, "does not exist", IDYES);
    EXPECT_TRUE(runFileOperation({FO_COPY, {src.path() + "/one"}, dst.path() + "/a/b/", FOF_SILENT}).ok());
    EXPECT_EQ(readBytes(d + "/a/b/one"), QByteArray("new one"));
    // The quiet move never asks, not even for the folder it has to make.
    EXPECT_TRUE(runFileOperation({FO_MOVE, {src.path() + "/two"}, dst.path() + "/c/d/", 0x214}).ok());
    EXPECT_EQ(readBytes(d + "/c/d/two"), QByteArray("new two"));
}

TEST_F(FileOperationFlowTest, DeleteAsksFirstUnlessTold)
{
    prompt().expect(QuestionKind::SystemMessageBox, "permanently delete 'one'", IDNO);
    EXPECT_TRUE(runFileOperation({FO_DELETE, {src.path() + "/one"}, {}, FOF_SILENT}).aborted);
    EXPECT_TRUE(existsBytes(s + "/one"));
    prompt().expect(QuestionKind::SystemMessageBox, "send these 2 items to the Trash", IDYES);
    EXPECT_TRUE(runFileOperation({FO_DELETE, {src.path() + "/one", src.path() + "/two"}, {}, FOF_ALLOWUNDO}).ok());
    EXPECT_FALSE(existsBytes(s + "/one"));
    EXPECT_FALSE(existsBytes(s + "/two"));
}

TEST_F(FileOperationFlowTest, CompletedOperationsAnnounceTheirChanges)
{
    QSignalSpy spy(&ShellChangeHub::instance(), &ShellChangeHub::changed);
    ::mkdir(s + "/folder", 0755);
    ASSERT_TRUE(runFileOperation({FO_COPY, {src.path() + "/folder", src.path() + "/one"}, dst.path(), FOF_SILENT | FOF_NOCONFIRMATION}).ok());
    ASSERT_TRUE(runFileOperation({FO_RENAME, {dst.path() + "/folder"}, QStringLiteral("renamed"), 0}).ok());
    ASSERT_TRUE(runFileOperation({FO_DELETE, {dst.path() + "/one"}, {}, FOF_SILENT | FOF_NOCONFIRMATION}).ok());
    QCoreApplication::processEvents();
    QList<QPair<quint32, QString>> seen;
    for (const QList<QVariant>& args : spy) {
        const auto change = args.at(0).value<ShellChange>();
        seen.append({change.event, ShellNamespace::path(change.item1) + '>' + ShellNamespace::path(change.item2)});
    }
    const QList<QPair<quint32, QString>> expected = {
        {SHCNE_MKDIR, dst.path() + "/folder>"},
        {SHCNE_CREATE, dst.path() + "/one>"},
        {SHCNE_RENAMEFOLDER, dst.path() + "/folder>" + dst.path() + "/renamed"},
        {SHCNE_DELETE, dst.path() + "/one>"},
    };
    EXPECT_EQ(seen, expected);
}

} // namespace
