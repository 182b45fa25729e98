#include "ftp/engine/FtpListDate.h"

namespace FtpListDate {

namespace {

// Digits only, 1..maxDigits of them; -1 otherwise.
int number(QByteArrayView text, int maxDigits)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return -1;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

int monthNumber(QByteArrayView name)
{
    if (name.size() != 3)
        return 0;
    // Three ASCII letters folded to lower case and packed, compared against the packed names.
    char32_t key = 0;
    for (char c : name) {
        if (static_cast<unsigned char>(c) > 127)
            return 0;
        key = key << 8 | char32_t(c | 0x20);
    }
    static constexpr char32_t names[] = {
        U'j' << 16 | U'a' << 8 | U'n', U'f' << 16 | U'e' << 8 | U'b', U'm' << 16 | U'a' << 8 | U'r',
        U'a' << 16 | U'p' << 8 | U'r', U'm' << 16 | U'a' << 8 | U'y', U'j' << 16 | U'u' << 8 | U'n',
        U'j' << 16 | U'u' << 8 | U'l', U'a' << 16 | U'u' << 8 | U'g', U's' << 16 | U'e' << 8 | U'p',
        U'o' << 16 | U'c' << 8 | U't', U'n' << 16 | U'o' << 8 | U'v', U'd' << 16 | U'e' << 8 | U'c',
    };
    for (int i = 0; i < 12; ++i) {
        if (names[i] == key)
            return i + 1;
    }
    return 0;
}

// "10:30", "10:30:15", "10:30AM", "10:30 PM" (the last two only where amPm is allowed).
QTime clock(QByteArrayView text, bool amPm)
{
    int pm = -1;
    if (amPm && text.size() > 2) {
        const QByteArrayView suffix = text.last(2);
        if (suffix.compare("AM", Qt::CaseInsensitive) == 0)
            pm = 0;
        else if (suffix.compare("PM", Qt::CaseInsensitive) == 0)
            pm = 1;
        if (pm >= 0)
            text = text.chopped(2).trimmed();
    }
    const qsizetype colon = text.indexOf(':');
    if (colon < 0)
        return {};
    int hour = number(text.first(colon), 2);
    QByteArrayView rest = text.sliced(colon + 1);
    int second = 0;
    const qsizetype colon2 = rest.indexOf(':');
    if (colon2 >= 0) {
        second = number(rest.sliced(colon2 + 1), 2);
        rest = rest.first(colon2);
    }
    const int minute = rest.size() == 2 ? number(rest, 2) : -1;
    if (hour < 0 || minute < 0 || second < 0)
        return {};
    if (pm >= 0) {
        if (hour < 1 || hour > 12)
            return {};
        hour = hour % 12 + (pm ? 12 : 0);
    }
    return QTime(hour, minute, second);
}

// "01-15-03", "1/15/2003".
QDate windowsDay(QByteArrayView text)
{
    const char separator = text.contains('/') ? '/' : '-';
    const qsizetype first = text.indexOf(separator);
    const qsizetype second = first < 0 ? -1 : text.indexOf(separator, first + 1);
    if (second < 0)
        return {};
    const int month = number(text.first(first), 2);
    const int day = number(text.sliced(first + 1, second - first - 1), 2);
    const QByteArrayView yearText = text.sliced(second + 1);
    int year = number(yearText, 4);
    if (month < 0 || day < 0 || year < 0 || (yearText.size() != 2 && yearText.size() != 4))
        return {};
    if (yearText.size() == 2)
        year += year < 30 ? 2000 : 1900;
    return QDate(year, month, day);
}

struct UnixDate {
    QDate day;
    QTime time;
};

UnixDate unixDay(QByteArrayView monthText, QByteArrayView dayText, QByteArrayView timeOrYear, int currentYear)
{
    const int month = monthNumber(monthText);
    const int day = number(dayText, 2);
    if (month == 0 || day < 1)
        return {};
    if (timeOrYear.contains(':')) {
        const QTime time = clock(timeOrYear, false);
        if (!time.isValid())
            return {};
        return {QDate(currentYear, month, day), time};
    }
    const int year = timeOrYear.size() == 4 ? number(timeOrYear, 4) : -1;
    if (year < 1000)
        return {};
    return {QDate(year, month, day), QTime(0, 0)};
}

} // namespace

bool isWindowsDate(QByteArrayView date, QByteArrayView time)
{
    return windowsDay(date).isValid() && clock(time, true).isValid();
}

bool isUnixDate(QByteArrayView month, QByteArrayView day, QByteArrayView timeOrYear, int currentYear)
{
    const UnixDate date = unixDay(month, day, timeOrYear, currentYear);
    // Feb 29 without a year is a date even when this year has no such day.
    return date.day.isValid() || (date.time.isValid() && monthNumber(month) == 2 && number(day, 2) == 29);
}

Stamp parse(const QByteArrayView* fields, int count, int currentYear)
{
    if (count == 2)
        return {windowsDay(fields[0]), clock(fields[1], true)};
    if (count == 3) {
        const UnixDate date = unixDay(fields[0], fields[1], fields[2], currentYear);
        return {date.day, date.time};
    }
    return {};
}

} // namespace FtpListDate
