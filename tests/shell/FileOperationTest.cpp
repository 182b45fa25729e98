// The file operation engine on real trees: what arrives, what is kept, what is never lost.
#include "platform/shell/FileOpProgress.h"
#include "platform/shell/FileOperation.h"
#include "platform/shell/ShellTypes.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/ScriptedPrompt.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace duopane::test;

namespace {

constexpr quint16 Quiet = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR;

// A progress window stand-in that presses Cancel once enough bytes went by.
class CancelAfter : public FileOpProgress {
public:
    explicit CancelAfter(qint64 bytes) : m_limit(bytes) {}
    void start(const QString&, qint64 total, int) override { m_total = total; }
    void setItem(const QString&, const QString&) override {}
    void advance(qint64 done, int) override { m_cancelled = m_cancelled || done >= m_limit; }
    bool cancelled() const override { return m_cancelled; }
    void finish() override {}
    qint64 m_limit;
    qint64 m_total = 0;
    bool m_cancelled = false;
};

class FileOperationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(src.isValid() && dst.isValid());
        s = bytesOf(src.path());
        d = bytesOf(dst.path());
    }
    void TearDown() override
    {
        FileOpUi::setProgressFactory({});
        EXPECT_TRUE(prompt().allAnswered());
    }

    FileOpResult run(int function, QStringList sources, const QString& target, quint16 flags = Quiet)
    {
        return runFileOperation({function, sources, target, flags});
    }

    QTemporaryDir src;
    QTemporaryDir dst;
    QByteArray s;
    QByteArray d;
};

TEST_F(FileOperationTest, CopyKeepsTreePermissionsTimesAndLinks)
{
    ::mkdir(s + "/tree", 0750);
    ::mkdir(s + "/tree/sub", 0700);
    writeBytes(s + "/tree/run.sh", "#!/bin/sh\n", 0751);
    writeBytes(s + "/tree/sub/data", pattern(300000, 3), 0600);
    ::symlink("../run.sh", s + "/tree/sub/relative");
    ::symlink("/nonexistent/target", s + "/tree/dangling");
    const struct timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
    ::utimensat(AT_FDCWD, s + "/tree/sub/data", old, 0);
    ::utimensat(AT_FDCWD, s + "/tree/sub", old, 0);

    const FileOpResult result = run(FO_COPY, {src.path() + "/tree"}, dst.path() + "/");
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(readBytes(d + "/tree/sub/data"), pattern(300000, 3));
    const struct {
        const char* path;
        mode_t mode;
    } modes[] = {{"/tree", 0750}, {"/tree/sub", 0700}, {"/tree/run.sh", 0751}, {"/tree/sub/data", 0600}};
    for (const auto& m : modes) {
        struct stat st;
        ASSERT_EQ(::lstat(d + m.path, &st), 0) << m.path;
        EXPECT_EQ(st.st_mode & 07777, m.mode) << m.path;
    }
    struct stat st;
    ::lstat(d + "/tree/sub/data", &st);
    EXPECT_EQ(st.st_mtim.tv_sec, 1000000000);
    ::lstat(d + "/tree/sub", &st);
    EXPECT_EQ(st.st_mtim.tv_sec, 1000000000);
    char link[256] = {};
    ASSERT_GT(::readlink(d + "/tree/sub/relative", link, sizeof link - 1), 0);
    EXPECT_STREQ(link, "../run.sh");
    ASSERT_GT(::readlink(d + "/tree/dangling", link, sizeof link - 1), 0);
    EXPECT_TRUE(leftovers(dst.path()).isEmpty());
    EXPECT_EQ(readBytes(s + "/tree/sub/data"), pattern(300000, 3));
}

