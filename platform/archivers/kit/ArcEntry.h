#pragma once

#include "platform/archivers/ArchiverApi.h"

#include <QByteArray>
#include <QList>

#include <ctime>

namespace arckit {

// One member of an archive as a library lists it.
struct ArcEntry {
    QByteArray name;  // with its folders, "/" separators, as stored
    quint64 original = 0;
    quint64 packed = 0;
    quint32 crc = 0;
    quint16 dosDate = 0;
    quint16 dosTime = 0;
    QByteArray attribute;
    QByteArray method;
    bool folder = false;
};

using ArcListing = QList<ArcEntry>;

// DOS date and time (local time) of a POSIX time; times before 1980 clamp to 1980-01-01.
void toDosDateTime(std::time_t when, quint16& date, quint16& time);
std::time_t fromDosDateTime(quint16 date, quint16 time);
// Ratio in tenths of a percent saved by packing.
quint16 savedRatio(quint64 original, quint64 packed);
// Attribute text from a POSIX mode: read-only, hidden (dot name), system, archive/folder.
QByteArray attributeText(quint32 mode, const QByteArray& name, bool folder);
ArcEntryRecord toRecord(const ArcEntry& entry);

} // namespace arckit

namespace arckit {
// Attribute text from DOS attribute bits (read-only, hidden, system, archive/folder).
QByteArray dosAttributeText(quint32 attributes);
} // namespace arckit
