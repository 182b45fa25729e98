#include "common/mmWinVersion.h"

#include "platform/core/SystemVersion.h"

namespace mmWinVersion {
namespace {

// Every test asks the system afresh.
bool isRelease(quint32 platformId, int major, int minor = -1)
{
    platform::OsVersionInfo v;
    if (!platform::GetVersionEx(&v) || v.platformId != platformId)
        return false;
    return int(v.majorVersion) == major && (minor < 0 || int(v.minorVersion) == minor);
}

} // namespace

int ShellLibVersion()
{
    platform::DllVersionInfo v;
    return platform::BrowserRuntimeVersion(&v) ? int(v.majorVersion) : 0;
}

QString ShellLibVersionText()
{
    platform::DllVersionInfo v;
    if (!platform::BrowserRuntimeVersion(&v))
        return QString();
    return QStringLiteral("%1.%2(Build #=%3)").arg(v.majorVersion).arg(v.minorVersion).arg(v.buildNumber);
}

bool IsWinNT()
{
    platform::OsVersionInfo v;
    return platform::GetVersionEx(&v) && v.platformId == platform::VER_PLATFORM_WIN32_NT;
}

bool IsWinNT4() { return isRelease(platform::VER_PLATFORM_WIN32_NT, 4); }
bool IsWinNT5() { return isRelease(platform::VER_PLATFORM_WIN32_NT, 5); }
bool IsWin2000() { return isRelease(platform::VER_PLATFORM_WIN32_NT, 5, 0); }
bool IsWinXP() { return isRelease(platform::VER_PLATFORM_WIN32_NT, 5, 1); }
bool IsWin95() { return isRelease(platform::VER_PLATFORM_WIN32_WINDOWS, 4, 0); }
bool IsWin98() { return isRelease(platform::VER_PLATFORM_WIN32_WINDOWS, 4, 10); }
bool IsWinME() { return isRelease(platform::VER_PLATFORM_WIN32_WINDOWS, 4, 90); }

} // namespace mmWinVersion
