#include "platform/core/SystemVersion.h"

#include <QStringList>
#include <QVersionNumber>

#include <sys/utsname.h>

namespace platform {

bool GetVersionEx(OsVersionInfo* info)
{
    struct utsname name {};
    if (!info || ::uname(&name) != 0)
        return false;
    const QString release = QString::fromLocal8Bit(name.release);
    // "6.1.0-18-amd64": the numbers before the first non-digit part
    const QVersionNumber v = QVersionNumber::fromString(release);
    info->majorVersion = quint32(v.majorVersion());
    info->minorVersion = quint32(v.minorVersion());
    info->buildNumber = quint32(v.microVersion());
    info->platformId = VER_PLATFORM_LINUX;
    info->description = QString::fromLocal8Bit(name.sysname) + u' ' + release;
    return true;
}

bool BrowserRuntimeVersion(DllVersionInfo* info)
{
    if (!info)
        return false;
    const QVersionNumber v = QVersionNumber::fromString(QString::fromLatin1(qVersion()));
    if (v.isNull())
        return false;
    info->majorVersion = quint32(v.majorVersion());
    info->minorVersion = quint32(v.minorVersion());
    info->buildNumber = quint32(v.microVersion());
    info->platformId = VER_PLATFORM_LINUX;
    return true;
}

} // namespace platform
