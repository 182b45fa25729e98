#include "platform/core/SystemFolders.h"

#include "platform/core/FileName.h"
#include "platform/core/FileSystem.h"

#include <QStandardPaths>

#include <dlfcn.h>

namespace platform {

QString WindowsFolder()
{
    return QStringLiteral("/usr/");
}

QString SystemFolder()
{
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&SystemFolder), &info) == 0 || info.dli_fname == nullptr)
        return QString();
    QString library = DecodeFileName(QByteArray(info.dli_fname));
    if (!library.startsWith(u'/'))
        library = fs::CurrentFolder() + library;
    return library.left(library.lastIndexOf(u'/') + 1);
}

QString PrivateDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/duopane/");
}

QString PrivateLinkFolder()
{
    return PrivateDataFolder() + QStringLiteral("DpxLink/");
}

QString PrivateScratchFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/duopane/DpxTmp/");
}

QString SiteFilePath()
{
    return PrivateDataFolder() + QStringLiteral("FTPSite.dat");
}

} // namespace platform
