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
// Sets one key as WritePrivateProfileString does: the key's line is replaced in the first matching
// section, or added at that section's end, or a new section is added at the end of the file (which
// is made when missing). Lines end in CR LF; other lines stay as they are. False when the file
// cannot be written or a name would break the file's form (a line break, "=" or "]" in a name).
bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& path);

} // namespace platform
