#include "ftp/engine/FtpSettings.h"

#include <QDir>

FtpSettings& ftpSettings()
{
    static FtpSettings settings = [] {
        FtpSettings initial;
        initial.FtpTempFolder = QDir::tempPath() + QLatin1Char('/');
        return initial;
    }();
    return settings;
}
