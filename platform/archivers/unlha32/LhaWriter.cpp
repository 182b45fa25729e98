#include "platform/archivers/unlha32/LhaWriter.h"

#include "platform/archivers/ArchiverApi.h"
#include "platform/archivers/unlha32/Lh5Encoder.h"
#include "platform/archivers/unlha32/LhaArchive.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSaveFile>

namespace arckit {
namespace {

struct OldArchive {
    QByteArray data;
    QList<LhaMember> members;
};

// The archive as it is now; an empty one when there is none yet, nullopt when damaged.
std::optional<OldArchive> readOld(const QString& archive)
{
    OldArchive old;
    QFile file(archive);
    if (!file.exists())
        return old;
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    old.data = file.readAll();
    auto members = readLhaMembers(old.data);
    if (!members)
        return std::nullopt;
    old.members = *members;
    return old;
}

// One member packed from disk: header and data, or empty when the file cannot be read.
QByteArray packItem(const PackItem& item, const QByteArray& member)
{
    const quint32 mode = item.folder ? 040755 : 0100644;
    if (item.folder)
        return lhaHeader("-lhd-", member, 0, 0, item.mtime, 0, mode, true);
    QFile file(item.path);
    if (!file.open(QIODevice::ReadOnly) || file.size() >= (qint64(1) << 32))
        return {};
    const qint64 size = file.size();
    const uchar* data = size > 0 ? file.map(0, size) : reinterpret_cast<const uchar*>("");
    if (!data)
        return {};
    const quint16 crc = lhaCrc16(data, size);
    const QByteArray packed = encodeLh5(data, size);
    if (packed.size() < size)
        return lhaHeader("-lh5-", member, quint32(packed.size()), quint32(size), item.mtime, crc, mode, false) + packed;
    return lhaHeader("-lh0-", member, quint32(size), quint32(size), item.mtime, crc, mode, false)
        + QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

int commit(QSaveFile& out, const QList<QByteArray>& parts)
{
    for (const QByteArray& part : parts)
        if (out.write(part) != part.size())
            return arcerr::WriteBack;
    out.write(QByteArray(1, '\0'));
    return out.commit() ? 0 : arcerr::WriteBack;
}

} // namespace

int LhaWriter::pack(const QString& archive, const QList<PackItem>& items, char action, bool keepFolders,
    ArcOutput& output)
{
    const auto old = readOld(archive);
    if (!old)
        return arcerr::NotLzh;
    QList<QByteArray> parts;
    QHash<QByteArray, qsizetype> index;
    for (const LhaMember& m : old->members) {
        index.insert(m.entry.name, parts.size());
        parts << old->data.mid(m.start, m.length);
    }
    QList<PackItem> packed;
    for (const PackItem& item : items) {
        QByteArray member = item.member;
        if (!keepFolders) {
            if (item.folder)
                continue;
            member = member.mid(member.lastIndexOf('/') + 1);
        }
        const auto at = index.constFind(member);
        const bool present = at != index.constEnd();
        const std::time_t oldTime = present ? old->members[*at].mtime : 0;
        if ((action == 'f' && (!present || oldTime + 1 >= item.mtime)) || (action == 'u' && present && oldTime + 1 >= item.mtime))
            continue;
        const QByteArray bytes = packItem(item, member);
        if (bytes.isEmpty())
            return arcerr::NotFound;
        if (present) {
            parts[*at] = bytes;
        } else {
            index.insert(member, parts.size());
            parts << bytes;
        }
        output.line(member);
        packed << item;
    }
    QSaveFile out(archive);
    if (!out.open(QIODevice::WriteOnly))
        return arcerr::TempFile;
    const int code = commit(out, parts);
    if (code == 0 && action == 'm')
        removePackedSources(packed);
    return code;
}

int LhaWriter::remove(const QString& archive, const ArcSelection& selection, ArcOutput& output)
{
    if (!QFile::exists(archive))
        return arcerr::CannotOpenArchive;
    const auto old = readOld(archive);
    if (!old)
        return arcerr::NotLzh;
    QList<QByteArray> parts;
    int removed = 0;
    for (const LhaMember& m : old->members) {
        if (selection.matches(m.entry.name)) {
            output.line(m.entry.name);
            ++removed;
        } else {
            parts << old->data.mid(m.start, m.length);
        }
    }
    if (removed == 0)
        return arcerr::NotFound;
    QSaveFile out(archive);
    if (!out.open(QIODevice::WriteOnly))
        return arcerr::TempFile;
    return commit(out, parts);
}

} // namespace arckit
