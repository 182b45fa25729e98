#pragma once

#include <QString>

#include <functional>

namespace platform {

// One entry of a folder as the find-first/find-next enumeration reports it.
struct FolderEntry {
    QString name;
    bool folder = false;        // a real folder (a symbolic link to one is linkedFolder instead)
    bool linkedFolder = false;  // never entered by walks, so a link cycle cannot trap them
    quint64 size = 0;           // of the file a link leads to; 0 for a dangling link
    qint64 modified = 0;        // last write, seconds since 1970 UTC
};

// Visits every entry of a folder except "." and "..", in the order the file system gives them,
// names decoded byte-exactly (FileName.h). False when the folder cannot be read.
bool ListFolder(const QString& folder, const std::function<void(const FolderEntry&)>& visit);

// The find-first pattern rules: "*" any run, "?" one character, letters without regard to case;
// "*" and "*.*" match every name, and "name.*" also matches "name" without an extension.
bool MatchesPattern(const QString& name, const QString& pattern);

} // namespace platform
