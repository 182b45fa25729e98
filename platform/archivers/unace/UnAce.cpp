// UnAce: the ACE unpacker library. Headers are read here and stored members copied out here;
// packed members are unpacked by Debian's unace program into a private folder inside the
// target and moved into place from there.
#include "platform/archivers/ArchiverApi.h"
#include "platform/archivers/kit/ArcLibrary.h"
#include "platform/archivers/kit/ExtractTarget.h"
#include "platform/archivers/unace/AceArchive.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstring>
#include <zlib.h>
#include <map>
#include <memory>

namespace {

using arckit::AceMember;

// Results of ACEProcessFile besides 0; the driver shows codes it does not know.
constexpr int aceUnknownMethod = 132;
constexpr int aceRefused = 30;
constexpr int aceNoHeader = 20;

struct OpenAce {
    QString path;
    QList<AceMember> members;
    qsizetype next = 0;
    std::unique_ptr<QTemporaryDir> stage;
    QString stageInside;
};

std::map<ArcHandle, OpenAce>& archives()
{
    static std::map<ArcHandle, OpenAce> open;
    return open;
}

std::optional<QList<AceMember>> readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() >= (qint64(1) << 32) || file.size() == 0)
        return std::nullopt;
    const qint64 size = file.size();
    const uchar* map = file.map(0, size);
    if (!map)
        return std::nullopt;
    return arckit::readAceMembers(QByteArray::fromRawData(reinterpret_cast<const char*>(map), qsizetype(size)));
}

// Unpacks the whole archive once per handle into a private folder below root.
bool unpack(OpenAce& ace, const QString& root)
{
    if (ace.stage)
        return true;
    const QString unace = QStandardPaths::findExecutable(QStringLiteral("unace"));
    if (unace.isEmpty())
        return false;
    ace.stage = std::make_unique<QTemporaryDir>(root + QStringLiteral(".ace-XXXXXX"));
    ace.stageInside = ace.stage->path() + QStringLiteral("/s/s/s/s/s/s/s/s/");
    QDir().mkpath(ace.stageInside);
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setWorkingDirectory(ace.stageInside);
    process.start(unace, {QStringLiteral("x"), QStringLiteral("-y"), QFileInfo(ace.path).absoluteFilePath()});
    return process.waitForStarted() && process.waitForFinished(-1);
}

// A stored member is its own data: copied out with its CRC checked.
int copyStored(const OpenAce& ace, const AceMember& m, const QByteArray& relative, arckit::ExtractTarget& target,
    std::time_t mtime)
{
    QFile file(ace.path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(m.dataOffset))
        return aceRefused;
    qint64 left = qint64(m.original);
    quint32 crc = 0xFFFFFFFFu;
    auto read = [&](char* data, qint64 size) -> qint64 {
        const qint64 n = left == 0 ? 0 : file.read(data, qMin(size, left));
        if (n > 0) {
            left -= n;
            crc = ~quint32(crc32(~crc, reinterpret_cast<const Bytef*>(data), uInt(n)));
        }
        if (n == 0 && left > 0)
            return -1;
        if (left == 0 && n == 0 && crc != m.crc)
            return -1;
        return n;
    };
    target.writeFile(relative, qint64(m.original), 0644, mtime, read, [] { return arcerr::ArchiveCrc; });
    return target.result() == 0 ? 0 : target.result() == arcerr::ArchiveCrc ? 3 : aceRefused;
}

int extractCurrent(OpenAce& ace, const AceMember& m, const QByteArray& destination)
{
    if (m.encrypted || m.method > 1)
        return aceUnknownMethod;
    const auto relative = arckit::safeRelativeName(m.name);
    if (!relative)
        return aceRefused;
    // The destination is the target folder followed by the member's name, with or without folders.
    QByteArray dest = destination;
    dest.replace('\\', '/');
    const QByteArray base = relative->mid(relative->lastIndexOf('/') + 1);
    const bool withFolders = dest.endsWith('/' + *relative) || dest == *relative;
    if (!withFolders && !dest.endsWith('/' + base))
        return aceRefused;
    const QByteArray root = dest.left(dest.size() - (withFolders ? relative->size() : base.size()));
    arckit::ExtractTarget target(QFile::decodeName(root), {!withFolders, true});
    if (target.begin() != 0)
        return aceRefused;
    if (!target.fits(*relative, m.original))
        return arcerr::DiskFull;
    const std::time_t mtime = arckit::fromDosDateTime(quint16(m.dateTime >> 16), quint16(m.dateTime & 0xFFFF));
    if (m.method == 0)
        return copyStored(ace, m, *relative, target, mtime);
    if (!unpack(ace, QFile::decodeName(target.root())))
        return aceRefused;
    target.adoptFile(*relative, QFile::encodeName(ace.stageInside) + *relative, mtime);
    return target.result() == 0 ? 0 : aceRefused;
}

} // namespace

ARCKIT_API ArcHandle ACEOpenArchive(AceOpenRecord* open)
{
    if (!open || !open->archiveName)
        return 0;
    const QString path = QFile::decodeName(open->archiveName);
    auto members = readFile(path);
    open->openResult = members ? 0 : 1;
    if (!members)
        return 0;
    static ArcHandle last = 0;
    do
        ++last;
    while (last == 0 || archives().count(last));
    OpenAce& ace = archives()[last];
    ace.path = path;
    ace.members = *members;
    return last;
}

ARCKIT_API int ACEReadHeader(ArcHandle handle, AceHeaderRecord* header)
{
    auto it = archives().find(handle);
    if (it == archives().end() || !header)
        return aceNoHeader;
    OpenAce& ace = it->second;
    if (ace.next >= ace.members.size())
        return 10;  // no more headers
    const AceMember& m = ace.members[ace.next++];
    std::memset(header, 0, sizeof *header);
    qstrncpy(header->archiveName, QFile::encodeName(ace.path).constData(), sizeof header->archiveName);
    qstrncpy(header->fileName, m.name.constData(), sizeof header->fileName);
    header->packedSize = m.packed;
    header->unpackedSize = m.original;
    header->crc = m.crc;
    header->dateTime = m.dateTime;
    header->method = m.method;
    header->attributes = m.attributes;
    return 0;
}

ARCKIT_API int ACEProcessFile(ArcHandle handle, int operation, const char* destination)
{
    auto it = archives().find(handle);
    if (it == archives().end() || it->second.next == 0)
        return aceNoHeader;
    const AceMember& m = it->second.members[it->second.next - 1];
    if (operation != 2 || (m.attributes & 0x10))
        return 0;
    return extractCurrent(it->second, m, destination ? QByteArray(destination) : QByteArray());
}

ARCKIT_API int ACESetPassword(ArcHandle, const char*)
{
    // unace reads no encrypted members; encrypted ones answer "unknown method".
    return 0;
}

ARCKIT_API int ACECloseArchive(ArcHandle handle)
{
    return archives().erase(handle) ? 0 : aceNoHeader;
}
