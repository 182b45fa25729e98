#pragma once

#include "platform/archivers/kit/ArcEntry.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace arckit {

// One member of an LHA archive as stored: where its header and data lie, and its listing.
struct LhaMember {
    ArcEntry entry;
    qint64 start = 0;   // offset of the header
    qint64 length = 0;  // header and data together
    std::time_t mtime = 0;
};

// Reads the member headers (levels 0, 1 and 2); nullopt when the data is not an LHA archive.
std::optional<QList<LhaMember>> readLhaMembers(const QByteArray& data);
// CRC-16 as LHA computes it (polynomial 0xA001, reflected, starting at 0).
quint16 lhaCrc16(const uchar* data, qint64 size, quint16 crc = 0);
// A level 2 header for a member; the caller appends the packed data.
QByteArray lhaHeader(const QByteArray& method, const QByteArray& member, quint32 packed, quint32 original,
    std::time_t mtime, quint16 crc, quint32 mode, bool folder);

} // namespace arckit
