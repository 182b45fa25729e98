// The ACE driver over UnAce, with archives from a small stored-method ACE writer (no free tool
// creates ACE); unace unpacks the members.
#include "archiver/cUnAce.h"
#include "platform/prompt/SystemMessageBox.h"

#include "platform/archivers/kit/ByteOrder.h"
#include "tests/archiver/ArchiveFixture.h"
#include "tests/support/ScriptedPrompt.h"

#include <QDir>

using namespace duopane::test;

namespace {

using arckit::put16;
using arckit::put32;

QByteArray block(const QByteArray& body)
{
    QByteArray out;
    put16(out, quint16(~ArchiveFixture::crc32(body) & 0xFFFF));
    put16(out, quint16(body.size()));
    return out + body;
}

// 2004-03-07 17:30:08 as a DOS date and time.
constexpr quint32 stamp = (quint32((24 << 9) | (3 << 5) | 7) << 16) | quint32((17 << 11) | (30 << 5) | 4);

QByteArray aceArchive(const QList<QPair<QByteArray, QByteArray>>& members)
{
    QByteArray main;
    main += char(0);
    put16(main, 0);
    main += "**ACE**";
    main += char(10);
    main += char(10);
    main += char(0);
    main += char(0);
    put32(main, stamp);
    main += QByteArray(8, '\0');
    main += char(0);
    QByteArray out = block(main);
    for (const auto& [name, data] : members) {
        QByteArray h;
        h += char(1);
        put16(h, 0x0001);
        put32(h, quint32(data.size()));
        put32(h, quint32(data.size()));
        put32(h, stamp);
        put32(h, 0x20);
        put32(h, ~ArchiveFixture::crc32(data));
        put32(h, 0);  // stored
        put16(h, 0);
        put16(h, quint16(name.size()));
        h += name;
        out += block(h) + data;
    }
    return out;
}

class UnAceTest : public ArchiveFixture {
protected:
    void SetUp() override
    {
        ArchiveFixture::SetUp();
        if (!have(QStringLiteral("unace")))
            GTEST_SKIP() << "unace is not installed";
        writeFile(QStringLiteral("sample.ace"),
            aceArchive({{"readme.txt", "read me"}, {"docs\\a.txt", "alpha"}, {"docs\\sub\\B.Txt", "bravo"},
                {"a.txt.bak", "old"}}));
    }
    cUnAce driver;
};

TEST_F(UnAceTest, ListsMembersWithTheirOwnDateAndTime)
{
    const QString archive = path(QStringLiteral("sample.ace"));
    ASSERT_TRUE(driver.CheckArchive(archive));
    ASSERT_EQ(driver.SetArcFile(archive), 4);
    EXPECT_EQ(driver.FilePath(1), QStringLiteral("docs\\"));
    EXPECT_EQ(driver.FileName(1), QStringLiteral("a.txt"));
    EXPECT_EQ(driver.FilePath(0), QStringLiteral("\\"));
    EXPECT_EQ(driver.FileDate(0), QStringLiteral("04/03/07"));
    EXPECT_EQ(driver.FILETIME(0), QStringLiteral("17:30:08"));
    EXPECT_EQ(driver.FileType(0), QStringLiteral("STORED"));
    EXPECT_EQ(driver.FileOriginal(0), QStringLiteral("7"));
    EXPECT_EQ(driver.FileRatio(0), QStringLiteral("0.0%"));
    EXPECT_EQ(driver.FileAttr(0), QStringLiteral("32"));
    EXPECT_EQ(driver.FileCRC(0), (QStringLiteral("0000") + QString::number(~crc32("read me"), 16).toUpper()).right(4));
}

TEST_F(UnAceTest, PatternChoosesByEnding)
{
    const int count = driver.ACEExtract(path(QStringLiteral("sample.ace")), path(QStringLiteral("out")),
        QStringLiteral("*.TXT"), true);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(filesBelow(path(QStringLiteral("out"))), (QStringList {"docs/a.txt", "docs/sub/B.Txt", "readme.txt"}));
    EXPECT_EQ(readFile(QStringLiteral("out/docs/sub/B.Txt")), QByteArray("bravo"));
}

TEST_F(UnAceTest, ListFileChoosesFoldersAndNamesWithOrWithoutFolders)
{
    writeFile(QStringLiteral("DPX6.tmp"), "docs/*.*\r\n");
    const QString list = QStringLiteral("@") + path(QStringLiteral("DPX6.tmp"));
    EXPECT_EQ(driver.ACEExtract(path(QStringLiteral("sample.ace")), path(QStringLiteral("full/")), list, true), 2);
    EXPECT_EQ(filesBelow(path(QStringLiteral("full"))), (QStringList {"docs/a.txt", "docs/sub/B.Txt"}));
    EXPECT_EQ(driver.ACEExtract(path(QStringLiteral("sample.ace")), path(QStringLiteral("flat/")), list, false), 2);
    EXPECT_EQ(filesBelow(path(QStringLiteral("flat"))), (QStringList {"B.Txt", "a.txt"}));
}

TEST_F(UnAceTest, UnsafeNamesAreRefused)
{
    writeFile(QStringLiteral("evil.ace"), aceArchive({{"ok.txt", "fine"}, {"..\\..\\escaped.txt", "pwned"}}));
    prompt().expect(platform::QuestionKind::SystemMessageBox, QStringLiteral("escaped.txt"), platform::IDOK);
    QDir().mkpath(path(QStringLiteral("box/in")));
    const int count = driver.ACEExtract(path(QStringLiteral("evil.ace")), path(QStringLiteral("box/in/target")),
        QStringLiteral("*.*"), true);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(filesBelow(path(QStringLiteral("box"))), QStringList {QStringLiteral("in/target/ok.txt")});
    EXPECT_TRUE(prompt().allAnswered());
}

TEST_F(UnAceTest, DamagedArchiveWarns)
{
    writeFile(QStringLiteral("bad.ace"), "not an ace archive at all");
    EXPECT_FALSE(driver.CheckArchive(path(QStringLiteral("bad.ace"))));
    prompt().expect(platform::QuestionKind::SystemMessageBox, QStringLiteral("(corrupted archive) !"), platform::IDOK);
    EXPECT_EQ(driver.SetArcFile(path(QStringLiteral("bad.ace"))), 0);
    EXPECT_EQ(prompt().asked().value(0).title, QStringLiteral("ACE Message"));
}

} // namespace
