#include "common/mmFileOper.h"

#include "platform/core/FileName.h"
#include "platform/prompt/SystemMessageBox.h"
#include "platform/shell/ShellTypes.h"
#include "platform/shell/Trash.h"
#include "tests/common/Printers.h"
#include "tests/common/TestFiles.h"
#include "tests/support/ScriptedPrompt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace mmFileOper;
using duopane::test::freshFolder;
using duopane::test::prompt;
using duopane::test::writeBytes;
using platform::QuestionKind;

namespace {

const QChar Nul(0);

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool present(const QString& path)
{
    struct stat st;
    return ::lstat(platform::EncodeFileName(path).constData(), &st) == 0;
}

QStringList entriesOf(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

qint64 stampOf(const QString& path)
{
    struct stat st;
    return ::stat(platform::EncodeFileName(path).constData(), &st) == 0 ? st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec : -1;
}

class mmFileOperTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(prompt().allAnswered()); }
};

} // namespace

TEST_F(mmFileOperTest, CreateFolderPathMakesOnlyTheMissingLevels)
{
    const QString base = freshFolder("levels");
    ASSERT_TRUE(QDir().mkpath(base + "one/two/three"));
    writeBytes(base + "one/two/three/keep.txt", "kept");
    const qint64 before = stampOf(base + "one/two");

    EXPECT_TRUE(CreateFolderPath(base + "one/two/three/four/five"));
    EXPECT_TRUE(QFileInfo(base + "one/two/three/four/five").isDir());
    EXPECT_EQ(contentOf(base + "one/two/three/keep.txt"), "kept");
    EXPECT_EQ(stampOf(base + "one/two"), before) << "an existing level is left alone";
    // An existing folder, with or without its separator, is simply there.
    EXPECT_TRUE(CreateFolderPath(base + "one/two/"));
    EXPECT_TRUE(CreateFolderPath(base + "with space/gr\u00fc\u00dfe/"));
    EXPECT_TRUE(QFileInfo(base + "with space/gr\u00fc\u00dfe").isDir());
    EXPECT_TRUE(prompt().asked().isEmpty());
}

TEST_F(mmFileOperTest, CreateFolderPathRefusesTextsThatAreNoFullPath)
{
    // Run from an empty folder: a relative text must not land there.
    const QString here = freshFolder("current");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(here));
    for (const QString& text : {QStringLiteral("relative/sub"), QStringLiteral("plain"), QStringLiteral("C:\\dir\\sub"),
                                QStringLiteral("\\\\server\\share\\dir"), QStringLiteral("./dot"), QString()})
        EXPECT_FALSE(CreateFolderPath(text)) << text.toStdString();
    QDir::setCurrent(previous);
    EXPECT_TRUE(entriesOf(here).isEmpty()) << entriesOf(here).join(", ").toStdString();
    EXPECT_TRUE(prompt().asked().isEmpty());
}

TEST_F(mmFileOperTest, CreateFolderPathShowsTheSystemsTextForTheFirstFailure)
{
    const QString base = freshFolder("failing");
    writeBytes(base + "file.txt", "a file, not a folder");
    prompt().expect(QuestionKind::SystemMessageBox, QString::fromLocal8Bit(std::strerror(EEXIST)), platform::IDOK);
    EXPECT_FALSE(CreateFolderPath(base + "file.txt/sub/deeper"));
    ASSERT_EQ(prompt().asked().size(), 1) << "the walk ends at the first failure";
    EXPECT_EQ(prompt().asked().first().style & 0xF0, platform::MB_ICONWARNING);
    EXPECT_EQ(contentOf(base + "file.txt"), "a file, not a folder");
}

