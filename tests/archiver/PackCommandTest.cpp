// Packing through the LHA and CAB command lines; the standard tools read what we write.
#include "archiver/cUnCab.h"
#include "archiver/cUnLHA.h"

#include "tests/archiver/ArchiveFixture.h"

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

} // namespace
