// The zip library through its three calls and four callbacks, checked with unzip and bsdtar.
#include "platform/archive/ArchiverLibrary.h"
#include "platform/archivers/ArchiverApi.h"

#include "tests/archiver/ArchiveFixture.h"

#include <QDir>

#include <cstring>
#include <memory>

using namespace duopane::test;

namespace {

struct Calls {
    QStringList printed;
    QStringList serviced;
    QByteArray password = "right";
    QByteArray comment;
    int cancelAfter = -1;  // service answers "stop" after this many calls
};
Calls calls;

int onPrint(char* text, unsigned long size)
{
    calls.printed << QString::fromUtf8(text, int(qstrnlen(text, size)));
    return 0;
}
int onComment(char* buffer)
{
    std::strcpy(buffer, calls.comment.constData());
    return 1;
}
int onPassword(char* buffer, int size, const char*, const char*)
{
    if (calls.password.isEmpty())
        return 1;
    qstrncpy(buffer, calls.password.constData(), size_t(size));
    return 0;
}
int onService(const char* name, unsigned long)
{
    calls.serviced << QString::fromUtf8(name);
    return calls.cancelAfter >= 0 && calls.serviced.size() > calls.cancelAfter ? 1 : 0;
}

class InfoZipTest : public ArchiveFixture {
protected:
    void SetUp() override
    {
        ArchiveFixture::SetUp();
        calls = Calls {};
        ASSERT_TRUE(library.isLoaded());
        makeSampleTree(QStringLiteral("src"));
        writeFile(QStringLiteral("src/.hidden"), "dot file");
        options.level = '6';
        options.recurse = 1;
    }
    // Runs ZpArchive with the given names (relative to src).
    int pack(const QString& archive, const QStringList& names)
    {
        auto init = reinterpret_cast<ZpInitFn>(library.symbol("ZpInit"));
        auto set = reinterpret_cast<ZpSetOptionsFn>(library.symbol("ZpSetOptions"));
        auto zip = reinterpret_cast<ZpArchiveFn>(library.symbol("ZpArchive"));
        const ZpUserFunctions functions {onPrint, onComment, onPassword, onService};
        const QByteArray root = QFile::encodeName(path(QStringLiteral("src")));
        options.rootFolder = root.constData();
        init(&functions);
        set(&options);
        auto record = std::make_unique<ZpNames>();
        QList<QByteArray> keep;
        for (const QString& n : names)
            keep << n.toUtf8();
        for (int i = 0; i < keep.size(); ++i)
            record->name[i + 1] = keep[i].constData();
        record->name[0] = keep.value(0).constData();
        return zip(int(keep.size()) + 1, QFile::encodeName(path(archive)).constData(), record.get());
    }
    QStringList members(const QString& archive)
    {
        QByteArray out;
        run(QStringLiteral("unzip"), {QStringLiteral("-Z1"), path(archive)}, {}, &out);
        QStringList names = QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        names.sort();
        return names;
    }
    int testWithUnzip(const QString& archive)
    {
        QByteArray out;
        return run(QStringLiteral("unzip"), {QStringLiteral("-tq"), path(archive)}, {}, &out);
    }
    platform::ArchiverLibrary library {QStringLiteral("InfoZip32.dll")};
    ZpOptions options {};
};

TEST_F(InfoZipTest, AddsFoldersRecursivelyAndUnzipAcceptsTheArchive)
{
    EXPECT_EQ(pack(QStringLiteral("new.zip"), {QStringLiteral("docs\\*.*"), QStringLiteral("readme.txt")}), 0);
    EXPECT_EQ(testWithUnzip(QStringLiteral("new.zip")), 0);
    EXPECT_EQ(members(QStringLiteral("new.zip")),
        (QStringList {"docs/", "docs/a.txt", "docs/img/", "docs/img/a.png", "readme.txt"}));
    EXPECT_TRUE(calls.printed.contains(QStringLiteral("  adding: docs/a.txt")));
    EXPECT_TRUE(calls.serviced.contains(QStringLiteral("readme.txt")));
    run(QStringLiteral("unzip"), {QStringLiteral("-q"), path(QStringLiteral("new.zip")), QStringLiteral("-d"), path(QStringLiteral("check"))});
    EXPECT_EQ(readFile(QStringLiteral("check/docs/a.txt")), readFile(QStringLiteral("src/docs/a.txt")));
    EXPECT_EQ(QFileInfo(path(QStringLiteral("check/docs/a.txt"))).lastModified(),
        QDateTime(QDate(2004, 3, 7), QTime(14, 5, 6)));
}

TEST_F(InfoZipTest, WithoutRecurseOnlyTheFolderItselfIsTaken)
{
    options.recurse = 0;
    EXPECT_EQ(pack(QStringLiteral("flat.zip"), {QStringLiteral("docs\\*.*")}), 0);
    EXPECT_EQ(members(QStringLiteral("flat.zip")), QStringList {QStringLiteral("docs/a.txt")});
}

TEST_F(InfoZipTest, HiddenFilesOnlyWhenAsked)
{
    EXPECT_EQ(pack(QStringLiteral("plain.zip"), {QStringLiteral("*.*")}), 0);
    EXPECT_FALSE(members(QStringLiteral("plain.zip")).contains(QStringLiteral(".hidden")));
    options.systemAndHidden = 1;
    EXPECT_EQ(pack(QStringLiteral("all.zip"), {QStringLiteral("*.*")}), 0);
    EXPECT_TRUE(members(QStringLiteral("all.zip")).contains(QStringLiteral(".hidden")));
}

TEST_F(InfoZipTest, LevelZeroStoresAndNineDeflates)
{
    options.level = '0';
    ASSERT_EQ(pack(QStringLiteral("stored.zip"), {QStringLiteral("docs\\a.txt")}), 0);
    options.level = '9';
    ASSERT_EQ(pack(QStringLiteral("packed.zip"), {QStringLiteral("docs\\a.txt")}), 0);
    QByteArray stored, packed;
    run(QStringLiteral("unzip"), {QStringLiteral("-v"), path(QStringLiteral("stored.zip"))}, {}, &stored);
    run(QStringLiteral("unzip"), {QStringLiteral("-v"), path(QStringLiteral("packed.zip"))}, {}, &packed);
    EXPECT_TRUE(stored.contains("Stored")) << stored.constData();
    EXPECT_TRUE(packed.contains("Defl:X")) << packed.constData();
}

TEST_F(InfoZipTest, UpdateFreshenMoveAndDelete)
{
    ASSERT_EQ(pack(QStringLiteral("a.zip"), {QStringLiteral("readme.txt")}), 0);
    // Freshen replaces only members already there, and only with newer files.
    writeFile(QStringLiteral("src/readme.txt"), "newer text", QDateTime(QDate(2010, 1, 1), QTime(10, 0)));
    options.freshen = 1;
    ASSERT_EQ(pack(QStringLiteral("a.zip"), {QStringLiteral("readme.txt"), QStringLiteral("empty.dat")}), 0);
    EXPECT_EQ(members(QStringLiteral("a.zip")), QStringList {QStringLiteral("readme.txt")});
    EXPECT_TRUE(calls.printed.contains(QStringLiteral("freshening: readme.txt")));
    // Update adds new members and skips up-to-date ones.
    options.freshen = 0;
    options.update = 1;
    calls.printed.clear();
    ASSERT_EQ(pack(QStringLiteral("a.zip"), {QStringLiteral("readme.txt"), QStringLiteral("empty.dat")}), 0);
    EXPECT_EQ(calls.printed, QStringList {QStringLiteral("  adding: empty.dat")});
    // Move removes the packed sources.
    options.update = 0;
    options.move = 1;
    ASSERT_EQ(pack(QStringLiteral("a.zip"), {QStringLiteral("docs\\img\\*.*")}), 0);
    EXPECT_FALSE(exists(QStringLiteral("src/docs/img/a.png")));
    EXPECT_TRUE(members(QStringLiteral("a.zip")).contains(QStringLiteral("docs/img/a.png")));
    // Delete takes members and folders by name.
    options.move = 0;
    options.deleteEntries = 1;
    ASSERT_EQ(pack(QStringLiteral("a.zip"), {QStringLiteral("empty.dat"), QStringLiteral("docs/*.*")}), 0);
    EXPECT_EQ(members(QStringLiteral("a.zip")), QStringList {QStringLiteral("readme.txt")});
    EXPECT_EQ(testWithUnzip(QStringLiteral("a.zip")), 0);
    EXPECT_EQ(pack(QStringLiteral("a.zip"), {QStringLiteral("nothing.here")}), 12);
    EXPECT_EQ(pack(QStringLiteral("missing.zip"), {QStringLiteral("readme.txt")}), 13);
}

TEST_F(InfoZipTest, PasswordFromTheCallbackEncrypts)
{
    options.encrypt = 1;
    ASSERT_EQ(pack(QStringLiteral("locked.zip"), {QStringLiteral("readme.txt")}), 0);
    QByteArray out;
    EXPECT_NE(run(QStringLiteral("bsdtar"), {QStringLiteral("-xf"), path(QStringLiteral("locked.zip")),
                  QStringLiteral("--passphrase"), QStringLiteral("wrong"), QStringLiteral("-C"), path(QStringLiteral("src/docs"))}, {}, &out), 0);
    QDir().mkpath(path(QStringLiteral("out")));
    EXPECT_EQ(run(QStringLiteral("bsdtar"), {QStringLiteral("-xf"), path(QStringLiteral("locked.zip")),
                  QStringLiteral("--passphrase"), QStringLiteral("right"), QStringLiteral("-C"), path(QStringLiteral("out"))}, {}, &out), 0)
        << out.constData();
    EXPECT_EQ(readFile(QStringLiteral("out/readme.txt")), readFile(QStringLiteral("src/readme.txt")));
    // Cancelling the password question packs nothing.
    calls.password.clear();
    EXPECT_EQ(pack(QStringLiteral("never.zip"), {QStringLiteral("readme.txt")}), 9);
    EXPECT_FALSE(exists(QStringLiteral("never.zip")));
}

TEST_F(InfoZipTest, CommentFromTheCallback)
{
    options.comment = 1;
    calls.comment = "packed for the test";
    ASSERT_EQ(pack(QStringLiteral("c.zip"), {QStringLiteral("readme.txt")}), 0);
    QByteArray out;
    run(QStringLiteral("unzip"), {QStringLiteral("-z"), path(QStringLiteral("c.zip"))}, {}, &out);
    EXPECT_TRUE(out.contains("packed for the test")) << out.constData();
}

TEST_F(InfoZipTest, ServiceCallbackCancelsAndLeavesTheOldArchive)
{
    ASSERT_EQ(pack(QStringLiteral("keep.zip"), {QStringLiteral("readme.txt")}), 0);
    const QByteArray before = readFile(QStringLiteral("keep.zip"));
    calls.cancelAfter = 1;
    EXPECT_EQ(pack(QStringLiteral("keep.zip"), {QStringLiteral("*.*"), QStringLiteral("docs\\*.*")}), 9);
    EXPECT_EQ(readFile(QStringLiteral("keep.zip")), before);
}

TEST_F(InfoZipTest, FullPathNamesKeepTheBaseFolder)
{
    const QString base = path(QStringLiteral("src"));
    ASSERT_EQ(pack(QStringLiteral("full.zip"), {base + QStringLiteral("/readme.txt")}), 0);
    QString expected = base + QStringLiteral("/readme.txt");
    expected.remove(0, 1);
    EXPECT_EQ(members(QStringLiteral("full.zip")), QStringList {expected});
}

} // namespace
