// Archives whose members try to leave the target folder: absolute names, "..", links out and
// members written through a planted link. Nothing may appear outside the target.
#include "archiver/cUnARJ.h"
#include "archiver/cUnCab.h"
#include "archiver/cUnLHA.h"
#include "archiver/cUnRAR.h"
#include "archiver/cUnTar.h"

#include "platform/archivers/kit/ByteOrder.h"
#include "tests/archiver/ArchiveFixture.h"
#include "tests/archiver/RarWriter.h"

#include <QDir>

#include <functional>
#include <memory>

using namespace duopane::test;

namespace {

struct Hostile {
    const char* name;
    std::function<std::unique_ptr<cArchiverDriver>()> driver;
    const char* command;
    // Makes the archive at the given path inside the fixture's work folder.
    std::function<void(ArchiveFixture&, const QString&)> make;
};

class HostileTest : public ArchiveFixture, public ::testing::WithParamInterface<Hostile> {
public:
    using ArchiveFixture::path;
    using ArchiveFixture::run;
    using ArchiveFixture::writeFile;
    using ArchiveFixture::readFile;
};

class ArchiveFixtureForLzh : public ArchiveFixture {};

void tarWithEscapes(ArchiveFixture& f, const QString& archive)
{
    auto& t = static_cast<HostileTest&>(f);
    t.writeFile(QStringLiteral("src/x/pwned.txt"), "pwned");
    t.writeFile(QStringLiteral("src/ok.txt"), "fine");
    QDir(t.path(QStringLiteral("src"))).mkpath(QStringLiteral("l"));
    QFile::link(QStringLiteral("../../outside"), t.path(QStringLiteral("src/up")));
    // up -> ../../outside, then up/pwned.txt through it; ../escaped.txt; an absolute name.
    const QString script = QStringLiteral(
        "bsdtar -cf \"$A\" up && "
        "bsdtar -rf \"$A\" -s ',^x/,up/,' x/pwned.txt && "
        "bsdtar -rf \"$A\" -P -s ',^x/pwned.txt,../escaped.txt,' x/pwned.txt && "
        "bsdtar -rf \"$A\" -P -s ',^x/pwned.txt,/tmp/duopane-absolute.txt,' x/pwned.txt && "
        "bsdtar -rf \"$A\" ok.txt");
    t.run(QStringLiteral("sh"), {QStringLiteral("-c"), QString(script).replace(QLatin1String("$A"), archive)},
        t.path(QStringLiteral("src")));
}

void rarWithEscapes(ArchiveFixture& f, const QString& archive)
{
    auto& t = static_cast<HostileTest&>(f);
    QFile file(archive);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(RarWriter::archive({
        {"up", "../../outside", 0120777},
        {"up/pwned.txt", "pwned"},
        {"../escaped.txt", "pwned"},
        {"/tmp/duopane-absolute.txt", "pwned"},
        {"ok.txt", "fine"},
    }));
    Q_UNUSED(t);
}

// gcab drops ".." itself, so the names are patched into a cabinet afterwards (file headers
// carry no checksum).
void cabWithEscapes(ArchiveFixture& f, const QString& archive)
{
    auto& t = static_cast<HostileTest&>(f);
    t.writeFile(QStringLiteral("src/aaaaaaaaaaaaa.txt"), "pwned");
    t.writeFile(QStringLiteral("src/bbbbbbbbbbbbbbbbbbbbb.txt"), "pwned");
    t.writeFile(QStringLiteral("src/ok.txt"), "fine");
    t.run(QStringLiteral("gcab"), {QStringLiteral("-c"), archive, QStringLiteral("aaaaaaaaaaaaa.txt"),
                                      QStringLiteral("bbbbbbbbbbbbbbbbbbbbb.txt"), QStringLiteral("ok.txt")},
        t.path(QStringLiteral("src")));
    QFile file(archive);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray data = file.readAll();
    data.replace("aaaaaaaaaaaaa.txt", "..\\..\\escaped.txt");
    data.replace("bbbbbbbbbbbbbbbbbbbbb.txt", "/tmp/duopane-absolute.txt");
    file.seek(0);
    file.write(data);
}

// arj stores only clean names: they are patched in afterwards, with each header's CRC mended.
void arjWithEscapes(ArchiveFixture& f, const QString& archive)
{
    auto& t = static_cast<HostileTest&>(f);
    t.writeFile(QStringLiteral("src/aaaaaaaaaaaaa.txt"), "pwned");
    t.writeFile(QStringLiteral("src/bbbbbbbbbbbbbbbbbbbbb.txt"), "pwned");
    t.writeFile(QStringLiteral("src/ok.txt"), "fine");
    t.run(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("arj a -y \"%1\" aaaaaaaaaaaaa.txt "
                                    "bbbbbbbbbbbbbbbbbbbbb.txt ok.txt > /dev/null").arg(archive)},
        t.path(QStringLiteral("src")));
    QFile file(archive);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray data = file.readAll();
    const QList<QPair<QByteArray, QByteArray>> patches {{"aaaaaaaaaaaaa.txt", "../../escaped.txt"},
        {"bbbbbbbbbbbbbbbbbbbbb.txt", "/tmp/duopane-absolute.txt"}};
    for (const auto& [from, to] : patches) {
        const qsizetype at = data.indexOf(from);
        ASSERT_GE(at, 0);
        const qsizetype header = data.lastIndexOf("\x60\xEA", at);
        const int size = quint8(data[header + 2]) | (quint8(data[header + 3]) << 8);
        data.replace(at, from.size(), to);
        const quint32 crc = ArchiveFixture::crc32(data.mid(header + 4, size));
        for (int i = 0; i < 4; ++i)
            data[header + 4 + size + i] = char((crc >> (8 * i)) & 0xFF);
    }
    file.seek(0);
    file.write(data);
}

