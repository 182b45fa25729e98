#pragma once

#include <QString>

// The version facts the program asks of its system, reported honestly for Linux.
namespace platform {

inline constexpr quint32 VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr quint32 VER_PLATFORM_WIN32_NT = 2;
// Not a Windows platform: every Windows-family test answers false.
inline constexpr quint32 VER_PLATFORM_LINUX = 0x4c;

struct OsVersionInfo {
    quint32 majorVersion = 0;
    quint32 minorVersion = 0;
    quint32 buildNumber = 0;
    quint32 platformId = 0;
    QString description; // e.g. "Linux 6.1.0-18-amd64"
};

// GetVersionEx: the kernel's release numbers; false when uname fails.
bool GetVersionEx(OsVersionInfo* info);

struct DllVersionInfo {
    quint32 majorVersion = 0;
    quint32 minorVersion = 0;
    quint32 buildNumber = 0;
    quint32 platformId = 0;
};

// The web browser runtime's version (what the shell's utility library version measured on
// Windows): the Qt libraries that carry our folder and web views.
bool BrowserRuntimeVersion(DllVersionInfo* info);

} // namespace platform
