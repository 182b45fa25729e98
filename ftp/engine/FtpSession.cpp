#include "ftp/engine/FtpSession.h"

#include "common/boxara/Boxara.h"
#include "ftp/engine/FtpSettings.h"
#include "ftp/engine/mFTPMain.h"
#include "platform/prompt/Prompt.h"

using platform::WinsockControl;

FtpSession::FtpSession(FtpEngineHost& host, QObject* parent)
    : QObject(parent)
    , m_host(host)
    , m_command(host)
    , m_data(m_command, host)
    , m_cache(m_command, m_data, host)
    , m_transfers(m_command, m_data, m_cache, host)
{
    m_command.SetDataEngine(&m_data);
    m_command.AskNewName = [this](const QString& oldName) { return askNewName(oldName); };
}

bool FtpSession::IsBusy() const
{
    return const_cast<FtpDataEngine&>(m_data).Winsock2().State() != WinsockControl::sckClosed
        || m_command.State() == CommandState::Pending;
}

QString FtpSession::LogOnFailedText() const
{
    return QStringLiteral("Log on failed to '%1'.\r\nLast command was '%2'.\r\nTry again ? \r\n")
        .arg(ftpSettings().Host, mFTPMain::MaskPassword(m_command.LastCommand()));
}

void FtpSession::ResetConnection()
{
    m_command.Reset();
    m_cache.Clear();
}

void FtpSession::Disconnect()
{
    m_command.EndCommand(CommandState::Failed);
    m_data.CloseWinsock2();
    m_command.QuitControl();
    m_command.EndCommand(CommandState::Failed);
    ResetConnection();
}

bool FtpSession::AbortCommand()
{
    if (!IsConnected())
        return false;
    m_command.EndCommand(CommandState::Cancelled);
    return m_command.SendCommand(TransferKind::None, QStringLiteral("ABOR"));
}

bool FtpSession::ChangeFolder(const QString& folder)
{
    return m_command.SendCommand(TransferKind::None, QStringLiteral("CWD ") + mFTPMain::StripTrailingSlash(folder));
}

bool FtpSession::SendKeepAlive()
{
    if (IsBusy() || !IsConnected())
        return false;
    return m_command.SendCommand(TransferKind::None, QStringLiteral("NOOP"));
}

bool FtpSession::MakeFolder()
{
    m_host.ShowStatus(QStringLiteral("Making dir..."), 1);
    if (!IsConnected())
        return false;
    const QString name = platform::InputBox(QStringLiteral("New folder:"), QStringLiteral("Make folder on the server")).value_or(QString());
    if (name.isEmpty())
        return false;
    m_command.SendCommand(TransferKind::None, QStringLiteral("MKD ") + mFTPMain::StripTrailingSlash(name));
    return true;
}

QString FtpSession::askNewName(const QString& oldName)
{
    return platform::InputBox(QStringLiteral("Type new name:"), QStringLiteral("Rename"), oldName).value_or(QString());
}

bool FtpSession::RenameItem(const QString& name)
{
    m_host.ShowStatus(QStringLiteral("Renaming..."), 1);
    if (!IsConnected() || name.isEmpty())
        return false;
    return m_command.SendCommand(TransferKind::None, QStringLiteral("RNFR ") + mFTPMain::StripTrailingSlash(name));
}

bool FtpSession::deleteFile(const QString& path)
{
    return m_command.SendCommand(TransferKind::None, QStringLiteral("DELE ") + path);
}

bool FtpSession::DeleteItems(const QList<int>& selected)
{
    m_host.ShowStatus(QStringLiteral("Deleting dir/file..."), 1);
    const QString text = QStringLiteral("Delete selected %1 files and folders ? ").arg(selected.size());
    if (Boxara::instance().Show(text, QStringLiteral("Deleting..."), QStringLiteral("&Yes"), QStringLiteral("&No")) != 0)
        return false;
    const QString current = m_command.CurrentFolder;
    const cFTPList* shown = m_cache.Find(current);
    if (!shown)
        return false;
    bool result = true;
    QStringList queue;
    for (int index : selected) {
        // A link is removed itself; following it would delete what it points to.
        if (shown->IsFolder(index) && !shown->IsLink(index))
            queue.append(shown->Path(index));
        else if (!deleteFile(current + shown->FileName(index)))
            result = false;
    }
    QStringList removals;
    while (!queue.isEmpty()) {
        QString head = queue.takeFirst();
        removals.append(head);
        if (!m_cache.ListFolder(head))
            continue;
        const cFTPList* list = m_cache.Find(head);
        for (int i = 0; list && i < list->FileNumb(); ++i) {
            if (list->IsFolder(i) && !list->IsLink(i))
                queue.append(list->Path(i));
            else if (!deleteFile(head + list->FileName(i)))
                result = false;
        }
    }
    for (auto it = removals.crbegin(); it != removals.crend(); ++it) {
        const QString relative = it->startsWith(current) ? it->mid(current.size()) : *it;
        if (!m_command.SendCommand(TransferKind::None, QStringLiteral("RMD ") + mFTPMain::StripTrailingSlash(relative)))
            result = false;
        m_cache.Drop(*it);
    }
    return result;
}
