#include "common/mmFileFind.h"

#include "platform/core/FileName.h"
#include "tests/common/Printers.h"
#include "tests/common/TestFiles.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace mmFileFind;
using duopane::test::freshFolder;

namespace {

void makeFile(const QString& path, qint64 size = 3, qint64 modified = 0)
{
    const QByteArray name = platform::EncodeFileName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << path.toStdString();
    ASSERT_EQ(::ftruncate(fd, size), 0);
    ::close(fd);
    if (modified) {
        const timespec times[2] = {{modified, 0}, {modified, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, name.constData(), times, 0), 0);
    }
}

// base/ a.txt b.dat .hidden.txt file-link.txt -> a.txt, sub1/ c.txt deep/ d.txt,
// "with space"/ f.txt, .svn/ e.txt, loop -> the base itself.
QString makeTree()
{
    const QString base = freshFolder("tree");
    for (const char* folder : {"sub1/deep", "with space", ".svn"})
        QDir().mkpath(base + folder);
    makeFile(base + "a.txt", 10);
    makeFile(base + "b.dat", 20);
    makeFile(base + ".hidden.txt", 30);
    makeFile(base + "sub1/c.txt", 40);
    makeFile(base + "sub1/deep/d.txt", 50);
    makeFile(base + "with space/f.txt", 60);
    makeFile(base + ".svn/e.txt", 70);
    ::symlink("a.txt", (base + "file-link.txt").toUtf8().constData());
    ::symlink(".", (base + "loop").toUtf8().constData());
    return base;
}

QStringList paths(const FileRecordList& records)
{
    QStringList out;
    for (const FileRecord& r : records)
        out << r.RelFolder + r.Name;
    return out;
}

} // namespace

TEST(mmFileFind, PatternsAndRecursion)
{
    const QString base = makeTree();
    struct Case {
        QString pattern;
        bool recurse;
        QStringList expected;
    };
    const Case cases[] = {
        {"*.txt", true, {".hidden.txt", "a.txt", "file-link.txt", "sub1/c.txt", "sub1/deep/d.txt", "with space/f.txt"}},
        {"*.*", true, {".hidden.txt", "a.txt", "b.dat", "file-link.txt", "sub1/c.txt", "sub1/deep/d.txt", "with space/f.txt"}},
        {"*", false, {".hidden.txt", "a.txt", "b.dat", "file-link.txt"}},
        {"A.TXT", true, {"a.txt"}},
        {"?.*", true, {"a.txt", "b.dat", "sub1/c.txt", "sub1/deep/d.txt", "with space/f.txt"}},
        {"*.dat", false, {"b.dat"}},
        {"nothing*", true, {}},
    };
    for (const Case& c : cases) {
        FileRecordList records;
        const bool keepGoing = true;
        CollectFiles(base, c.pattern, records, c.recurse, base, keepGoing);
        QStringList found = paths(records);
        found.sort();
        EXPECT_EQ(found, c.expected) << c.pattern.toStdString() << " " << c.recurse;
    }
}

TEST(mmFileFind, DepthFirstWithFolderFilesFirst)
{
    const QString base = makeTree();
    FileRecordList records;
    const bool keepGoing = true;
    CollectFiles(base, "*.*", records, true, base, keepGoing);
    // Each folder's records form one run, and a folder's run comes before its subfolders' runs.
    QStringList runs;
    for (const FileRecord& r : records) {
        if (runs.isEmpty() || runs.last() != r.RelFolder) {
            EXPECT_FALSE(runs.contains(r.RelFolder)) << r.RelFolder.toStdString();
            runs << r.RelFolder;
        }
    }
    EXPECT_EQ(runs.value(0), "");
    EXPECT_LT(runs.indexOf("sub1/"), runs.indexOf("sub1/deep/"));
    EXPECT_EQ(records.count(), 7);
}

