#pragma once

#include <QByteArray>
#include <QList>

namespace platform {

// The shell's wildcards in the last part of a source name: "*" and "?", letter case ignored,
// "*.*" for every name (with or without a dot).
class Wildcard {
public:
    static bool hasWildcard(const QByteArray& name);
    static bool matches(const QByteArray& pattern, const QByteArray& name);
    // The paths a source names: itself, or the matches of its last part in its folder, sorted.
    static QList<QByteArray> expand(const QByteArray& absoluteSource);
};

} // namespace platform
