#pragma once

#include <QString>
#include <QtGlobal>

namespace platform {

// The fixed file version record, in the published 52-byte layout.
struct VS_FIXEDFILEINFO {
    quint32 dwSignature = 0;
    quint32 dwStrucVersion = 0;
    quint32 dwFileVersionMS = 0;
    quint32 dwFileVersionLS = 0;
    quint32 dwProductVersionMS = 0;
    quint32 dwProductVersionLS = 0;
    quint32 dwFileFlagsMask = 0;
    quint32 dwFileFlags = 0;
    quint32 dwFileOS = 0;
    quint32 dwFileType = 0;
    quint32 dwFileSubtype = 0;
    quint32 dwFileDateMS = 0;
    quint32 dwFileDateLS = 0;
};
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);

inline constexpr quint32 kVersionSignature = 0xFEEF04BD;

// The version record of a file. Our own libraries and programs carry it in an ELF note
// (".note.duopane.version", owner "Duopane", type 1); another shared library gets the version
// its resolved file name ends in (libQt6Core.so.6 -> libQt6Core.so.6.4.2 -> 6.4.2.0). Anything
// else, and every damaged file, gives the all-zero record. The file is only read, never loaded.
VS_FIXEDFILEINFO ReadFileVersionRecord(const QString& path);

} // namespace platform
