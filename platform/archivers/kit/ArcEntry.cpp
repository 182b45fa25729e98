#include "platform/archivers/kit/ArcEntry.h"

#include <algorithm>
#include <cstring>

namespace arckit {

void toDosDateTime(std::time_t when, quint16& date, quint16& time)
{
    std::tm parts {};
    localtime_r(&when, &parts);
    if (parts.tm_year < 80) {
        date = (1 << 5) | 1;
        time = 0;
        return;
    }
    const int year = std::min(parts.tm_year - 80, 127);
    date = quint16((year << 9) | ((parts.tm_mon + 1) << 5) | parts.tm_mday);
    time = quint16((parts.tm_hour << 11) | (parts.tm_min << 5) | (parts.tm_sec / 2));
}

std::time_t fromDosDateTime(quint16 date, quint16 time)
{
    std::tm parts {};
    parts.tm_year = (date >> 9) + 80;
    parts.tm_mon = std::max(((date >> 5) & 15) - 1, 0);
    parts.tm_mday = std::max(date & 31, 1);
    parts.tm_hour = time >> 11;
    parts.tm_min = (time >> 5) & 63;
    parts.tm_sec = (time & 31) * 2;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

quint16 savedRatio(quint64 original, quint64 packed)
{
    if (original == 0 || packed >= original)
        return 0;
    return quint16(1000 - (packed * 1000 + original / 2) / original);
}

QByteArray attributeText(quint32 mode, const QByteArray& name, bool folder)
{
    QByteArray base = name;
    while (base.endsWith('/'))
        base.chop(1);
    base = base.mid(base.lastIndexOf('/') + 1);
    QByteArray text("----");
    if (mode != 0 && !(mode & 0200))
        text[0] = 'r';
    if (base.startsWith('.'))
        text[1] = 'h';
    text[3] = folder ? 'd' : 'a';
    return text;
}

namespace {
void copyText(char* field, std::size_t size, const QByteArray& text)
{
    const std::size_t n = std::min<std::size_t>(size - 1, std::size_t(text.size()));
    std::memcpy(field, text.constData(), n);
    field[n] = '\0';
}
quint32 clamp32(quint64 value)
{
    return value > 0xFFFFFFFFu ? 0xFFFFFFFFu : quint32(value);
}
} // namespace

ArcEntryRecord toRecord(const ArcEntry& entry)
{
    ArcEntryRecord record {};
    record.originalSize = clamp32(entry.original);
    record.compressedSize = clamp32(entry.packed);
    record.crc = entry.crc;
    record.ratio = savedRatio(entry.original, entry.packed);
    record.dosDate = entry.dosDate;
    record.dosTime = entry.dosTime;
    copyText(record.fileName, sizeof record.fileName, entry.name);
    copyText(record.attribute, sizeof record.attribute, entry.attribute);
    copyText(record.method, sizeof record.method, entry.method);
    return record;
}

} // namespace arckit

namespace arckit {
QByteArray dosAttributeText(quint32 attributes)
{
    QByteArray text("----");
    if (attributes & 0x01)
        text[0] = 'r';
    if (attributes & 0x02)
        text[1] = 'h';
    if (attributes & 0x04)
        text[2] = 's';
    if (attributes & 0x10)
        text[3] = 'd';
    else if (attributes & 0x20)
        text[3] = 'a';
    return text;
}
} // namespace arckit
