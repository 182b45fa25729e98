// The unpacker drivers over archives made by the standard tools (RAR by the test's writer):
// listings, extraction of everything, of a list file and of a pattern, and hostile archives.
#include "archiver/cUnARJ.h"
#include "archiver/cUnCab.h"
#include "archiver/cUnRAR.h"
#include "archiver/cUnTar.h"

#include "tests/archiver/ArchiveFixture.h"
#include "tests/archiver/RarWriter.h"

#include <QDir>
#include <QFile>

#include <functional>
#include <memory>

using namespace duopane::test;

namespace {

struct Kind {
    const char* name;
    std::function<std::unique_ptr<cArchiverDriver>()> driver;
    const char* withFolders;     // the extraction command with folder names
    const char* withoutFolders;  // and without them
    const char* yesToAll;
    // Shell command run in the source folder; $A is the archive path. Empty: a RAR from the writer.
    const char* make;
    bool keepsFolders = true;    // listing has folder entries
};

std::unique_ptr<cArchiverDriver> tar() { return std::make_unique<cUnTar>(); }
std::unique_ptr<cArchiverDriver> rar() { return std::make_unique<cUnRAR>(); }
std::unique_ptr<cArchiverDriver> cab() { return std::make_unique<cUnCab>(); }
std::unique_ptr<cArchiverDriver> arj() { return std::make_unique<cUnARJ>(); }

const Kind kinds[] = {
    {"tar", tar, " xvfo", " xvfo", "", "tar -cf \"$A\" readme.txt docs empty.dat"},
    {"tgz", tar, " xvfo", " xvfo", "", "tar -czf \"$A\" readme.txt docs empty.dat"},
    {"tbz", tar, " xvfo", " xvfo", "", "tar -cjf \"$A\" readme.txt docs empty.dat"},
    {"tarZ", tar, " xvfo", " xvfo", "", "tar -cf - readme.txt docs empty.dat | compress -c > \"$A\""},
    {"rar", rar, " -x -u ", " -e -u ", " -y", ""},
    {"cab", cab, " -x -v", " -x -v -j", " -o", "gcab -c \"$A\" readme.txt docs/a.txt docs/img/a.png empty.dat", false},
    {"arj", arj, " x -i- -y+ -!@", " e -i- -y+ -!@", " -y+", "arj a -r -y \"$A\" '*' > /dev/null", false},
};

const QStringList sampleFiles {"docs/a.txt", "docs/img/a.png", "empty.dat", "readme.txt"};

class KindTest : public ArchiveFixture, public ::testing::WithParamInterface<Kind> {
protected:
    QString makeArchive()
    {
        const Kind& k = GetParam();
        makeSampleTree(QStringLiteral("src"));
        const QString archive = path(QStringLiteral("sample.") + QLatin1String(k.name));
        if (QByteArray(k.make).isEmpty()) {
            QList<RarWriter::Member> members;
            members << RarWriter::Member {"docs", {}, 040755};
            members << RarWriter::Member {"docs/img", {}, 040755};
            for (const QString& f : sampleFiles)
                members << RarWriter::Member {f.toUtf8(), readFile(QStringLiteral("src/") + f)};
            writeFile(QStringLiteral("sample.rar"), RarWriter::archive(members));
        } else {
            QString script = QString::fromLatin1(k.make);
            script.replace(QLatin1String("$A"), archive);
            run(QStringLiteral("sh"), {QStringLiteral("-c"), script}, path(QStringLiteral("src")));
        }
        return archive;
    }
    std::unique_ptr<cArchiverDriver> driver = GetParam().driver();
};

TEST_P(KindTest, ListsTheMembers)
{
    const QString archive = makeArchive();
    ASSERT_TRUE(driver->CheckArchive(archive));
    const int count = driver->SetArcFile(archive);
    QStringList files;
    for (int i = 0; i < count; ++i) {
        if (driver->FileName(i).isEmpty())
            continue;
        QString name = driver->FilePath(i) == QLatin1String("\\") ? QString() : driver->FilePath(i);
        name += driver->FileName(i);
        files << name.replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QByteArray data = readFile(QStringLiteral("src/") + files.last());
        EXPECT_EQ(driver->FileOriginal(i), cArchiverDriver::GroupedSize(quint64(data.size()))) << qPrintable(name);
        if (QLatin1String(GetParam().name) != QLatin1String("cab") || files.last() != QLatin1String("empty.dat")) {
            EXPECT_EQ(driver->FileDate(i), QStringLiteral("04/03/07")) << qPrintable(name);
            EXPECT_EQ(driver->FILETIME(i), QStringLiteral("14:05:06")) << qPrintable(name);
        }
    }
    files.sort();
    EXPECT_EQ(files, sampleFiles);
    if (GetParam().keepsFolders) {
        EXPECT_EQ(count, 6);
    }
}

TEST_P(KindTest, ExtractsEverythingWithAndWithoutFolders)
{
    const QString archive = makeArchive();
    const Kind& k = GetParam();
    const QString suffix = QString::fromLatin1(k.yesToAll);
    driver->setCommandLine(QString::fromLatin1(k.withFolders) + suffix + QLatin1Char(' ') + archive + QLatin1Char(' ')
        + path(QStringLiteral("full/")) + QStringLiteral(" *.*"));
    ASSERT_EQ(driver->ReturnCode(), 0) << qPrintable(driver->ErrString());
    EXPECT_EQ(filesBelow(path(QStringLiteral("full"))), sampleFiles);
    for (const QString& f : sampleFiles)
        EXPECT_EQ(readFile(QStringLiteral("full/") + f), readFile(QStringLiteral("src/") + f)) << qPrintable(f);
    EXPECT_EQ(QFileInfo(path(QStringLiteral("full/docs/a.txt"))).lastModified(),
        QDateTime(QDate(2004, 3, 7), QTime(14, 5, 6)));
    if (QByteArray(k.withFolders) == k.withoutFolders)
        return;  // TAR always keeps folder names
    driver->setCommandLine(QString::fromLatin1(k.withoutFolders) + suffix + QLatin1Char(' ') + archive + QLatin1Char(' ')
        + path(QStringLiteral("flat/")) + QStringLiteral(" *.*"));
    ASSERT_EQ(driver->ReturnCode(), 0) << qPrintable(driver->ErrString());
    EXPECT_EQ(filesBelow(path(QStringLiteral("flat"))),
        (QStringList {"a.png", "a.txt", "empty.dat", "readme.txt"}));
}

TEST_P(KindTest, ExtractsAListFileAndAPattern)
{
    const QString archive = makeArchive();
    const Kind& k = GetParam();
    writeFile(QStringLiteral("DPX2.tmp"), "docs/img/*.*\r\n\"readme.txt\"\r\n");
    driver->setCommandLine(QString::fromLatin1(k.withFolders) + QLatin1Char(' ') + archive + QLatin1Char(' ')
        + path(QStringLiteral("listed/")) + QStringLiteral(" @") + path(QStringLiteral("DPX2.tmp")));
    ASSERT_EQ(driver->ReturnCode(), 0) << qPrintable(driver->ErrString());
    EXPECT_EQ(filesBelow(path(QStringLiteral("listed"))), (QStringList {"docs/img/a.png", "readme.txt"}));
    driver->setCommandLine(QString::fromLatin1(k.withFolders) + QLatin1Char(' ') + archive + QLatin1Char(' ')
        + path(QStringLiteral("pattern/")) + QStringLiteral(" *.TXT"));
    ASSERT_EQ(driver->ReturnCode(), 0) << qPrintable(driver->ErrString());
    EXPECT_EQ(filesBelow(path(QStringLiteral("pattern"))), (QStringList {"docs/a.txt", "readme.txt"}));
}

TEST_P(KindTest, UnknownCommandIsIllegalAndMissingArchiveCannotOpen)
{
    const QString archive = makeArchive();
    driver->setCommandLine(QStringLiteral("-Q ") + archive);
    EXPECT_EQ(driver->ReturnCode(), 0x801C);
    EXPECT_EQ(driver->ErrString(), QStringLiteral("Illegal command"));
    driver->setCommandLine(QString::fromLatin1(GetParam().withFolders) + QLatin1Char(' ')
        + path(QStringLiteral("none.bin")) + QLatin1Char(' ') + path(QStringLiteral("out/")) + QStringLiteral(" *.*"));
    EXPECT_EQ(driver->ReturnCode(), 0x8018);
    EXPECT_FALSE(driver->CheckArchive(path(QStringLiteral("none.bin"))));
}

TEST_P(KindTest, MemberLargerThanTheFreeSpaceIsNotExtracted)
{
    QString reason;
    if (!mountTmpfs(QStringLiteral("small"), QStringLiteral("4m"), &reason))
        GTEST_SKIP() << qPrintable(reason);
    const Kind& k = GetParam();
    writeFile(QStringLiteral("src/readme.txt"), QByteArray(6 * 1024 * 1024, 'r'));
    writeFile(QStringLiteral("src/docs/a.txt"), "a");
    writeFile(QStringLiteral("src/docs/img/a.png"), "p");
    writeFile(QStringLiteral("src/empty.dat"), "");
    const QString archive = path(QStringLiteral("big.") + QLatin1String(k.name));
    if (QByteArray(k.make).isEmpty()) {
        writeFile(QStringLiteral("big.rar"), RarWriter::archive({{"readme.txt", readFile(QStringLiteral("src/readme.txt"))}}));
    } else {
        QString script = QString::fromLatin1(k.make);
        run(QStringLiteral("sh"), {QStringLiteral("-c"), script.replace(QLatin1String("$A"), archive)},
            path(QStringLiteral("src")));
    }
    driver->setCommandLine(QString::fromLatin1(k.withFolders) + QString::fromLatin1(k.yesToAll) + QLatin1Char(' ')
        + archive + QLatin1Char(' ') + path(QStringLiteral("small/")) + QStringLiteral(" *.*"));
    EXPECT_EQ(driver->ReturnCode(), 0x8005);
    EXPECT_EQ(driver->ErrString(), QStringLiteral("Not enough disk space to extract file"));
    EXPECT_FALSE(exists(QStringLiteral("small/readme.txt")));
}

INSTANTIATE_TEST_SUITE_P(Kinds, KindTest, ::testing::ValuesIn(kinds),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

namespace {

class SingleFileTest : public ArchiveFixture, public ::testing::WithParamInterface<const char*> {};

// A compressed single file lists as one member named after the file without its extension.
TEST_P(SingleFileTest, ListsAndExtractsTheOneMember)
{
    const QByteArray text = QByteArray("single file content\n").repeated(50);
    writeFile(QStringLiteral("readme.txt"), text);
    const QString archive = path(QStringLiteral("readme.txt.") + QLatin1String(GetParam()));
    const QString tool = QLatin1String(GetParam()) == QLatin1String("gz") ? QStringLiteral("gzip")
        : QLatin1String(GetParam()) == QLatin1String("bz2")               ? QStringLiteral("bzip2")
                                                                          : QStringLiteral("compress");
    run(QStringLiteral("sh"), {QStringLiteral("-c"), tool + QStringLiteral(" -c readme.txt > \"") + archive + QLatin1Char('"')});
    cUnTar tar;
    ASSERT_EQ(tar.SetArcFile(archive), 1);
    EXPECT_EQ(tar.FileName(0), QStringLiteral("readme.txt"));
    EXPECT_EQ(tar.FileOriginal(0), cArchiverDriver::GroupedSize(quint64(text.size())));
    tar.setCommandLine(QStringLiteral(" xvfo ") + archive + QLatin1Char(' ') + path(QStringLiteral("out/")) + QStringLiteral(" *.*"));
    ASSERT_EQ(tar.ReturnCode(), 0) << qPrintable(tar.ErrString());
    EXPECT_EQ(readFile(QStringLiteral("out/readme.txt")), text);
}

INSTANTIATE_TEST_SUITE_P(Compressors, SingleFileTest, ::testing::Values("gz", "bz2", "Z"));

} // namespace