TEST_F(FileOperationTest, SeveralSourcesAndWildcardsRelativeToTheCurrentFolder)
{
    for (const char* name : {"a.txt", "b.TXT", "c.doc", "noext"})
        writeBytes(s + '/' + name, name);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(src.path());
    const struct {
        QStringList sources;
        QStringList arrived;
    } cases[] = {
        {{"*.txt"}, {"a.txt", "b.TXT"}},
        {{"*.*"}, {"a.txt", "b.TXT", "c.doc", "noext"}},
        {{"a.txt", "c.doc"}, {"a.txt", "c.doc"}},
        {{"?.doc", "noext"}, {"c.doc", "noext"}},
    };
    for (const auto& c : cases) {
        QTemporaryDir target;
        EXPECT_TRUE(run(FO_COPY, c.sources, target.path()).ok());
        EXPECT_EQ(QDir(target.path()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase), c.arrived)
            << c.sources.join(',').toStdString();
    }
    QDir::setCurrent(previous);
}

TEST_F(FileOperationTest, NamesWithSpacesNewlinesAndForeignBytesArriveIntact)
{
    const QByteArrayList names = {"with space", "line\nbreak", QByteArray("latin1 \xe9t\xe9", 10), "tab\there"};
    ::mkdir(s + "/odd", 0755);
    for (const QByteArray& name : names)
        writeBytes(s + "/odd/" + name, name);
    EXPECT_TRUE(run(FO_COPY, {src.path() + "/odd"}, dst.path()).ok());
    for (const QByteArray& name : names)
        EXPECT_EQ(readBytes(d + "/odd/" + name), name) << name.toHex().toStdString();
    // A top-level name that is not UTF-8 is handed over as the program shows it.
    const QByteArray foreign("caf\xe9", 4);
    writeBytes(s + '/' + foreign, "x");
    EXPECT_TRUE(run(FO_MOVE, {DecodeFileName(s + '/' + foreign)}, dst.path()).ok());
    EXPECT_EQ(readBytes(d + '/' + foreign), QByteArray("x"));
    EXPECT_FALSE(existsBytes(s + '/' + foreign));
}

