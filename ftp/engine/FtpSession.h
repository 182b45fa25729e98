#pragma once

#include "ftp/engine/FtpCommandEngine.h"
#include "ftp/engine/FtpDataEngine.h"
#include "ftp/engine/FtpEngineHost.h"
#include "ftp/engine/FtpListingCache.h"
#include "ftp/engine/FtpTransferEngine.h"

#include <QList>
#include <QObject>
#include <QString>

// One FTP connection: the control and data engines, the listing cache and transfers, and the
// user commands built on them. The FTP window owns one and shows what it reports.
class FtpSession : public QObject {
    Q_OBJECT
public:
    explicit FtpSession(FtpEngineHost& host, QObject* parent = nullptr);

    FtpCommandEngine& Command() { return m_command; }
    FtpDataEngine& Data() { return m_data; }
    FtpListingCache& Cache() { return m_cache; }
    FtpTransferEngine& Transfers() { return m_transfers; }

    bool IsConnected() const { return m_command.IsConnected(); }
    // A command is pending or the data connection is open.
    bool IsBusy() const;

    // Connects to the host of the settings record and logs on, up to the PWD of the start folder.
    bool LogOn() { return m_command.LogOn(); }
    // The question asked when the logon failed after a command was sent.
    QString LogOnFailedText() const;
    void Disconnect();
    void ResetConnection();
    bool AbortCommand();
    bool ChangeFolder(const QString& folder);
    // Asks for a name and makes that folder in the current one.
    bool MakeFolder();
    // Renames an entry of the current folder; the new name is asked when the server agrees.
    bool RenameItem(const QString& name);
    // Deletes the selected entries of the current folder, folders with everything in them.
    bool DeleteItems(const QList<int>& selected);
    bool SendKeepAlive();

private:
    bool deleteFile(const QString& path);
    QString askNewName(const QString& oldName);

    FtpEngineHost& m_host;
    FtpCommandEngine m_command;
    FtpDataEngine m_data;
    FtpListingCache m_cache;
    FtpTransferEngine m_transfers;
};
