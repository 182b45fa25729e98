#pragma once

#include "ftp/engine/FtpSession.h"
#include "ftp/engine/FtpSettings.h"
#include "tests/ftp/RecordingHost.h"

#include <QString>

namespace duopane::test {

// An engine connected to a loopback server the way the FTP window connects it.
struct FtpTestClient {
    RecordingHost host;
    FtpSession session{host};

    FtpTestClient(quint16 port, bool passive = true, const QString& user = QStringLiteral("tester"),
                  const QString& password = QStringLiteral("secret"))
    {
        FtpSettings& settings = ftpSettings();
        settings.Host = QStringLiteral("127.0.0.1");
        settings.RemotePort = port;
        settings.UserName = user;
        settings.Password = password;
        settings.RemoteFolder.clear();
        settings.PassiveMode = passive;
        settings.WaitTime = 30;
    }

    // Logs on and marks the tree as built, so listings are fetched as the window fetches them.
    bool logOn()
    {
        const bool ok = session.LogOn();
        session.Command().TreeReady = ok;
        return ok;
    }
    const cFTPList* list(QString folder)
    {
        if (!session.Cache().ListFolder(folder))
            return nullptr;
        return session.Cache().Find(folder);
    }
    int indexOf(const cFTPList& list, const QString& name) const
    {
        for (int i = 0; i < list.FileNumb(); ++i) {
            if (list.FileName(i) == name)
                return i;
        }
        return -1;
    }
};

} // namespace duopane::test
