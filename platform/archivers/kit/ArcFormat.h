#pragma once

#include "platform/archivers/kit/ArcCommandLine.h"
#include "platform/archivers/kit/ArcEntry.h"
#include "platform/archivers/kit/ArcOutput.h"

#include <QString>

#include <optional>

namespace arckit {

// What one archiver library does; the exported C calls of the library forward to it.
class ArcFormat {
public:
    virtual ~ArcFormat() = default;
    virtual quint16 version() const = 0;
    // The members, or nullopt when the file cannot be opened as this kind of archive.
    virtual std::optional<ArcListing> list(const QString& archive) = 0;
    virtual bool check(const QString& archive) { return list(archive).has_value(); }
    // Runs one command of the library's own syntax; an error code or 0.
    virtual int run(const QByteArray& command, ArcOutput& output) = 0;
};

} // namespace arckit
