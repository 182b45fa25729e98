#include "platform/archivers/unlha32/LhaArchive.h"

#include "platform/archivers/kit/ByteOrder.h"


#include <array>

namespace arckit {
namespace {





// Extended headers: type byte, data, then the size of the next one. Fills name parts and the
// Unix time and mode; false when they run past the header.
bool readExtended(const QByteArray& d, qsizetype at, qsizetype end, quint16 size, QByteArray& folder,
    QByteArray& name, std::time_t& mtime, quint32& mode, qsizetype* total = nullptr)
{
    qsizetype sum = 0;
    while (size != 0) {
        if (size < 3 || at + size > end)
            return false;
        const quint8 type = quint8(d[at]);
        const QByteArray body = d.mid(at + 1, size - 3);
        if (type == 0x01)
            name = body;
        else if (type == 0x02)
            folder = body;
        else if (type == 0x54 && body.size() >= 4)
            mtime = std::time_t(u32(body, 0));
        else if (type == 0x50 && body.size() >= 2)
            mode = u16(body, 0);
        sum += size;
        at += size;
        size = u16(d, at - 2);
    }
    if (total)
        *total = sum;
    return true;
}

} // namespace

quint16 lhaCrc16(const uchar* data, qint64 size, quint16 crc)
{
    static const auto table = [] {
        std::array<quint16, 256> t {};
        for (unsigned i = 0; i < 256; ++i) {
            unsigned r = i;
            for (int k = 0; k < 8; ++k)
                r = (r & 1) ? (r >> 1) ^ 0xA001 : r >> 1;
            t[i] = quint16(r);
        }
        return t;
    }();
    for (qint64 i = 0; i < size; ++i)
        crc = quint16(table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8));
    return crc;
}

std::optional<QList<LhaMember>> readLhaMembers(const QByteArray& d)
{
    QList<LhaMember> members;
    qsizetype pos = 0;
    while (pos < d.size() && d[pos] != 0) {
        if (pos + 24 > d.size() || d[pos + 2] != '-' || d[pos + 6] != '-')
            return std::nullopt;
        const int level = quint8(d[pos + 20]);
        LhaMember m;
        m.start = pos;
        QByteArray folder, name;
        quint32 mode = 0;
        const QByteArray method = d.mid(pos + 2, 5);
        qint64 packed = u32(d, pos + 7);
        const quint32 original = u32(d, pos + 11);
        const quint32 stamp = u32(d, pos + 15);
        qsizetype headerEnd = 0;
        if (level == 0 || level == 1) {
            const int nameLength = quint8(d[pos + 21]);
            headerEnd = pos + 2 + quint8(d[pos]);
            if (pos + 22 + nameLength + 2 > d.size() || headerEnd > d.size() || 22 + nameLength + 2 > 2 + quint8(d[pos]))
                return std::nullopt;
            name = d.mid(pos + 22, nameLength);
            m.entry.crc = u16(d, pos + 22 + nameLength);
            m.mtime = fromDosDateTime(quint16(stamp >> 16), quint16(stamp & 0xFFFF));
            if (level == 1) {
                qsizetype extended = 0;
                if (!readExtended(d, headerEnd, d.size(), u16(d, headerEnd - 2), folder, name, m.mtime, mode, &extended))
                    return std::nullopt;
                headerEnd += extended;
                packed -= extended;
            }
        } else if (level == 2) {
            headerEnd = pos + u16(d, pos);
            if (headerEnd > d.size() || headerEnd < pos + 26)
                return std::nullopt;
            m.entry.crc = u16(d, pos + 21);
            m.mtime = std::time_t(stamp);
            if (!readExtended(d, pos + 26, headerEnd, u16(d, pos + 24), folder, name, m.mtime, mode))
                return std::nullopt;
        } else {
            return std::nullopt;
        }
        if (packed < 0 || headerEnd + packed > d.size())
            return std::nullopt;
        folder.replace('\xFF', '/');
        name.replace('\xFF', '/').replace('\\', '/');
        if (!folder.isEmpty() && !folder.endsWith('/'))
            folder += '/';
        m.entry.name = folder + name;
        m.entry.folder = method == "-lhd-";
        if (m.entry.folder && !m.entry.name.endsWith('/'))
            m.entry.name += '/';
        m.entry.original = original;
        m.entry.packed = quint64(packed);
        m.entry.method = method;
        toDosDateTime(m.mtime, m.entry.dosDate, m.entry.dosTime);
        m.entry.attribute = attributeText(mode ? mode : 0644, m.entry.name, m.entry.folder);
        m.length = headerEnd + packed - pos;
        members << m;
        pos = headerEnd + packed;
    }
    return members;
}

QByteArray lhaHeader(const QByteArray& method, const QByteArray& member, quint32 packed, quint32 original,
    std::time_t mtime, quint16 crc, quint32 mode, bool folder)
{
    QByteArray path = member;
    while (path.endsWith('/'))
        path.chop(1);
    const int slash = folder ? int(path.size()) : int(path.lastIndexOf('/'));
    QByteArray dir = slash > 0 ? path.left(slash) + '/' : QByteArray();
    const QByteArray name = folder ? QByteArray() : path.mid(slash + 1);
    dir.replace('/', '\xFF');
    QByteArray extended;
    auto add = [&](quint8 type, const QByteArray& body) {
        put16(extended, quint16(body.size() + 3));
        extended += char(type);
        extended += body;
    };
    add(0x00, QByteArray(2, '\0'));  // header CRC, filled in below
    add(0x01, name);
    if (!dir.isEmpty())
        add(0x02, dir);
    QByteArray permission;
    put16(permission, quint16(mode & 0xFFFF));
    add(0x50, permission);
    // Each extended header is followed by the next one's size: shift the sizes one place on.
    QByteArray chained = extended.mid(2) + QByteArray(2, '\0');
    QByteArray h;
    put16(h, 0);
    h += method;
    put32(h, packed);
    put32(h, original);
    put32(h, quint32(mtime));
    h += char(0x20);
    h += char(2);
    put16(h, crc);
    h += 'U';
    put16(h, quint16(u16(extended, 0)));
    h += chained;
    // A header size whose low byte is 0 would read as the end of the archive.
    if ((h.size() & 0xFF) == 0)
        h += '\0';
    h[0] = char(h.size() & 0xFF);
    h[1] = char(h.size() >> 8);
    // The CRC covers the whole header with its own field still 0; it sits after the type byte.
    const quint16 headerCrc = lhaCrc16(reinterpret_cast<const uchar*>(h.constData()), h.size());
    h[27] = char(headerCrc & 0xFF);
    h[28] = char(headerCrc >> 8);
    return h;
}

} // namespace arckit