std::unique_ptr<cArchiverDriver> arj() { return std::make_unique<cUnARJ>(); }
std::unique_ptr<cArchiverDriver> lha() { return std::make_unique<cUnLHA>(); }

// Level 0 headers with stored (-lh0-) data: any name can be written.
QByteArray lzhArchive(const QList<QPair<QByteArray, QByteArray>>& members)
{
    QByteArray out;
    for (const auto& [name, data] : members) {
        QByteArray h("-lh0-");
        arckit::put32(h, quint32(data.size()));
        arckit::put32(h, quint32(data.size()));
        arckit::put32(h, (quint32((24 << 9) | (3 << 5) | 7) << 16) | ((14 << 11) | (5 << 5) | 3));
        h += char(0x20);
        h += char(0);
        h += char(name.size());
        h += name;
        quint16 crc = 0;
        for (const char c : data) {
            crc ^= quint8(c);
            for (int k = 0; k < 8; ++k)
                crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
        }
        arckit::put16(h, crc);
        quint8 sum = 0;
        for (const char c : h)
            sum = quint8(sum + quint8(c));
        out += char(h.size());
        out += char(sum);
        out += h + data;
    }
    return out + QByteArray(1, '\0');
}

void lzhWithEscapes(ArchiveFixture&, const QString& archive)
{
    QFile file(archive);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(lzhArchive({{"../escaped.txt", "pwned"}, {"/tmp/duopane-absolute.txt", "pwned"},
        {"a\\..\\..\\escaped2.txt", "pwned"}, {"ok.txt", "fine"}}));
}
std::unique_ptr<cArchiverDriver> tar() { return std::make_unique<cUnTar>(); }
std::unique_ptr<cArchiverDriver> rar() { return std::make_unique<cUnRAR>(); }
std::unique_ptr<cArchiverDriver> cab() { return std::make_unique<cUnCab>(); }

const Hostile hostiles[] = {
    {"tar", tar, " xvfo", tarWithEscapes},
    {"rar", rar, " -x -u  -y", rarWithEscapes},
    {"cab", cab, " -x -v -o", cabWithEscapes},
    {"arj", arj, " x -i- -y+ -!@", arjWithEscapes},
    {"lzh", lha, " x -a1 -c1 -f1 -jp1 -+ -m1", lzhWithEscapes},
};

TEST_P(HostileTest, NothingIsWrittenOutsideTheTarget)
{
    const Hostile& h = GetParam();
    QFile::remove(QStringLiteral("/tmp/duopane-absolute.txt"));
    const QString archive = path(QStringLiteral("evil.") + QLatin1String(h.name));
    h.make(*this, archive);
    if (HasFatalFailure())
        return;
    QDir().mkpath(path(QStringLiteral("box/in/target")));
    QDir().mkpath(path(QStringLiteral("box/outside")));
    auto driver = h.driver();
    driver->setCommandLine(QString::fromLatin1(h.command) + QLatin1Char(' ') + archive + QLatin1Char(' ')
        + path(QStringLiteral("box/in/target/")) + QStringLiteral(" *.*"));
    EXPECT_EQ(driver->ReturnCode(), 0x800D);
    EXPECT_EQ(driver->ErrString(), QStringLiteral("Can not open file to extraction"));
    // A member below a refused link lands in a real folder of that name, inside the target.
    QStringList files = filesBelow(path(QStringLiteral("box")));
    files.removeAll(QStringLiteral("in/target/up/pwned.txt"));
    EXPECT_EQ(files, QStringList {QStringLiteral("in/target/ok.txt")});
    EXPECT_FALSE(QFileInfo(path(QStringLiteral("box/in/target/up"))).isSymLink());
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/duopane-absolute.txt")));
}

TEST_F(ArchiveFixtureForLzh, MemberLargerThanTheFreeSpaceIsNotExtracted)
{
    QString reason;
    if (!mountTmpfs(QStringLiteral("small"), QStringLiteral("4m"), &reason))
        GTEST_SKIP() << qPrintable(reason);
    writeFile(QStringLiteral("big.lzh"), lzhArchive({{"big.bin", QByteArray(6 * 1024 * 1024, 'b')}}));
    cUnLHA driver;
    driver.setCommandLine(QStringLiteral("x -m1 ") + path(QStringLiteral("big.lzh")) + QLatin1Char(' ')
        + path(QStringLiteral("small/")) + QStringLiteral(" *.*"));
    EXPECT_EQ(driver.ReturnCode(), 0x8005);
    EXPECT_EQ(driver.ErrString(), QStringLiteral("Not enough disk space to extract file"));
    EXPECT_FALSE(exists(QStringLiteral("small/big.bin")));
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileTest, ::testing::ValuesIn(hostiles),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