TEST_F(mmFileOperTest, PermanentDeleteOfEverythingEmptiesTheFolderWithoutAQuestion)
{
    const QString folder = freshFolder("scratch");
    const QString outside = freshFolder("outside");
    writeBytes(outside + "precious.txt", "keep me");
    writeBytes(folder + "plain.txt", "x");
    writeBytes(folder + ".hidden", "x");
    writeBytes(folder + "no extension", "x");
    writeBytes(folder + "sub/deeper/name\nwith newline", "x");
    writeBytes(platform::DecodeFileName(platform::EncodeFileName(folder) + "bytes \xff"), "x");
    ASSERT_TRUE(QFile::link(outside, folder + "link-out"));

    EXPECT_TRUE(ShellDelete(nullptr, folder, "*.*", false));
    EXPECT_TRUE(QFileInfo(folder).isDir()) << "the folder itself stays";
    EXPECT_TRUE(entriesOf(folder).isEmpty()) << entriesOf(folder).join(", ").toStdString();
    EXPECT_EQ(contentOf(outside + "precious.txt"), "keep me") << "a link is removed, never followed";
    EXPECT_TRUE(prompt().asked().isEmpty());
    // An empty folder stays fine; a missing one is no folder to delete in.
    EXPECT_TRUE(ShellDelete(nullptr, folder, "*.*", false));
    EXPECT_FALSE(ShellDelete(nullptr, folder + "gone/", "*.*", false));
}

TEST_F(mmFileOperTest, DeleteToTheRecycleBinLeavesItemsInTheTrashWithTheirInfo)
{
    platform::Trash::empty();
    const QString folder = freshFolder("to trash");
    writeBytes(folder + "report.txt", "report");
    writeBytes(folder + "with space/inner", "inner");
    writeBytes(folder + "stays.txt", "stays");

    // The shell asks its own question; "No" keeps everything and counts as failed.
    prompt().expect(QuestionKind::SystemMessageBox, "send these 2 items to the Trash", platform::IDNO);
    EXPECT_FALSE(ShellDelete(nullptr, folder, QString("report.txt") + Nul + "with space" + Nul, true));
    EXPECT_TRUE(present(folder + "report.txt"));
    EXPECT_TRUE(platform::Trash::isEmpty());

    prompt().expect(QuestionKind::SystemMessageBox, "send these 2 items to the Trash", platform::IDYES);
    EXPECT_TRUE(ShellDelete(nullptr, folder, QString("report.txt") + Nul + "with space" + Nul, true));
    QList<QByteArray> originals;
    for (const platform::TrashEntry& entry : platform::Trash::entries()) {
        originals.append(entry.originalPath);
        EXPECT_TRUE(QFile::exists(platform::DecodeFileName(entry.infoPath)));
        EXPECT_TRUE(entry.infoPath.endsWith(".trashinfo"));
    }
    std::sort(originals.begin(), originals.end());
    const QByteArray base = platform::EncodeFileName(folder);
    EXPECT_EQ(originals, QList<QByteArray>({base + "report.txt", base + "with space"}));
    EXPECT_EQ(entriesOf(folder), QStringList({"stays.txt"}));
}

