#pragma once

#include "platform/archivers/kit/ArcEntry.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace arckit {

// One member of an ACE archive, from its header (every header's CRC is checked).
struct AceMember {
    QByteArray name;  // "/" separators
    quint32 packed = 0;
    quint32 original = 0;
    quint32 crc = 0;
    quint32 dateTime = 0;  // DOS date in the high half, time in the low half
    quint32 attributes = 0;
    quint32 method = 0;    // 0 stored, 1 LZ77, 2 blocked
    bool encrypted = false;
    qint64 dataOffset = 0;  // where the packed data starts in the archive
};

std::optional<QList<AceMember>> readAceMembers(const QByteArray& data);
// ACE's CRC-32: the usual polynomial, started at all ones and never inverted at the end.
quint32 aceCrc32(const QByteArray& data);

} // namespace arckit
