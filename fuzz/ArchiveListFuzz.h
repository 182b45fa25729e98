#pragma once

#include "platform/archivers/kit/ArcFormat.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

// Hands the fuzzer's bytes to a format's listing as a file (the libraries read files).
inline void fuzzListing(arckit::ArcFormat& format, const std::uint8_t* data, std::size_t size)
{
    static const int fd = memfd_create("fuzz-archive", 0);
    ftruncate(fd, 0);
    pwrite(fd, data, size, 0);
    const QString path = QStringLiteral("/proc/self/fd/%1").arg(fd);
    const auto listing = format.list(path);
    if (listing) {
        volatile qsizetype total = 0;
        for (const auto& e : *listing) {
            const ArcEntryRecord record = arckit::toRecord(e);
            total += record.fileName[0] + e.name.size();
        }
    }
}
