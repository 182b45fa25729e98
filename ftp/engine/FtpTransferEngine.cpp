#include "ftp/engine/FtpTransferEngine.h"

#include "ftp/engine/FtpCommandEngine.h"
#include "ftp/engine/FtpDataEngine.h"
#include "ftp/engine/FtpListingCache.h"
#include "ftp/engine/FtpSettings.h"
#include "ftp/engine/cFTPList.h"
#include "ftp/engine/mFTPMain.h"

#include <QDir>
#include <QFileInfo>

using mFTPMain::BatchItem;

namespace {

QString quotedName(const QString& path)
{
    return QLatin1Char('\'') + path.section(QLatin1Char('/'), -1) + QLatin1Char('\'');
}

} // namespace

FtpTransferEngine::FtpTransferEngine(FtpCommandEngine& command, FtpDataEngine& data, FtpListingCache& cache,
                                     FtpEngineHost& host, QObject* parent)
    : QObject(parent)
    , m_command(command)
    , m_data(data)
    , m_cache(cache)
    , m_host(host)
{
    m_tmrUpDown.setInterval(1000);
    connect(&m_tmrUpDown, &QTimer::timeout, this, &FtpTransferEngine::pollCancel);
}

void FtpTransferEngine::SetLocalFolder(const QString& folder)
{
    m_localFolder = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString FtpTransferEngine::LocalPathFor(const QString& relativeRemotePath) const
{
    if (!mFTPMain::IsSafeRelativePath(relativeRemotePath))
        return {};
    return m_localFolder + relativeRemotePath;
}

void FtpTransferEngine::pollCancel()
{
    if (!m_host.TransferCanceled())
        return;
    m_data.CloseWinsock2();
    m_command.EndCommand(CommandState::Cancelled);
}

bool FtpTransferEngine::sendTransfer(TransferKind kind, const QString& command)
{
    if (!m_data.PrepareDataConnection(kind))
        return false;
    return m_command.SendCommand(kind, command);
}

bool FtpTransferEngine::DownloadFile(const QString& remotePath, qint64 size)
{
    m_host.ShowStatus(QStringLiteral("Downloading '%1'...").arg(remotePath), 1);
    const QString localPath = LocalPathFor(remotePath);
    m_host.ShowProgressLabels(ftpSettings().Host + m_command.CurrentFolder, m_localFolder, remotePath);
    bool result = false;
    if (localPath.isEmpty()) {
        // The server named a file outside the folder the user chose.
        m_command.LogLine(FtpLogColour::Red, QStringLiteral("Refused to write '%1' outside the folder %2.")
                                                 .arg(remotePath, m_localFolder));
    } else {
        QFile::remove(localPath);
        m_data.SetPrg1(0, double(size));
        if (m_data.OpenDownload(localPath, size)) {
            result = sendTransfer(TransferKind::Download, QStringLiteral("RETR ") + remotePath);
            m_data.FinishFile();
            // A connection that ended early is a failed download, not a short file.
            if (result && m_data.FileDone() < m_data.FileSize()) {
                m_command.LogLine(FtpLogColour::Red, QStringLiteral("Downloading '%1' ended after %2 of %3 bytes.")
                                                         .arg(remotePath).arg(m_data.FileDone()).arg(m_data.FileSize()));
                result = false;
            }
        }
    }
    if (!result && m_command.State() != CommandState::Cancelled && m_command.State() != CommandState::Closing) {
        m_command.BeginCommand(TransferKind::None);
        m_command.EndCommand(CommandState::Failed);
    }
    m_host.ShowStatus(QStringLiteral("Done"), 1);
    return result;
}

bool FtpTransferEngine::UploadFile(const QString& name, qint64 size)
{
    const QString localPath = m_localFolder + name;
    m_host.ShowStatus(QStringLiteral("Uploading '%1'...").arg(name), 1);
    m_host.ShowProgressLabels(m_localFolder, ftpSettings().Host + m_command.CurrentFolder, name);
    bool result = false;
    if (m_data.OpenUpload(localPath, size))
        result = sendTransfer(TransferKind::Upload, QStringLiteral("STOR ") + name);
    m_data.FinishFile();
    if (!result && m_command.State() == CommandState::Succeeded) {
        m_command.BeginCommand(TransferKind::None);
        m_command.EndCommand(CommandState::Failed);
    }
    m_host.ShowStatus(QStringLiteral("Done"), 1);
    return result;
}

bool FtpTransferEngine::DownloadBatch(const QString& localFolder, const QStringList& batch)
{
    return runBatch(Direction::Down, localFolder, batch);
}

bool FtpTransferEngine::UploadBatch(const QString& localFolder, const QStringList& batch)
{
    return runBatch(Direction::Up, localFolder, batch);
}

bool FtpTransferEngine::transferOne(Direction direction, const QString& path, qint64 size)
{
    return direction == Direction::Down ? DownloadFile(path, size) : UploadFile(path, size);
}

bool FtpTransferEngine::runBatch(Direction direction, const QString& localFolder, const QStringList& batch)
{
    const QString verb = direction == Direction::Down ? QStringLiteral("Downloading") : QStringLiteral("Uploading");
    m_host.ShowStatus(QStringLiteral("%1 %2 files and folders...").arg(verb).arg(batch.size()), 1);
    m_host.StartProgress(verb + QStringLiteral("..."));
    bool started = false;
    bool stopped = false;
    int transferred = 0;
    if (QFileInfo(localFolder).isDir()) {
        SetLocalFolder(localFolder);
        m_tmrUpDown.start();
        started = m_command.SendCommand(TransferKind::None, QStringLiteral("TYPE I"));
    }
    if (started) {
        QList<BatchItem> items;
        double total = 0;
        for (const QString& text : batch) {
            items.append(mFTPMain::SplitBatchItem(text));
            total += double(items.last().size);
        }
        m_data.SetPrg2(0, total);
        m_data.BatchDone = 0;
        for (const BatchItem& item : items) {
            const QString name = quotedName(item.path);
            if (item.size == 0) {
                m_command.LogLine(FtpLogColour::Magenta, QStringLiteral("%1 %2 is aborted since it has 0 size.").arg(verb, name));
                continue;
            }
            transferOne(direction, item.path, item.size);
            if (m_command.State() == CommandState::Cancelled) {
                m_command.LogLine(FtpLogColour::Red, QStringLiteral("%1 file(s) is aborted by user.").arg(verb));
                stopped = true;
                break;
            }
            if (m_command.State() == CommandState::Failed) {
                m_command.LogLine(FtpLogColour::Red, QStringLiteral("%1 %2 is failed.").arg(verb, name));
            } else {
                m_command.LogLine(FtpLogColour::Magenta, QStringLiteral("%1 %2 is successful.").arg(verb, name));
                ++transferred;
            }
            m_data.BatchDone += item.size;
        }
    }
    m_data.CloseWinsock2();
    m_tmrUpDown.stop();
    m_host.ShowStatus(QStringLiteral("Done"), 1);
    if (direction == Direction::Up)
        return transferred > 0;
    return started && !stopped;
}

QStringList FtpTransferEngine::TransferListLines(const cFTPList& list, const QList<int>& selected) const
{
    QStringList lines;
    for (int index : selected) {
        if (list.IsFolder(index))
            lines.append(list.Path(index));
        else
            lines.append(list.FileName(index) + QLatin1Char('?') + list.FileSize(index));
    }
    return lines;
}

// Grows the file list with everything below the queued remote folders, making the local folders.
bool FtpTransferEngine::walkRemote(const QString& localBase, QStringList& queue, QStringList& files)
{
    QSet<QString> visited;
    const QString& current = m_command.CurrentFolder;
    while (!queue.isEmpty()) {
        QString head = queue.takeFirst();
        // Link targets may point anywhere; only folders below the current one are fetched,
        // and each only once, so a link to a parent cannot loop.
        if (!head.startsWith(current) || head.size() <= current.size() || visited.contains(head))
            continue;
        visited.insert(head);
        const QString relative = head.mid(current.size());
        if (!mFTPMain::IsSafeRelativePath(relative) || !QDir().mkpath(localBase + relative))
            continue;
        if (!m_cache.ListFolder(head))
            continue;
        const cFTPList* list = m_cache.Find(head);
        for (int i = 0; list && i < list->FileNumb(); ++i) {
            if (list->IsFolder(i))
                queue.append(list->Path(i));
            else
                files.append(relative + list->FileName(i) + QLatin1Char('?') + list->FileSize(i));
        }
    }
    return true;
}

bool FtpTransferEngine::DownloadTransferList(const QString& targetFolder, const QStringList& lines)
{
    SetLocalFolder(targetFolder);
    const QString localBase = m_localFolder;
    QStringList files;
    QStringList queue;
    for (const QString& line : lines) {
        if (line.isEmpty())
            continue;
        (line.contains(QLatin1Char('?')) ? files : queue).append(line);
    }
    walkRemote(localBase, queue, files);
    if (files.isEmpty())
        return false;
    m_host.StartProgress(QStringLiteral("Downloading..."));
    const bool result = DownloadBatch(localBase, files);
    m_host.EndProgress();
    return result;
}

bool FtpTransferEngine::UploadLocalPaths(const QStringList& paths)
{
    if (paths.isEmpty() || (paths.size() == 1 && paths.first().isEmpty()))
        return false;
    const QString first = mFTPMain::StripTrailingSlash(paths.first());
    const QString base = first.left(first.lastIndexOf(QLatin1Char('/')) + 1);
    if (base.isEmpty())
        return false;
    SetLocalFolder(base);
    QStringList queue;
    QStringList files;
    for (const QString& path : paths) {
        const QFileInfo info(mFTPMain::StripTrailingSlash(path));
        if (info.isDir())
            queue.append(info.filePath() + QLatin1Char('/'));
        else if (info.isFile())
            files.append(mFTPMain::MakeBatchItem(info.fileName(), info.size()));
    }
    while (!queue.isEmpty()) {
        const QString head = queue.takeFirst();
        const QString relative = head.mid(base.size());
        if (!relative.isEmpty())
            m_command.SendCommand(TransferKind::None, QStringLiteral("MKD ") + mFTPMain::StripTrailingSlash(relative));
        // Linked folders are not followed: a link to a parent would never end.
        const QFileInfoList entries = QDir(head).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo& entry : entries) {
            if (entry.isDir() && !entry.isSymLink() && !entry.fileName().startsWith(QLatin1Char('.')))
                queue.append(head + entry.fileName() + QLatin1Char('/'));
            else if (entry.isFile())
                files.append(mFTPMain::MakeBatchItem(relative + entry.fileName(), entry.size()));
        }
    }
    m_host.StartProgress(QStringLiteral("Uploading..."));
    const bool result = UploadBatch(base, files);
    m_host.EndProgress();
    return result;
}

QString FtpTransferEngine::FetchForOpening(const QString& name, qint64 size)
{
    QString folder = ftpSettings().FtpTempFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    if (!mFTPMain::IsSafeRelativePath(name) || name.contains(QLatin1Char('/')))
        return {};
    const QString localPath = folder + name;
    QFile::remove(localPath);
    m_host.StartProgress(QStringLiteral("Downloading..."));
    DownloadBatch(folder, {mFTPMain::MakeBatchItem(name, size)});
    m_host.EndProgress();
    return QFileInfo(localPath).isFile() ? localPath : QString();
}
