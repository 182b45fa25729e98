#pragma once

#include <QDateTime>
#include <QStringView>

// The dates FTP listings carry: "01-15-03 10:30AM" in Windows listings, "Jan 15 10:30" or
// "Jan 15 2003" in Unix ones.
namespace FtpListDate {

bool isWindowsDate(QStringView date, QStringView time);
bool isUnixDate(QStringView month, QStringView day, QStringView timeOrYear);
// Reads either form from the date fields joined by single blanks; invalid when it is neither.
// A Unix date without a year falls in the current year.
QDateTime parse(QStringView text);

} // namespace FtpListDate