TEST_F(FileOperationTest, MoveWithinOneFileSystemIsARename)
{
    ::mkdir(s + "/folder", 0755);
    writeBytes(s + "/folder/file", "data");
    struct stat before, after;
    ::lstat(s + "/folder/file", &before);
    EXPECT_TRUE(run(FO_MOVE, {src.path() + "/folder"}, dst.path()).ok());
    ASSERT_EQ(::lstat(d + "/folder/file", &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_FALSE(existsBytes(s + "/folder"));
}

TEST_F(FileOperationTest, MoveAcrossFileSystemsRemovesTheSourceAfterTheCopy)
{
    TmpfsMount mount("64m");
    QString other = mount.ok() ? mount.path() : QStringLiteral("/dev/shm");
    QTemporaryDir shm(other + "/duopane-XXXXXX");
    struct stat a, b;
    ::stat(s, &a);
    ::stat(bytesOf(shm.path()), &b);
    if (a.st_dev == b.st_dev)
        GTEST_SKIP() << "no second file system: cannot mount a tmpfs and /dev/shm is on the same one";
    ::mkdir(s + "/tree", 0755);
    ::mkdir(s + "/tree/sub", 0711);
    writeBytes(s + "/tree/sub/big", pattern(5 << 20, 9));
    ::symlink("sub/big", s + "/tree/link");
    EXPECT_TRUE(run(FO_MOVE, {src.path() + "/tree"}, shm.path()).ok());
    const QByteArray t = bytesOf(shm.path());
    EXPECT_EQ(readBytes(t + "/tree/sub/big"), pattern(5 << 20, 9));
    struct stat st;
    ASSERT_EQ(::lstat(t + "/tree/link", &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ::lstat(t + "/tree/sub", &st);
    EXPECT_EQ(st.st_mode & 07777, 0711u);
    EXPECT_FALSE(existsBytes(s + "/tree"));
}

TEST_F(FileOperationTest, ATargetThatFillsUpLosesNothingAndLeavesNoTornFile)
{
    TmpfsMount mount("16m");
    DUOPANE_NEED_TMPFS(mount);
    for (int i = 1; i <= 3; ++i)
        writeBytes(s + "/part" + QByteArray::number(i), pattern(6 << 20, char(i)));
    // The third file does not fit: skip it.
    prompt().expect(QuestionKind::FileError, "part3", 1);
    const FileOpResult result = run(FO_MOVE, {src.path() + "/part*"}, mount.path());
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.code, ENOSPC);
    const QByteArray m = bytesOf(mount.path());
    EXPECT_EQ(readBytes(m + "/part1"), pattern(6 << 20, 1));
    EXPECT_EQ(readBytes(m + "/part2"), pattern(6 << 20, 2));
    EXPECT_FALSE(existsBytes(m + "/part3"));
    EXPECT_TRUE(leftovers(mount.path()).isEmpty());
    // Moved files left the source only once copied; the one that failed is still there, whole.
    EXPECT_FALSE(existsBytes(s + "/part1"));
    EXPECT_EQ(readBytes(s + "/part3"), pattern(6 << 20, 3));
}

TEST_F(FileOperationTest, CancelDuringALargeCopyLeavesNoHalfFile)
{
    writeBytes(s + "/large", pattern(64 << 20, 5));
    writeBytes(d + "/large", "the old one");
    CancelAfter* progress = nullptr;
    FileOpUi::setProgressFactory([&] {
        auto p = std::make_unique<CancelAfter>(20 << 20);
        progress = p.get();
        return p;
    });
    const FileOpResult result = run(FO_COPY, {src.path() + "/large"}, dst.path(), FOF_NOCONFIRMATION);
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->m_total, qint64(64 << 20));
    EXPECT_TRUE(progress->m_cancelled);
    EXPECT_TRUE(result.aborted);
    EXPECT_EQ(result.code, FileOpResult::Cancelled);
    EXPECT_EQ(readBytes(d + "/large"), QByteArray("the old one"));
    EXPECT_TRUE(leftovers(dst.path()).isEmpty());
}

TEST_F(FileOperationTest, PermanentDeleteOfStarDotStarEmptiesTheFolderWithoutFollowingLinks)
{
    QTemporaryDir outside;
    writeBytes(bytesOf(outside.path()) + "/keep", "precious");
    ::mkdir(s + "/sub", 0755);
    ::mkdir(s + "/sub/locked", 0555);
    writeBytes(s + "/sub/file", "x");
    writeBytes(s + "/.hidden", "x");
    ::symlink(bytesOf(outside.path()), s + "/link-to-outside");
    ::symlink(bytesOf(outside.path()), s + "/sub/nested-link");
    const QString previous = QDir::currentPath();
    QDir::setCurrent(src.path());
    EXPECT_TRUE(run(FO_DELETE, {"*.*"}, {}, FOF_SILENT | FOF_NOCONFIRMATION).ok());
    QDir::setCurrent(previous);
    EXPECT_TRUE(QDir(src.path()).exists());
    EXPECT_TRUE(QDir(src.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
    EXPECT_EQ(readBytes(bytesOf(outside.path()) + "/keep"), QByteArray("precious"));
}

TEST_F(FileOperationTest, RenameNamesTheItemAnew)
{
    writeBytes(s + "/old name", "x");
    writeBytes(s + "/taken", "y");
    EXPECT_TRUE(run(FO_RENAME, {src.path() + "/old name"}, src.path() + "/new\nname", 0).ok());
    EXPECT_EQ(readBytes(s + "/new\nname"), QByteArray("x"));
    // A name in use is an error, never a silent replace.
    prompt().expect(QuestionKind::FileError, "Cannot rename", 1);
    EXPECT_FALSE(run(FO_RENAME, {src.path() + "/new\nname"}, QStringLiteral("taken"), 0).ok());
    EXPECT_EQ(readBytes(s + "/taken"), QByteArray("y"));
}

} // namespace
