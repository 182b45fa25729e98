// Archives whose members try to leave the target folder: absolute names, "..", links out and
// members written through a planted link. Nothing may appear outside the target.
#include "archiver/cUnARJ.h"
#include "archiver/cUnCab.h"
#include "archiver/cUnRAR.h"
#include "archiver/cUnTar.h"

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
std::unique_ptr<cArchiverDriver> tar() { return std::make_unique<cUnTar>(); }
std::unique_ptr<cArchiverDriver> rar() { return std::make_unique<cUnRAR>(); }
std::unique_ptr<cArchiverDriver> cab() { return std::make_unique<cUnCab>(); }

const Hostile hostiles[] = {
    {"tar", tar, " xvfo", tarWithEscapes},
    {"rar", rar, " -x -u  -y", rarWithEscapes},
    {"cab", cab, " -x -v -o", cabWithEscapes},
    {"arj", arj, " x -i- -y+ -!@", arjWithEscapes},
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

INSTANTIATE_TEST_SUITE_P(Kinds, HostileTest, ::testing::ValuesIn(hostiles),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
