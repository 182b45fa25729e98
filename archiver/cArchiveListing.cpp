#include "archiver/cArchiveListing.h"

#include "platform/prompt/SystemMessageBox.h"

#include <QLocale>

namespace {
QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}
} // namespace

QString cArchiveListing::GroupedSize(quint64 value)
{
    return value == 0 ? QString() : QLocale(QLocale::English).toString(value);
}

QString cArchiveListing::DosDateText(quint16 date)
{
    return twoDigits(((date >> 9) + 1980) % 100) + QLatin1Char('/') + twoDigits((date >> 5) & 15) + QLatin1Char('/')
        + twoDigits(date & 31);
}

QString cArchiveListing::DosTimeText(quint16 time)
{
    return twoDigits(time >> 11) + QLatin1Char(':') + twoDigits((time >> 5) & 63) + QLatin1Char(':')
        + twoDigits((time & 31) * 2);
}

QString cArchiveListing::CrcText(quint32 crc)
{
    return (QStringLiteral("0000") + QString::number(crc, 16).toUpper()).right(4);
}

void cArchiveListing::warnCannotOpen(const QString& file, const QString& kindName)
{
    platform::SystemMessageBox(QStringLiteral("Can not open '") + file + QStringLiteral("' (corrupted archive) !"),
        kindName + QStringLiteral(" Message"), platform::MB_OK | platform::MB_ICONWARNING);
}
