#include "archiver/cUnZip.h"

#include "tests/archiver/ArchiveFixture.h"
#include "platform/prompt/SystemMessageBox.h"
#include "tests/support/ScriptedPrompt.h"

#include <QDir>

#include <zip.h>

using namespace duopane::test;
using platform::QuestionKind;

namespace {

class UnZipTest : public ArchiveFixture {
protected:
    // sample.zip from the sample tree, made by zip with folder entries.
    QString makeSampleZip()
    {
        makeSampleTree(QStringLiteral("src"));
        run(QStringLiteral("zip"), {QStringLiteral("-r"), QStringLiteral("-q"), QStringLiteral("../sample.zip"),
                                       QStringLiteral(".")},
            path(QStringLiteral("src")));
        return path(QStringLiteral("sample.zip"));
    }
    // A zip holding members of any name, written through libzip.
    QString craftZip(const QString& name, const QList<QPair<QByteArray, QByteArray>>& members)
    {
        const QString file = path(name);
        int error = 0;
        zip_t* zip = zip_open(QFile::encodeName(file).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        EXPECT_NE(zip, nullptr);
        for (const auto& [member, data] : members) {
            zip_source_t* source = zip_source_buffer(zip, qstrdup(data.constData()), zip_uint64_t(data.size()), 1);
            EXPECT_GE(zip_file_add(zip, member.constData(), source, ZIP_FL_ENC_UTF_8), 0);
        }
        EXPECT_EQ(zip_close(zip), 0);
        return file;
    }
    int find(const cUnZip& driver, int count, const QString& folder, const QString& name)
    {
        for (int i = 0; i < count; ++i)
            if (driver.FilePath(i) == folder && driver.FileName(i) == name)
                return i;
        return -1;
    }
    cUnZip driver;
};

TEST_F(UnZipTest, LibraryIsFoundAndRecentEnough)
{
    EXPECT_GE(driver.Version(), 80);
    EXPECT_FALSE(driver.Running());
    driver.setBackGroundMode(true);
    EXPECT_TRUE(driver.BackGroundMode());
    driver.setBackGroundMode(false);
    EXPECT_FALSE(driver.BackGroundMode());
}

TEST_F(UnZipTest, ListsMembersOfAnArchiveMadeByZip)
{
    const QString archive = makeSampleZip();
    QByteArray verbose;
    ASSERT_EQ(run(QStringLiteral("unzip"), {QStringLiteral("-v"), archive}, {}, &verbose), 0);
    EXPECT_TRUE(driver.CheckArchive(archive));
    const int count = driver.SetArcFile(archive);
    int checked = 0;
    for (const QByteArray& line : verbose.split('\n')) {
        const QStringList f = QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool number = false;
        if (f.size() == 8)
            f[0].toULongLong(&number);
        if (!number || f[6].size() != 8)
            continue;
        QString name = f[7];
        name.replace(QLatin1Char('/'), QLatin1Char('\\'));
        const int slash = name.lastIndexOf(QLatin1Char('\\'));
        const QString folder = slash < 0 ? QStringLiteral("\\") : name.left(slash + 1);
        const int i = find(driver, count, folder, name.mid(slash + 1));
        ASSERT_GE(i, 0) << qPrintable(name);
        EXPECT_EQ(driver.FileOriginal(i), cArchiverDriver::GroupedSize(f[0].toULongLong())) << qPrintable(name);
        EXPECT_EQ(driver.FilePacked(i), cArchiverDriver::GroupedSize(f[2].toULongLong())) << qPrintable(name);
        EXPECT_EQ(driver.FileCRC(i), f[6].right(4).toUpper()) << qPrintable(name);
        EXPECT_EQ(driver.FileType(i), f[1] == QLatin1String("Stored") ? QStringLiteral("Stored") : QStringLiteral("Deflate"));
        EXPECT_EQ(driver.FileDate(i), f[4].mid(2).replace(QLatin1Char('-'), QLatin1Char('/')));
        EXPECT_TRUE(driver.FILETIME(i).startsWith(f[5] + QLatin1Char(':'))) << qPrintable(driver.FILETIME(i));
        ++checked;
    }
    EXPECT_EQ(checked, count);
    EXPECT_EQ(count, 6);
    const int png = find(driver, count, QStringLiteral("docs\\img\\"), QStringLiteral("a.png"));
    ASSERT_GE(png, 0);
    EXPECT_EQ(driver.FileDate(png), QStringLiteral("04/03/07"));
    EXPECT_EQ(driver.FILETIME(png), QStringLiteral("14:05:06"));
    EXPECT_EQ(driver.FileCRC(png), (QStringLiteral("0000") + QString::number(crc32(QByteArray("\x89PNG not really", 15)), 16).toUpper()).right(4));
    EXPECT_GE(find(driver, count, QStringLiteral("docs\\"), QString()), 0);
    const int empty = find(driver, count, QStringLiteral("\\"), QStringLiteral("empty.dat"));
    ASSERT_GE(empty, 0);
    EXPECT_EQ(driver.FileOriginal(empty), QString());
    const int readme = find(driver, count, QStringLiteral("\\"), QStringLiteral("readme.txt"));
    ASSERT_GE(readme, 0);
    EXPECT_TRUE(driver.FileRatio(readme).endsWith(QLatin1String("%")));
    EXPECT_EQ(driver.FileAttr(readme), QStringLiteral("---a"));
}

TEST_F(UnZipTest, OldLibraryListingTextGivesTheSameEntries)
{
    const QString archive = makeSampleZip();
    const int count = driver.SetArcFile(archive);
    cUnZip old;
    old.setCommandLine(QStringLiteral("-l ") + archive);
    ASSERT_EQ(old.ReturnCode(), 0);
    ASSERT_EQ(old.ParseListOutput(old.OutPut()), count);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(old.FilePath(i), driver.FilePath(i));
        EXPECT_EQ(old.FileName(i), driver.FileName(i));
        EXPECT_EQ(old.FileDate(i), driver.FileDate(i));
        EXPECT_EQ(old.FILETIME(i), driver.FILETIME(i));
        EXPECT_EQ(old.FileCRC(i), driver.FileCRC(i));
        EXPECT_EQ(old.FileType(i), driver.FileType(i));
    }
}

TEST_F(UnZipTest, CorruptArchiveWarnsAndListsNothing)
{
    writeFile(QStringLiteral("bad.zip"), "PK\x03\x04 this is not really a zip archive");
    prompt().expect(QuestionKind::SystemMessageBox, QStringLiteral("' (corrupted archive) !"), platform::IDOK);
    EXPECT_FALSE(driver.CheckArchive(path(QStringLiteral("bad.zip"))));
    EXPECT_EQ(driver.SetArcFile(path(QStringLiteral("bad.zip"))), 0);
    ASSERT_TRUE(prompt().allAnswered());
    EXPECT_EQ(prompt().asked().first().title, QStringLiteral("ZIP Message"));
    EXPECT_EQ(prompt().asked().first().text,
        QStringLiteral("Can not open '") + path(QStringLiteral("bad.zip")) + QStringLiteral("' (corrupted archive) !"));
}

struct ExtractCase {
    const char* options;
    const char* list;  // "@" = a list file of docs/*.* and readme.txt
    QStringList expected;
};

class UnZipExtractTest : public UnZipTest, public ::testing::WithParamInterface<ExtractCase> {};

TEST_P(UnZipExtractTest, ExtractsTheChosenMembers)
{
    const ExtractCase c = GetParam();
    const QString archive = makeSampleZip();
    QString list = QString::fromLatin1(c.list);
    if (list == QLatin1String("@")) {
        writeFile(QStringLiteral("DPX1.tmp"), "docs/*.*\r\n\"readme.txt\"\r\n");
        list = QStringLiteral("@") + path(QStringLiteral("DPX1.tmp"));
    }
    driver.setCommandLine(QString::fromLatin1(c.options) + QLatin1Char(' ') + archive + QLatin1Char(' ')
        + path(QStringLiteral("out/")) + QLatin1Char(' ') + list);
    EXPECT_EQ(driver.ReturnCode(), 0) << qPrintable(driver.ErrString());
    EXPECT_EQ(filesBelow(path(QStringLiteral("out"))), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Commands, UnZipExtractTest,
    ::testing::Values(
        ExtractCase {"-x -i --j -o", "*.*", {"docs/a.txt", "docs/img/a.png", "empty.dat", "readme.txt"}},
        ExtractCase {"-x -i -j -o", "*.*", {"a.png", "a.txt", "empty.dat", "readme.txt"}},
        ExtractCase {"-x -i --j", "@", {"docs/a.txt", "docs/img/a.png", "readme.txt"}},
        ExtractCase {"-x -i -j", "@", {"a.png", "a.txt", "readme.txt"}},
        ExtractCase {"-x -i --j -o", "*.TXT", {"docs/a.txt", "readme.txt"}},
        ExtractCase {"-x -i --j -o", "docs/img/*.*", {"docs/img/a.png"}}));

TEST_F(UnZipTest, ExtractedContentAndTimeAreKept)
{
    const QString archive = makeSampleZip();
    driver.setCommandLine(QStringLiteral("-x -i --j -o ") + archive + QLatin1Char(' ') + path(QStringLiteral("out/"))
        + QStringLiteral(" *.*"));
    ASSERT_EQ(driver.ReturnCode(), 0);
    EXPECT_EQ(readFile(QStringLiteral("out/docs/a.txt")), readFile(QStringLiteral("src/docs/a.txt")));
    EXPECT_EQ(QFileInfo(path(QStringLiteral("out/docs/a.txt"))).lastModified(),
        QDateTime(QDate(2004, 3, 7), QTime(14, 5, 6)));
    EXPECT_TRUE(driver.OutPut().contains(QLatin1String("docs/a.txt")));
}

TEST_F(UnZipTest, ExistingFilesAreKeptWithoutOverwrite)
{
    const QString archive = makeSampleZip();
    writeFile(QStringLiteral("out/readme.txt"), "mine");
    const QString tail = archive + QLatin1Char(' ') + path(QStringLiteral("out/")) + QStringLiteral(" readme.txt");
    driver.setCommandLine(QStringLiteral("-x -i --j ") + tail);
    EXPECT_EQ(driver.ReturnCode(), 0x8007);
    EXPECT_EQ(readFile(QStringLiteral("out/readme.txt")), QByteArray("mine"));
    driver.setCommandLine(QStringLiteral("-x -i --j -o ") + tail);
    EXPECT_EQ(driver.ReturnCode(), 0);
    EXPECT_EQ(readFile(QStringLiteral("out/readme.txt")), readFile(QStringLiteral("src/readme.txt")));
}

TEST_F(UnZipTest, UnknownCommandIsIllegal)
{
    const QString archive = makeSampleZip();
    for (const QString& command : {QStringLiteral("-q ") + archive, QStringLiteral("-x -Z ") + archive, QString()}) {
        driver.setCommandLine(command);
        EXPECT_EQ(driver.ReturnCode(), 0x801C) << qPrintable(command);
        EXPECT_EQ(driver.ErrString(), QStringLiteral("Illegal command"));
        EXPECT_EQ(driver.OutPut(), QString());
    }
    driver.setCommandLine(QStringLiteral("-x ") + path(QStringLiteral("missing.zip")) + QStringLiteral(" *.*"));
    EXPECT_EQ(driver.ReturnCode(), 0x8018);
}

TEST_F(UnZipTest, FullOutputBufferIsMarked)
{
    const QString archive = makeSampleZip();
    driver.setMaxFileCount(0);  // 324 characters: the listing does not fit
    driver.setCommandLine(QStringLiteral("-l ") + archive);
    EXPECT_EQ(driver.ReturnCode(), 0);
    EXPECT_TRUE(driver.OutPut().endsWith(QLatin1String("\n[More...]")));
    EXPECT_EQ(driver.OutPut().size(), 324 + 10);
}

TEST_F(UnZipTest, UnsafeNamesAreRefusedAndNothingLeavesTheTarget)
{
    const QString archive = craftZip(QStringLiteral("evil.zip"),
        {{"../escaped.txt", "up"}, {"/tmp/absolute-duopane.txt", "abs"}, {"a/../../escaped2.txt", "up"},
            {"ok.txt", "fine"}});
    QDir().mkpath(path(QStringLiteral("box/out")));
    driver.setCommandLine(QStringLiteral("-x -i --j -o ") + archive + QLatin1Char(' ') + path(QStringLiteral("box/out/"))
        + QStringLiteral(" *.*"));
    EXPECT_EQ(driver.ReturnCode(), 0x800D);
    EXPECT_EQ(filesBelow(path(QStringLiteral("box"))), QStringList {QStringLiteral("out/ok.txt")});
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/absolute-duopane.txt")));
}

TEST_F(UnZipTest, LinksLeadingOutAreRefused)
{
    writeFile(QStringLiteral("outside/secret.txt"), "secret");
    QDir().mkpath(path(QStringLiteral("links")));
    ASSERT_TRUE(QFile::link(QStringLiteral("../outside"), path(QStringLiteral("links/up"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("/etc"), path(QStringLiteral("links/etc"))));
    writeFile(QStringLiteral("links/inside.txt"), "in");
    ASSERT_TRUE(QFile::link(QStringLiteral("inside.txt"), path(QStringLiteral("links/good"))));
    run(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("--symlinks"), QStringLiteral("../links.zip"),
                                   QStringLiteral("up"), QStringLiteral("etc"), QStringLiteral("good"),
                                   QStringLiteral("inside.txt")},
        path(QStringLiteral("links")));
    driver.setCommandLine(QStringLiteral("-x -i --j -o ") + path(QStringLiteral("links.zip")) + QLatin1Char(' ')
        + path(QStringLiteral("out/")) + QStringLiteral(" *.*"));
    EXPECT_EQ(driver.ReturnCode(), 0x800D);
    EXPECT_FALSE(QFileInfo(path(QStringLiteral("out/up"))).isSymLink());
    EXPECT_FALSE(QFileInfo(path(QStringLiteral("out/etc"))).isSymLink());
    EXPECT_EQ(QFileInfo(path(QStringLiteral("out/good"))).symLinkTarget(), path(QStringLiteral("out/inside.txt")));
}

TEST_F(UnZipTest, EncryptedMemberNeedsTheRightPassword)
{
    writeFile(QStringLiteral("src/secret.txt"), "the treasure is buried here");
    run(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("-P"), QStringLiteral("right"),
                                   QStringLiteral("../locked.zip"), QStringLiteral("secret.txt")},
        path(QStringLiteral("src")));
    const QString command = QStringLiteral("-x -i --j -o ") + path(QStringLiteral("locked.zip")) + QLatin1Char(' ')
        + path(QStringLiteral("out/")) + QStringLiteral(" *.*");
    prompt().expect(QuestionKind::InputBox, QStringLiteral("secret.txt"), 1, QStringLiteral("wrong"));
    prompt().expect(QuestionKind::InputBox, QStringLiteral("not correct"), 2);
    driver.setCommandLine(command);
    EXPECT_EQ(driver.ReturnCode(), 0x8007);
    EXPECT_FALSE(exists(QStringLiteral("out/secret.txt")));
    EXPECT_TRUE(prompt().allAnswered());

    prompt().expect(QuestionKind::InputBox, QStringLiteral("secret.txt"), 1, QStringLiteral("right"));
    driver.setCommandLine(command);
    EXPECT_EQ(driver.ReturnCode(), 0) << qPrintable(driver.ErrString());
    EXPECT_EQ(readFile(QStringLiteral("out/secret.txt")), QByteArray("the treasure is buried here"));
    EXPECT_TRUE(prompt().allAnswered());
}

TEST_F(UnZipTest, MemberLargerThanTheFreeSpaceIsNotExtracted)
{
    QString reason;
    if (!mountTmpfs(QStringLiteral("small"), QStringLiteral("4m"), &reason))
        GTEST_SKIP() << qPrintable(reason);
    writeFile(QStringLiteral("src/big.bin"), QByteArray(8 * 1024 * 1024, 'z'));
    writeFile(QStringLiteral("src/small.txt"), "small");
    run(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("../big.zip"), QStringLiteral("big.bin"),
                                   QStringLiteral("small.txt")},
        path(QStringLiteral("src")));
    driver.setCommandLine(QStringLiteral("-x -i --j -o ") + path(QStringLiteral("big.zip")) + QLatin1Char(' ')
        + path(QStringLiteral("small/")) + QStringLiteral(" *.*"));
    EXPECT_EQ(driver.ReturnCode(), 0x8005);
    EXPECT_EQ(driver.ErrString(), QStringLiteral("Not enough disk space to extract file"));
    EXPECT_FALSE(exists(QStringLiteral("small/big.bin")));
}

} // namespace

namespace {

TEST_F(UnZipTest, DamagedMemberDataIsACrcErrorAndLeavesNoFile)
{
    writeFile(QStringLiteral("src/plain.txt"), QByteArray("0123456789abcdef").repeated(64));
    run(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("-0"), QStringLiteral("../plain.zip"),
                                   QStringLiteral("plain.txt")},
        path(QStringLiteral("src")));
    QFile file(path(QStringLiteral("plain.zip")));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray data = file.readAll();
    const qsizetype at = data.indexOf("0123456789abcdef") + 100;
    data[at] = char(data[at] ^ 0x55);
    file.seek(0);
    file.write(data);
    file.close();
    driver.setCommandLine(QStringLiteral("-x -i --j -o ") + path(QStringLiteral("plain.zip")) + QLatin1Char(' ')
        + path(QStringLiteral("out/")) + QStringLiteral(" *.*"));
    EXPECT_EQ(driver.ReturnCode(), 0x800C);
    EXPECT_EQ(driver.ErrString(), QStringLiteral("Archive file CRC error"));
    EXPECT_FALSE(exists(QStringLiteral("out/plain.txt")));
}

} // namespace
