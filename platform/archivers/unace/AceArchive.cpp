#include "platform/archivers/unace/AceArchive.h"

#include "platform/archivers/kit/ByteOrder.h"


#include <zlib.h>

namespace arckit {
namespace {



constexpr int typeMain = 0;
constexpr int typeFile = 1;
constexpr quint16 flagAddSize = 0x0001;
constexpr quint16 flagPassword = 0x4000;

} // namespace

quint32 aceCrc32(const QByteArray& data)
{
    return ~quint32(crc32(0, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
}

std::optional<QList<AceMember>> readAceMembers(const QByteArray& d)
{
    QList<AceMember> members;
    qsizetype pos = 0;
    bool sawMain = false;
    while (pos + 4 <= d.size()) {
        const quint16 crc = u16(d, pos);
        const quint16 size = u16(d, pos + 2);
        if (size < 3 || pos + 4 + size > d.size())
            return std::nullopt;
        const QByteArray header = d.mid(pos + 4, size);
        if ((aceCrc32(header) & 0xFFFF) != crc)
            return std::nullopt;
        const int type = quint8(header[0]);
        const quint16 flags = u16(header, 1);
        pos += 4 + size;
        if (!sawMain) {
            if (type != typeMain || size < 10 || header.mid(3, 7) != "**ACE**")
                return std::nullopt;
            sawMain = true;
            continue;
        }
        quint32 addSize = 0;
        if (flags & flagAddSize) {
            if (size < 7)
                return std::nullopt;
            addSize = u32(header, 3);
        }
        if (type == typeFile && size >= 31) {
            AceMember m;
            m.packed = addSize;
            m.original = u32(header, 7);
            m.dateTime = u32(header, 11);
            m.attributes = u32(header, 15);
            m.crc = u32(header, 19);
            m.method = quint8(header[23]);
            const int nameSize = u16(header, 29);
            if (31 + nameSize > size)
                return std::nullopt;
            m.name = header.mid(31, nameSize);
            m.encrypted = flags & flagPassword;
            m.dataOffset = pos;
            members << m;
        }
        if (pos + qsizetype(addSize) > d.size())
            return std::nullopt;
        pos += addSize;
    }
    if (!sawMain)
        return std::nullopt;
    return members;
}

} // namespace arckit
