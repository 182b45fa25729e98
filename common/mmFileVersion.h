#pragma once

#include "platform/core/FileVersionRecord.h"

#include <QString>

// The fixed version record of a file, as text and as a minimum-version test.
namespace mmFileVersion {

using platform::VS_FIXEDFILEINFO;

// The file's record; all zero for a file without version information.
VS_FIXEDFILEINFO FixedFileInfo(const QString& path);
// "high.low" of a 32-bit word; empty (and *ok false) when a half is 32768 or more.
QString VersionWordPair(quint32 word, bool* ok = nullptr);
// "a.b.c.d" of the file version; empty for an empty path or an unusable version.
QString FileVersionText(const QString& path);
// True when the file's version is at least the first two numbers of minimum ("6.0.x.x");
// false on any failure: no version information, a part that is not a number, a half too large.
bool VersionAtLeast(const QString& path, const QString& minimum);

} // namespace mmFileVersion
