#pragma once

#include <QString>

// The FTP library's one settings record; every window of the library and the engine read it.
struct FtpSettings {
    QString FontName;
    quint32 FontHandle = 0;
    QString FtpTempFolder;
    QString Host;
    QString UserName;
    QString Password;
    QString RemoteFolder;
    qint32 RemotePort = 21;
    qint32 WaitTime = 30;
    bool PassiveMode = false;
    bool WindowOpen = false;
};

FtpSettings& ftpSettings();
