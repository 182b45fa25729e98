#include "tests/archiver/RarWriter.h"

#include "platform/archivers/kit/ByteOrder.h"
#include "tests/archiver/ArchiveFixture.h"

#include <QtEndian>

namespace duopane::test {
namespace {

using arckit::put16;
using arckit::put32;

// A block: its CRC (low 16 bits of the CRC-32 of everything after the CRC field) first.
QByteArray block(const QByteArray& body)
{
    QByteArray out;
    put16(out, quint16(ArchiveFixture::crc32(body) & 0xFFFF));
    return out + body;
}

quint32 dosTime(const QDateTime& when)
{
    const QDate d = when.date();
    const QTime t = when.time();
    const quint32 date = quint32(((d.year() - 1980) << 9) | (d.month() << 5) | d.day());
    return (date << 16) | quint32((t.hour() << 11) | (t.minute() << 5) | (t.second() / 2));
}

} // namespace

QByteArray RarWriter::archive(const QList<Member>& members)
{
    QByteArray out("Rar!\x1A\x07\x00", 7);
    QByteArray main;
    main += char(0x73);
    put16(main, 0);
    put16(main, 13);
    put16(main, 0);
    put32(main, 0);
    out += block(main);
    for (const Member& m : members) {
        const bool folder = (m.mode & 0170000) == 040000;
        QByteArray head;
        head += char(0x74);
        put16(head, quint16(0x8000 | (folder ? 0x00E0 : 0)));
        put16(head, quint16(32 + m.name.size()));
        put32(head, quint32(m.data.size()));
        put32(head, quint32(m.data.size()));
        head += char(3);  // made on Unix
        put32(head, ArchiveFixture::crc32(m.data));
        put32(head, dosTime(m.when));
        head += char(20);
        head += char(0x30);  // stored
        put16(head, quint16(m.name.size()));
        put32(head, m.mode);
        head += m.name;
        out += block(head) + m.data;
    }
    QByteArray end;
    end += char(0x7B);
    put16(end, 0x4000);
    put16(end, 7);
    out += block(end);
    return out;
}

} // namespace duopane::test
