#include "platform/prompt/SystemMessageBox.h"
#include "platform/shell/FileOperation.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/ShellTypes.h"
#include "platform/shell/Trash.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/ScriptedPrompt.h"

#include <QSettings>

#include <gtest/gtest.h>

using namespace platform;
using namespace duopane::test;

namespace {

constexpr quint16 ToTrash = FOF_ALLOWUNDO | FOF_SILENT | FOF_NOCONFIRMATION;

QByteArray infoOf(const TrashEntry& entry)
{
    return readBytes(entry.infoPath);
}

class TrashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Trash::empty();
        folder = bytesOf(dir.path());
    }
    void TearDown() override { EXPECT_TRUE(prompt().allAnswered()); }

    QTemporaryDir dir;
    QByteArray folder;
};

TEST_F(TrashTest, DeletingWithUndoMovesIntoTheTrashWithItsInfo)
{
    const QByteArrayList names = {"plain.txt", "with space", "new\nline", QByteArray("bytes \xff\xfe", 8)};
    for (const QByteArray& name : names)
        writeBytes(folder + '/' + name, name);
    ::mkdir(folder + "/sub", 0755);
    writeBytes(folder + "/sub/inner", "x");
    QStringList sources;
    for (const QByteArray& name : names)
        sources.append(DecodeFileName(folder + '/' + name));
    sources.append(dir.path() + "/sub");
    ASSERT_TRUE(runFileOperation({FO_DELETE, sources, {}, ToTrash}).ok());

    const QList<TrashEntry> entries = Trash::entries();
    QByteArrayList found;
    for (const TrashEntry& e : entries)
        found.append(e.filePath);
    ASSERT_EQ(entries.size(), 5) << found.join(", ").toStdString();
    QByteArrayList originals;
    for (const TrashEntry& entry : entries) {
        originals.append(entry.originalPath);
        EXPECT_TRUE(entry.filePath.startsWith(Trash::homeTrash() + "/files/"));
        const QByteArray info = infoOf(entry);
        EXPECT_TRUE(info.startsWith("[Trash Info]\nPath=/")) << info.toStdString();
        const QByteArray pathLine = info.split('\n').at(1);
        EXPECT_FALSE(pathLine.contains(' ')) << "paths are percent-encoded: " << pathLine.toStdString();
        EXPECT_TRUE(entry.deletionDate.isValid());
        EXPECT_LE(qAbs(entry.deletionDate.secsTo(QDateTime::currentDateTime())), 600);
    }
    for (const QByteArray& name : names) {
        EXPECT_TRUE(originals.contains(folder + '/' + name)) << name.toHex().toStdString();
        EXPECT_FALSE(existsBytes(folder + '/' + name));
    }
    EXPECT_FALSE(Trash::isEmpty());
}

TEST_F(TrashTest, TheTrashFolderShowsOriginalNamesAndRestores)
{
    writeBytes(folder + "/report.txt", "keep me");
    ASSERT_TRUE(runFileOperation({FO_DELETE, {dir.path() + "/report.txt"}, {}, ToTrash}).ok());
    writeBytes(folder + "/report.txt", "second");
    ASSERT_TRUE(runFileOperation({FO_DELETE, {dir.path() + "/report.txt"}, {}, ToTrash}).ok());

    const ItemIdList trash = ShellNamespace::specialFolder(10);
    const QList<ItemIdList> items = ShellNamespace::enumerate(trash, SHCONTF_NONFOLDERS);
    ASSERT_EQ(items.size(), 2);
    for (const ItemIdList& item : items) {
        const ItemIdList full = ItemIdList::join(trash, item);
        EXPECT_EQ(ShellNamespace::displayName(full, SHGDN_INFOLDER), QStringLiteral("report.txt"));
        EXPECT_FALSE(ShellNamespace::attributes(full) & SFGAO_FOLDER);
    }
    EXPECT_TRUE(ShellNamespace::enumerate(trash, SHCONTF_FOLDERS).isEmpty());

    QList<TrashEntry> entries = Trash::entries();
    // The first one keeps its name in the trash; the second gets a number.
    std::sort(entries.begin(), entries.end(), [](const TrashEntry& a, const TrashEntry& b) { return a.filePath.endsWith("/report.txt") && !b.filePath.endsWith("/report.txt"); });
    EXPECT_EQ(Trash::restore(entries[0]), 0);
    EXPECT_EQ(readBytes(folder + "/report.txt"), QByteArray("keep me"));
    EXPECT_FALSE(existsBytes(entries[0].infoPath));
    // Restoring over an item that is back in its place is refused.
    EXPECT_EQ(Trash::restore(entries[1]), EEXIST);
    EXPECT_EQ(readBytes(folder + "/report.txt"), QByteArray("keep me"));
    EXPECT_EQ(Trash::empty(), 0);
    EXPECT_TRUE(Trash::isEmpty());
}

TEST_F(TrashTest, AnotherVolumeGetsItsOwnTrash)
{
    TmpfsMount mount;
    DUOPANE_NEED_TMPFS(mount);
    const QByteArray m = bytesOf(mount.path());
    ::mkdir(m + "/docs", 0755);
    writeBytes(m + "/docs/file", "on the volume");
    ASSERT_TRUE(runFileOperation({FO_DELETE, {mount.path() + "/docs/file"}, {}, ToTrash}).ok());
    const QByteArray trash = m + "/.Trash-" + QByteArray::number(uint(::getuid()));
    const QByteArray info = readBytes(trash + "/info/file.trashinfo");
    EXPECT_TRUE(info.contains("\nPath=docs/file\n")) << info.toStdString();
    EXPECT_EQ(readBytes(trash + "/files/file"), QByteArray("on the volume"));
    const TrashEntry entry = Trash::entryFor(trash + "/files/file");
    EXPECT_EQ(entry.originalPath, m + "/docs/file");
    EXPECT_EQ(Trash::restore(entry), 0);
    EXPECT_EQ(readBytes(m + "/docs/file"), QByteArray("on the volume"));
}

TEST_F(TrashTest, NothingLeavesForGoodWithoutTheUsersWord)
{
    TmpfsMount mount;
    DUOPANE_NEED_TMPFS(mount);
    const QByteArray m = bytesOf(mount.path());
    writeBytes(m + "/file", "x");
    // A volume whose trash folder cannot be made: a file stands where it would go.
    writeBytes(m + "/.Trash-" + QByteArray::number(uint(::getuid())), "in the way");
    prompt().expect(QuestionKind::SystemMessageBox, "cannot be moved to the Trash", IDNO);
    EXPECT_TRUE(runFileOperation({FO_DELETE, {mount.path() + "/file"}, {}, ToTrash}).aborted);
    EXPECT_TRUE(existsBytes(m + "/file"));
    prompt().expect(QuestionKind::SystemMessageBox, "cannot be moved to the Trash", IDYES);
    EXPECT_TRUE(runFileOperation({FO_DELETE, {mount.path() + "/file"}, {}, ToTrash}).ok());
    EXPECT_FALSE(existsBytes(m + "/file"));
}

} // namespace