TEST(mmFileFind, RecordFields)
{
    const QString base = freshFolder("fields");
    QDir().mkpath(base + "in here");
    const qint64 when = 1700000000; // 2023-11-14 22:13:20 UTC
    makeFile(base + "in here/big.bin", 5'000'000'000LL, when);
    const QString oddName = platform::DecodeFileName("caf\xE9 \n.txt");
    makeFile(base + "in here/" + oddName, 1, when);
    FileRecordList records;
    const bool keepGoing = true;
    CollectFiles(base, "*", records, true, base, keepGoing);
    ASSERT_EQ(records.count(), 2);
    QSet<QString> names;
    for (const FileRecord& r : records) {
        EXPECT_EQ(r.RelFolder, "in here/");
        EXPECT_EQ(r.Modified, QDateTime::fromSecsSinceEpoch(when, Qt::LocalTime));
        EXPECT_EQ(r.Modified.timeSpec(), Qt::LocalTime);
        EXPECT_EQ(r.Size, r.Name == "big.bin" ? 5'000'000'000ULL : 1ULL);
        names << r.Name;
    }
    EXPECT_TRUE(names.contains(oddName));
    EXPECT_EQ(platform::EncodeFileName(base + "in here/" + oddName), (base + "in here/").toUtf8() + "caf\xE9 \n.txt");
    EXPECT_EQ(FileTimeToDate(when, false), QDateTime(QDate(2023, 11, 14), QTime(22, 13, 20), Qt::UTC));
    ::unlink(platform::EncodeFileName(base + "in here/" + oddName).constData()); // Qt's cleanup cannot see it
}

TEST(mmFileFind, StatusAndStopFlag)
{
    const QString base = freshFolder("stop");
    for (const char* folder : {"s1", "s2", "s3", "s4"}) {
        QDir().mkpath(base + folder);
        makeFile(base + folder + "/x.txt");
    }
    makeFile(base + "top.txt");
    FileRecordList records;
    bool keepGoing = true;
    QStringList shown;
    CollectFiles(base, "*.txt", records, true, base, keepGoing, [&](const QString& text) {
        shown << text;
        if (shown.size() == 4) // the base, then the first, second and third subfolder
            keepGoing = false;
    });
    ASSERT_EQ(shown.size(), 5);  // the fourth subfolder still shows its status, then returns
    EXPECT_EQ(shown.value(0), "Searching " + base);
    QStringList done{""};
    for (int i = 1; i < 3; ++i)
        done << shown.value(i).mid(QString("Searching ").size() + base.size());
    EXPECT_EQ(records.count(), 3);
    for (const FileRecord& r : records)
        EXPECT_TRUE(done.contains(r.RelFolder)) << r.RelFolder.toStdString();

    FileRecordList none;
    const bool stopped = false;
    CollectFiles(base, "*", none, true, base, stopped);
    CollectFolderFiles(base, "*", none, base, stopped);
    EXPECT_EQ(none.count(), 0);
}

TEST(mmFileFind, QuotedStatusForFoldersWithBlanks)
{
    const QString base = freshFolder("status with blank");
    QStringList shown;
    FileRecordList records;
    const bool keepGoing = true;
    CollectFiles(base, "*", records, false, base, keepGoing, [&](const QString& text) { shown << text; });
    EXPECT_EQ(shown, QStringList{"Searching \"" + base + "\""});
}

TEST(mmFileFind, ListGrowsByThousands)
{
    const QString base = freshFolder("many");
    for (int i = 0; i < 2500; ++i)
        makeFile(base + QString("f%1.txt").arg(i), 0);
    FileRecordList records;
    const bool keepGoing = true;
    CollectFolderFiles(base, "*.txt", records, base, keepGoing);
    EXPECT_EQ(records.count(), 2500);
    EXPECT_EQ(records.capacity(), 3000);
    records.clear();
    EXPECT_EQ(records.count(), 0);
    EXPECT_EQ(records.capacity(), 0);
}

TEST(mmFileFind, FolderTotals)
{
    const QString base = makeTree();
    makeFile(base + "sub1/huge.bin", 5'000'000'001LL);
    struct Case {
        bool recurse;
        qint64 count;
        quint64 size;
    };
    // Links count as the file they lead to; dot folders and links to folders are passed over.
    const Case cases[] = {
        {false, 4, 10 + 20 + 30 + 10},
        {true, 4 + 3 + 1, 10 + 20 + 30 + 10 + 40 + 5'000'000'001ULL + 50 + 60},
    };
    for (const Case& c : cases) {
        qint64 count = 1;        // totals are added to what the caller holds
        quint64 size = 100;
        CountFolderTotals(base, "unused", count, size, c.recurse);
        EXPECT_EQ(count, 1 + c.count) << c.recurse;
        EXPECT_EQ(size, 100 + c.size) << c.recurse;
    }
    qint64 count = 0;
    quint64 size = 0;
    CountFolderTotals(base + "missing/", "*", count, size, true);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(size, 0u);
}

TEST(mmFileFind, MissingFolderContributesNothing)
{
    FileRecordList records;
    const bool keepGoing = true;
    CollectFiles(duopane::test::testRoot() + "/no such folder/", "*", records, true, "", keepGoing);
    EXPECT_EQ(records.count(), 0);
}
