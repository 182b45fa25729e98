#pragma once

#include <QDate>
#include <QTime>
#include <QStringView>

// The dates FTP listings carry: "01-15-03 10:30AM" in Windows listings, "Jan 15 10:30" or
// "Jan 15 2003" in Unix ones.
namespace FtpListDate {

bool isWindowsDate(QStringView date, QStringView time);
// A Unix date without a year falls in currentYear (asked of the clock once per listing).
bool isUnixDate(QStringView month, QStringView day, QStringView timeOrYear, int currentYear);
// A listing's date and time, kept apart: a local date-time would ask the time zone every time.
struct Stamp {
    QDate date;
    QTime time;
    bool isValid() const { return date.isValid() && time.isValid(); }
};
// Reads either form from its fields (two for Windows, three for Unix); invalid when it is neither.
Stamp parse(const QStringView* fields, int count, int currentYear);

} // namespace FtpListDate