TEST_F(mmFileOperTest, MoveWithoutConfirmNeverAsks)
{
    // The second source lives on another file system when /dev/shm is one, so the move copies,
    // makes the folder at the target and removes the source.
    QTemporaryDir shm(QStringLiteral("/dev/shm/duopane-move-XXXXXX"));
    const struct {
        QString source;
        bool targetHasDocs;   // merged into, or made by the move
    } cases[] = {
        {freshFolder("move from"), true},
        {shm.isValid() ? shm.path() + "/" : QString(), false},
    };
    for (const auto& c : cases) {
        if (c.source.isEmpty()) {
            std::fprintf(stderr, "no /dev/shm here: the move across file systems is not tried\n");
            continue;
        }
        SCOPED_TRACE(c.source.toStdString());
        const QString target = freshFolder("move to");
        writeBytes(c.source + "docs/report.txt", "new report");
        writeBytes(c.source + "docs/extra.txt", "extra");
        writeBytes(c.source + "loose.txt", "loose");
        writeBytes(target + "loose.txt", "old loose");
        if (c.targetHasDocs)
            writeBytes(target + "docs/report.txt", "old report");

        QString targetFolder = target.chopped(1);
        EXPECT_TRUE(ShellMove(nullptr, c.source, targetFolder, QString("docs") + Nul + "loose.txt" + Nul, false));
        EXPECT_EQ(targetFolder, target) << "the caller's target gets its separator";
        EXPECT_EQ(contentOf(target + "docs/report.txt"), "new report");
        EXPECT_EQ(contentOf(target + "docs/extra.txt"), "extra");
        EXPECT_EQ(contentOf(target + "loose.txt"), "loose");
        EXPECT_FALSE(present(c.source + "docs"));
        EXPECT_FALSE(present(c.source + "loose.txt"));
        EXPECT_TRUE(prompt().asked().isEmpty());
    }
    // With confirm the shell asks before it replaces.
    const QString source = freshFolder("move from");
    QString target = freshFolder("move to");
    writeBytes(source + "loose.txt", "loose");
    writeBytes(target + "loose.txt", "old loose");
    prompt().expect(QuestionKind::FileConflict, "loose.txt", 2);
    EXPECT_FALSE(ShellMove(nullptr, source, target, "loose.txt", true)) << "a declined item is no success";
    EXPECT_EQ(contentOf(target + "loose.txt"), "old loose");
    // A target folder that does not exist is refused, and nothing moves.
    QString missing = target + "missing";
    EXPECT_FALSE(ShellMove(nullptr, source, missing, "loose.txt", false));
    EXPECT_TRUE(present(source + "loose.txt"));
}

TEST_F(mmFileOperTest, NamesAreTakenFromTheSourceFolderWithoutChangingTheCurrentFolder)
{
    const QString source = freshFolder("copy from");
    QString target = freshFolder("copy to");
    writeBytes(source + "a.txt", "a");
    writeBytes(source + "B.TXT", "b");
    writeBytes(source + "c.dat", "c");
    writeBytes(source + "sub/inner.txt", "inner");
    const QString current = QDir::currentPath();

    EXPECT_TRUE(ShellCopy(nullptr, source, target, QString("*.txt") + Nul + "sub" + Nul, platform::FOF_SILENT));
    EXPECT_EQ(entriesOf(target), QStringList({"B.TXT", "a.txt", "sub"}));
    EXPECT_EQ(contentOf(target + "sub/inner.txt"), "inner");
    EXPECT_EQ(QDir::currentPath(), current);
    // A name may not reach the folder itself or above it.
    for (const QString& name : {QStringLiteral(".."), QStringLiteral("sub/../.."), QStringLiteral("."), QStringLiteral("./")})
        EXPECT_FALSE(ShellDelete(nullptr, source + "sub/", name, false)) << name.toStdString();
    EXPECT_EQ(contentOf(source + "sub/inner.txt"), "inner");
    EXPECT_FALSE(ShellCopy(nullptr, source + "missing/", target, "a.txt", 0));
    EXPECT_TRUE(prompt().asked().isEmpty());
}

TEST_F(mmFileOperTest, RenameNeedsAnExistingItem)
{
    const QString folder = freshFolder("rename");
    writeBytes(folder + "before.txt", "content");
    EXPECT_FALSE(ShellRename(nullptr, folder + "missing.txt", folder + "after.txt"));
    EXPECT_FALSE(present(folder + "after.txt"));
    EXPECT_TRUE(ShellRename(nullptr, folder + "before.txt", folder + "after.txt"));
    EXPECT_EQ(contentOf(folder + "after.txt"), "content");
    EXPECT_TRUE(ShellRename(nullptr, folder + "after.txt", "short name.txt"));
    EXPECT_EQ(contentOf(folder + "short name.txt"), "content");
    EXPECT_TRUE(prompt().asked().isEmpty());
}

