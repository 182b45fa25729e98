#include "platform/archivers/unarj32/ArjFormat.h"

#include "platform/archivers/kit/ByteOrder.h"

#include "platform/archivers/kit/ArcSelection.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <zlib.h>

namespace arckit {
namespace {

constexpr int maxBasicHeader = 2600;
constexpr int hostUnix = 2;
constexpr int typeFolder = 3;



QByteArray methodText(int method)
{
    return method == 0 ? QByteArray("Stored") : "Mode" + QByteArray::number(method);
}

// One header at pos: its basic part, or empty at the end mark; false when damaged.
bool readHeader(const QByteArray& d, qsizetype& pos, QByteArray& basic)
{
    if (pos + 4 > d.size() || quint8(d[pos]) != 0x60 || quint8(d[pos + 1]) != 0xEA)
        return false;
    const int size = u16(d, pos + 2);
    pos += 4;
    basic.clear();
    if (size == 0)
        return true;
    if (size > maxBasicHeader || size < 30 || pos + size + 4 > d.size())
        return false;
    basic = d.mid(pos, size);
    if (crc32(0, reinterpret_cast<const Bytef*>(basic.constData()), uInt(size)) != u32(d, pos + size))
        return false;
    pos += size + 4;
    // Extended headers: size, data, CRC, until a size of 0.
    for (;;) {
        if (pos + 2 > d.size())
            return false;
        const int extra = u16(d, pos);
        pos += 2;
        if (extra == 0)
            return true;
        pos += extra + 4;
    }
}

ArcEntry entryOf(const QByteArray& basic)
{
    ArcEntry e;
    const int first = quint8(basic[0]);
    const int host = quint8(basic[3]);
    const int nameEnd = basic.indexOf('\0', first);
    e.name = basic.mid(first, nameEnd < 0 ? -1 : nameEnd - first);
    if (!(quint8(basic[4]) & 0x10))
        e.name.replace('\\', '/');
    e.folder = quint8(basic[6]) == typeFolder;
    if (e.folder && !e.name.endsWith('/'))
        e.name += '/';
    e.packed = u32(basic, 12);
    e.original = u32(basic, 16);
    e.crc = u32(basic, 20);
    const quint32 stamp = u32(basic, 8);
    const quint32 mode = u16(basic, 26);
    if (host == hostUnix) {
        toDosDateTime(std::time_t(stamp), e.dosDate, e.dosTime);
        e.attribute = attributeText(mode & 0777, e.name, e.folder);
    } else {
        e.dosDate = quint16(stamp >> 16);
        e.dosTime = quint16(stamp & 0xFFFF);
        e.attribute = dosAttributeText(mode | (e.folder ? 0x10 : 0));
    }
    e.method = methodText(quint8(basic[5]));
    return e;
}

int arjExitCode(int code)
{
    switch (code) {
    case 0:
    case 1: return 0;
    case 3: return arcerr::ArchiveCrc;
    case 5: return arcerr::DiskFull;
    case 6: return arcerr::CannotOpenArchive;
    case 8: return arcerr::NoMemory;
    default: return arcerr::ReadError;
    }
}

} // namespace

std::optional<ArcListing> ArjFormat::parse(const QByteArray& d)
{
    qsizetype pos = 0;
    QByteArray basic;
    if (!readHeader(d, pos, basic) || basic.isEmpty() || quint8(basic[6]) != 2)
        return std::nullopt;
    ArcListing entries;
    for (;;) {
        if (!readHeader(d, pos, basic))
            return std::nullopt;
        if (basic.isEmpty())
            return entries;
        const ArcEntry e = entryOf(basic);
        if (quint8(basic[6]) <= typeFolder)
            entries << e;
        pos += qsizetype(e.packed);
    }
}

std::optional<ArcListing> ArjFormat::list(const QString& archive)
{
    QFile file(archive);
    if (!file.open(QIODevice::ReadOnly) || file.size() > (qint64(1) << 32))
        return std::nullopt;
    // The headers are read from a map of the file; nothing is read into memory twice.
    const qint64 size = file.size();
    uchar* map = size > 0 ? file.map(0, size) : nullptr;
    if (!map)
        return std::nullopt;
    const auto listing = parse(QByteArray::fromRawData(reinterpret_cast<const char*>(map), qsizetype(size)));
    file.unmap(map);
    return listing;
}

int ArjFormat::extract(const QString& archive, const ArcListing& chosen, ExtractTarget& target)
{
    const QString arj = QStandardPaths::findExecutable(QStringLiteral("arj"));
    if (arj.isEmpty())
        return arcerr::Unsupported;
    // The private folder sits deep inside the target: whatever arj does, it stays in there.
    QTemporaryDir stage(QFile::decodeName(target.root()) + QStringLiteral(".arj-XXXXXX"));
    const QString inside = stage.path() + QStringLiteral("/s/s/s/s/s/s/s/s/");
    QDir().mkpath(inside);
    QFile list(stage.path() + QStringLiteral("/list"));
    if (!list.open(QIODevice::WriteOnly))
        return arcerr::TempFile;
    for (const ArcEntry& e : chosen)
        list.write(e.name + '\n');
    list.close();
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setWorkingDirectory(inside);
    process.start(arj, {QStringLiteral("x"), QStringLiteral("-y"), QStringLiteral("-p1"), QStringLiteral("-i"),
                           archive, inside, QLatin1Char('!') + list.fileName()});
    if (!process.waitForStarted() || !process.waitForFinished(-1))
        return arcerr::ReadError;
    const int code = arjExitCode(process.exitCode());
    for (const ArcEntry& e : chosen) {
        if (e.folder)
            target.makeFolder(e.name);
        else
            target.adoptFile(e.name, QFile::encodeName(inside) + e.name, fromDosDateTime(e.dosDate, e.dosTime));
    }
    return code;
}

int ArjFormat::run(const QByteArray& command, ArcOutput& output)
{
    const ArcCommandLine line = ArcCommandLine::parse(command);
    static const QStringList known {"-i", "-i-", "-y", "-y+", "-!@", "-!"};
    if (!line.onlyKnownSwitches(known))
        return arcerr::IllegalCommand;
    if (line.words().size() < 2)
        return arcerr::IllegalCommand;
    const QString action = line.words().first().toLower();
    if (action != QLatin1String("x") && action != QLatin1String("e"))
        return arcerr::IllegalCommand;
    const QString archive = line.words().at(1);
    const auto listing = list(archive);
    if (!listing)
        return arcerr::CannotOpenArchive;
    const ArcTargetAndSpecs rest = splitTargetAndSpecs(line.words().mid(2));
    if (rest.listFileError)
        return arcerr::ListFile;
    ExtractTarget target(rest.target, {action == QLatin1String("e"), line.has("-y+") || line.has("-y")}, &output);
    if (const int code = target.begin())
        return code;
    const ArcSelection selection(rest.specs);
    ArcListing chosen;
    for (const ArcEntry& e : *listing) {
        if (!selection.matches(e.name))
            continue;
        // Names arj would read as patterns, and names that leave the target, are never handed on.
        if (!safeRelativeName(e.name) || e.name.contains('*') || e.name.contains('?') || e.name.startsWith('!')) {
            target.fail(arcerr::CannotOpenOutput);
        } else if (!e.folder && !target.fits(e.name, qint64(e.original))) {
            target.fail(arcerr::DiskFull, true);
            return target.result();
        } else {
            chosen << e;
        }
    }
    const int code = chosen.isEmpty() ? 0 : extract(archive, chosen, target);
    return target.result() != 0 ? target.result() : code;
}

} // namespace arckit
