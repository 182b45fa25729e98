#pragma once

#include "ftp/engine/FtpEngineHost.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

class FtpCommandEngine;
class FtpDataEngine;
class FtpListingCache;
class cFTPList;

// Files and batches of files moved over data connections, and the walks that make the batches:
// remote folders for downloads, local folders for uploads.
class FtpTransferEngine : public QObject {
    Q_OBJECT
public:
    FtpTransferEngine(FtpCommandEngine& command, FtpDataEngine& data, FtpListingCache& cache,
                      FtpEngineHost& host, QObject* parent = nullptr);

    bool DownloadFile(const QString& remotePath, qint64 size);
    bool UploadFile(const QString& name, qint64 size);
    bool DownloadBatch(const QString& localFolder, const QStringList& batch);
    bool UploadBatch(const QString& localFolder, const QStringList& batch);
    // The lines of a transfer-list file: folders by full remote path, files as "name?size".
    QStringList TransferListLines(const cFTPList& list, const QList<int>& selected) const;
    bool DownloadTransferList(const QString& targetFolder, const QStringList& lines);
    bool UploadLocalPaths(const QStringList& paths);
    // A remote file of the current folder fetched into the temporary folder; empty on failure.
    QString FetchForOpening(const QString& name, qint64 size);

    void SetLocalFolder(const QString& folder);
    const QString& LocalFolder() const { return m_localFolder; }
    // The local path a remote path goes to; empty when the name would lead out of the folder.
    QString LocalPathFor(const QString& relativeRemotePath) const;

private:
    enum class Direction { Down, Up };
    bool runBatch(Direction direction, const QString& localFolder, const QStringList& batch);
    bool transferOne(Direction direction, const QString& path, qint64 size);
    bool sendTransfer(TransferKind kind, const QString& command);
    void pollCancel();
    bool walkRemote(const QString& localBase, QStringList& queue, QStringList& files);

    FtpCommandEngine& m_command;
    FtpDataEngine& m_data;
    FtpListingCache& m_cache;
    FtpEngineHost& m_host;
    QString m_localFolder;
    QTimer m_tmrUpDown;
};