TEST_F(mmFileOperTest, TheAskingRoutinesActOnlyOnYes)
{
    enum class Routine { Copy, Move, Delete };
    const struct {
        Routine routine;
        int answer;
        const char* list;
        const char* question;
        const char* title;
    } cases[] = {
        {Routine::Copy, 0, "a.txt\r\nsub dir\r\n", "Copy following files and folders ? ", "Copying..."},
        {Routine::Copy, 1, "a.txt\r\nsub dir", "Copy following files and folders ? ", "Copying..."},
        {Routine::Move, 0, "a.txt\r\nsub dir", "Move following files and folders ? ", "Moving..."},
        {Routine::Move, -1, "a.txt\r\nsub dir\r\n", "Move following files and folders ? ", "Moving..."},
        {Routine::Delete, 0, "a.txt\r\nsub dir\r\n", "Delete following files and folders ? ", "Deleting..."},
        {Routine::Delete, 1, "a.txt\r\nsub dir", "Delete following files and folders ? ", "Deleting..."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.question) + " answered " + std::to_string(c.answer) + ", list " + c.list);
        platform::Trash::empty();
        prompt().clear();
        const QString source = freshFolder("ask from");
        const QString target = freshFolder("ask to");
        writeBytes(source + "a.txt", "a");
        writeBytes(source + "sub dir/inner", "inner");
        writeBytes(source + "other.txt", "other");
        const QString list = QString::fromUtf8(c.list);
        prompt().expect(QuestionKind::MessageBox, c.question, c.answer);
        if (c.routine == Routine::Delete && c.answer == 0)
            prompt().expect(QuestionKind::SystemMessageBox, "send these 2 items to the Trash", platform::IDYES);

        QString targetFolder = target.chopped(1);
        bool done = false;
        switch (c.routine) {
        case Routine::Copy: done = ConfirmCopyItems(nullptr, source, targetFolder, list); break;
        case Routine::Move: done = ConfirmMoveItems(nullptr, source, targetFolder, list); break;
        case Routine::Delete: done = ConfirmDeleteItems(nullptr, source, list); break;
        }
        EXPECT_TRUE(prompt().allAnswered());
        const platform::Question& asked = prompt().asked().first();
        EXPECT_EQ(asked.text, QString::fromLatin1(c.question) + "\r\n\r\n" + list);
        EXPECT_EQ(asked.title, QString::fromLatin1(c.title));
        EXPECT_EQ(asked.buttons.mid(0, 2), QStringList({"&Yes", "&No"}));
        EXPECT_EQ(done, c.answer == 0);
        const bool yes = c.answer == 0;
        const bool leaves = yes && c.routine != Routine::Copy;
        EXPECT_EQ(present(source + "a.txt"), !leaves);
        EXPECT_EQ(present(source + "sub dir/inner"), !leaves);
        EXPECT_TRUE(present(source + "other.txt"));
        const bool arrives = yes && c.routine != Routine::Delete;
        EXPECT_EQ(contentOf(target + "sub dir/inner"), arrives ? "inner" : "<missing>");
        EXPECT_EQ(platform::Trash::entries().size(), yes && c.routine == Routine::Delete ? 2 : 0);
        if (c.routine != Routine::Delete) {
            EXPECT_EQ(targetFolder, yes ? target : target.chopped(1));
        }
    }
}

TEST_F(mmFileOperTest, TheAskingRoutinesAskNothingWithoutAListOrAFolder)
{
    const QString source = freshFolder("ask from");
    writeBytes(source + "a.txt", "a");
    QString target = freshFolder("ask to");
    QString missing = target + "missing/";
    EXPECT_FALSE(ConfirmCopyItems(nullptr, source, target, QString()));
    EXPECT_FALSE(ConfirmCopyItems(nullptr, source, missing, "a.txt"));
    EXPECT_FALSE(ConfirmMoveItems(nullptr, source + "missing/", target, "a.txt"));
    EXPECT_FALSE(ConfirmDeleteItems(nullptr, source + "missing/", "a.txt"));
    EXPECT_FALSE(ConfirmDeleteItems(nullptr, source, QString()));
    EXPECT_TRUE(prompt().asked().isEmpty());
    EXPECT_TRUE(present(source + "a.txt"));
}
