#pragma once

#include <QByteArray>
#include <QString>

namespace duopane::test {

// A folder below the test process's own folder, with a trailing "/": made when missing, or
// made empty first.
QString testFolder(const QString& name);
QString freshFolder(const QString& name);
// Writes a file byte-exactly (its name may hold any bytes), making its folder first.
void writeBytes(const QString& path, const QByteArray& bytes, bool executable = false);

} // namespace duopane::test
