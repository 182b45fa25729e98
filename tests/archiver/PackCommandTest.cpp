// Packing through the LHA and CAB command lines; the standard tools read what we write.
#include "archiver/cUnCab.h"
#include "archiver/cUnLHA.h"

#include "tests/archiver/ArchiveFixture.h"

#include <QDir>

using namespace duopane::test;

namespace {

class PackTest : public ArchiveFixture {
protected:
    void SetUp() override
    {
        ArchiveFixture::SetUp();
        makeSampleTree(QStringLiteral("src"));
        writeFile(QStringLiteral("DPX3.tmp"), "docs\\\r\nreadme.txt\r\n\"empty.dat\"\r\n");
    }
    QString tail(const QString& archive)
    {
        return QLatin1Char(' ') + path(archive) + QLatin1Char(' ') + path(QStringLiteral("src/")) + QStringLiteral(" @")
            + path(QStringLiteral("DPX3.tmp"));
    }
    QStringList lines(const QByteArray& text, const QString& prefixToDrop = {})
    {
        QStringList out;
        for (QString line : QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (!prefixToDrop.isEmpty())
                line = line.section(QLatin1Char(' '), 0, 0);
            out << line.trimmed();
        }
        out.sort();
        return out;
    }
};

TEST_F(PackTest, CabinetIsReadByCabextractAndGcab)
{
    cUnCab cab;
    cab.setCommandLine(QStringLiteral("-a -mz -k -r") + tail(QStringLiteral("new.cab")));
    ASSERT_EQ(cab.ReturnCode(), 0) << qPrintable(cab.ErrString());
    QByteArray out;
    EXPECT_EQ(run(QStringLiteral("cabextract"), {QStringLiteral("-t"), path(QStringLiteral("new.cab"))}, {}, &out), 0) << out.constData();
    ASSERT_EQ(run(QStringLiteral("gcab"), {QStringLiteral("-l"), path(QStringLiteral("new.cab"))}, {}, &out), 0);
    EXPECT_EQ(lines(out, QStringLiteral(" ")),
        (QStringList {"docs\\a.txt", "docs\\img\\a.png", "empty.dat", "readme.txt"}));
    // And our own reader takes it back.
    EXPECT_EQ(cab.SetArcFile(path(QStringLiteral("new.cab"))), 4);
    cab.setCommandLine(QStringLiteral("-x -v -o ") + path(QStringLiteral("new.cab")) + QLatin1Char(' ')
        + path(QStringLiteral("out/")) + QStringLiteral(" *.*"));
    ASSERT_EQ(cab.ReturnCode(), 0);
    EXPECT_EQ(readFile(QStringLiteral("out/docs/img/a.png")), readFile(QStringLiteral("src/docs/img/a.png")));
}

TEST_F(PackTest, CabinetWithoutRecurseOrFolderNames)
{
    cUnCab cab;
    cab.setCommandLine(QStringLiteral("-a -mz") + tail(QStringLiteral("flat.cab")));
    ASSERT_EQ(cab.ReturnCode(), 0) << qPrintable(cab.ErrString());
    QByteArray out;
    ASSERT_EQ(run(QStringLiteral("gcab"), {QStringLiteral("-l"), path(QStringLiteral("flat.cab"))}, {}, &out), 0);
    EXPECT_EQ(lines(out, QStringLiteral(" ")), (QStringList {"a.txt", "empty.dat", "readme.txt"}));
}

TEST_F(PackTest, LhaArchiveIsReadByLhasa)
{
    // Text, random bytes and long runs: literals, matches, several blocks and a stored member.
    QByteArray mixed;
    quint32 seed = 12345;
    for (int i = 0; i < 300000; ++i) {
        seed = seed * 1103515245u + 12345u;
        mixed += (i / 5000) % 3 == 0 ? char(seed >> 24) : char("lorem ipsum dolor sit amet "[i % 27]);
    }
    writeFile(QStringLiteral("src/docs/mixed.bin"), mixed);
    QByteArray noise;
    for (int i = 0; i < 5000; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise += char(seed >> 24);
    }
    writeFile(QStringLiteral("src/noise.bin"), noise);
    writeFile(QStringLiteral("DPX3.tmp"), "docs\\\r\nreadme.txt\r\nnoise.bin\r\n\"empty.dat\"\r\n");
    cUnLHA lha;
    lha.setCommandLine(QStringLiteral("a -r2 -a1 -x1 ") + tail(QStringLiteral("new.lzh")));
    ASSERT_EQ(lha.ReturnCode(), 0) << qPrintable(lha.ErrString());
    QByteArray out;
    EXPECT_EQ(run(QStringLiteral("lhasa"), {QStringLiteral("t"), path(QStringLiteral("new.lzh"))}, {}, &out), 0) << out.constData();
    QDir().mkpath(path(QStringLiteral("byLhasa")));
    ASSERT_EQ(run(QStringLiteral("lhasa"), {QStringLiteral("xq"), path(QStringLiteral("new.lzh"))}, path(QStringLiteral("byLhasa")), &out), 0) << out.constData();
    EXPECT_EQ(filesBelow(path(QStringLiteral("byLhasa"))),
        (QStringList {"docs/a.txt", "docs/img/a.png", "docs/mixed.bin", "empty.dat", "noise.bin", "readme.txt"}));
    for (const QString& f : filesBelow(path(QStringLiteral("byLhasa"))))
        EXPECT_EQ(readFile(QStringLiteral("byLhasa/") + f), readFile(QStringLiteral("src/") + f)) << qPrintable(f);
    EXPECT_EQ(QFileInfo(path(QStringLiteral("byLhasa/docs/a.txt"))).lastModified(), QDateTime(QDate(2004, 3, 7), QTime(14, 5, 6)));

    const int count = lha.SetArcFile(path(QStringLiteral("new.lzh")));
    EXPECT_EQ(count, 8);  // six files and two folders
    for (int i = 0; i < count; ++i) {
        if (lha.FileName(i) == QLatin1String("a.txt")) {
            EXPECT_EQ(lha.FileType(i), QStringLiteral("-lh5-"));
            EXPECT_EQ(lha.FilePath(i), QStringLiteral("docs\\"));
            EXPECT_EQ(lha.FileDate(i), QStringLiteral("04/03/07"));
        }
        if (lha.FileName(i) == QLatin1String("noise.bin")) {
            EXPECT_EQ(lha.FileType(i), QStringLiteral("-lh0-"));
        }
    }
}

TEST_F(PackTest, LhaUpdateFreshenAndDelete)
{
    cUnLHA lha;
    lha.setCommandLine(QStringLiteral("a -r2 -a1 -x1 ") + tail(QStringLiteral("u.lzh")));
    ASSERT_EQ(lha.ReturnCode(), 0);
    writeFile(QStringLiteral("src/readme.txt"), "changed", QDateTime(QDate(2011, 5, 5), QTime(5, 5, 6)));
    writeFile(QStringLiteral("src/new.txt"), "new");
    writeFile(QStringLiteral("DPX4.tmp"), "readme.txt\r\nnew.txt\r\n");
    const QString list = QStringLiteral(" @") + path(QStringLiteral("DPX4.tmp"));
    lha.setCommandLine(QStringLiteral("f -x1 ") + path(QStringLiteral("u.lzh")) + QLatin1Char(' ') + path(QStringLiteral("src/")) + list);
    ASSERT_EQ(lha.ReturnCode(), 0);
    EXPECT_EQ(lha.OutPut(), QStringLiteral("readme.txt\n"));
    lha.setCommandLine(QStringLiteral("u -x1 ") + path(QStringLiteral("u.lzh")) + QLatin1Char(' ') + path(QStringLiteral("src/")) + list);
    ASSERT_EQ(lha.ReturnCode(), 0);
    EXPECT_EQ(lha.OutPut(), QStringLiteral("new.txt\n"));
    writeFile(QStringLiteral("DPX5.tmp"), "docs/*.*\r\nempty.dat\r\n");
    lha.setCommandLine(QStringLiteral("d ") + path(QStringLiteral("u.lzh")) + QStringLiteral(" @") + path(QStringLiteral("DPX5.tmp")));
    ASSERT_EQ(lha.ReturnCode(), 0) << qPrintable(lha.ErrString());
    QByteArray out;
    EXPECT_EQ(run(QStringLiteral("lhasa"), {QStringLiteral("t"), path(QStringLiteral("u.lzh"))}, {}, &out), 0) << out.constData();
    lha.setCommandLine(QStringLiteral("x -a1 -c1 -f1 -jp1 -+ -m1 ") + path(QStringLiteral("u.lzh")) + QLatin1Char(' ')
        + path(QStringLiteral("out/")) + QStringLiteral(" *.*"));
    ASSERT_EQ(lha.ReturnCode(), 0) << qPrintable(lha.ErrString());
    EXPECT_EQ(filesBelow(path(QStringLiteral("out"))), (QStringList {"new.txt", "readme.txt"}));
    EXPECT_EQ(readFile(QStringLiteral("out/readme.txt")), QByteArray("changed"));
}

} // namespace
