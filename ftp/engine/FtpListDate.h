#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QTime>

// The dates FTP listings carry: "01-15-03 10:30AM" in Windows listings, "Jan 15 10:30" or
// "Jan 15 2003" in Unix ones. Read from the listing's bytes, as the parser keeps them.
namespace FtpListDate {

bool isWindowsDate(QByteArrayView date, QByteArrayView time);
// A Unix date without a year falls in currentYear (asked of the clock once per listing).
bool isUnixDate(QByteArrayView month, QByteArrayView day, QByteArrayView timeOrYear, int currentYear);
// A listing's date and time, kept apart: a local date-time would ask the time zone every time.
struct Stamp {
    QDate date;
    QTime time;
    bool isValid() const { return date.isValid() && time.isValid(); }
};
// Reads either form from its fields (two for Windows, three for Unix); invalid when it is neither.
Stamp parse(const QByteArrayView* fields, int count, int currentYear);

} // namespace FtpListDate
