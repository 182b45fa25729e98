#pragma once

#include <QString>

// Profile (INI) files, read the way GetPrivateProfileString reads them: section and key names
// compared without regard to case, blanks around keys and values dropped, one pair of matching
// quotes around a value removed, the first matching section and key winning.
namespace platform {

// The value, cut to maxChars characters (the caller's buffer less its NUL); fallback when the
// file, section or key is missing.
QString GetPrivateProfileString(const QString& section, const QString& key, const QString& fallback,
                                const QString& path, int maxChars);

} // namespace platform
