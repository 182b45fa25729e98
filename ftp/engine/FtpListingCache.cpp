#include "ftp/engine/FtpListingCache.h"

#include "ftp/engine/FtpCommandEngine.h"
#include "ftp/engine/FtpDataEngine.h"
#include "ftp/engine/mFTPMain.h"

FtpListingCache::FtpListingCache(FtpCommandEngine& command, FtpDataEngine& data, FtpEngineHost& host)
    : m_command(command)
    , m_data(data)
    , m_host(host)
{
}

bool FtpListingCache::ListFolder(QString& key)
{
    if (!m_command.TreeReady)
        return true;
    m_host.ShowStatus(QStringLiteral("Getting List of Files and Folders. Wait a Second..."), 1);
    if (!key.endsWith(QLatin1Char('/')))
        key += QLatin1Char('/');
    if (m_lists.count(key))
        return true;
    const bool result = fetch(key);
    m_host.ShowStatus(QStringLiteral("Done"), 1);
    return result;
}

bool FtpListingCache::fetch(const QString& key)
{
    // A refused TYPE A still lets most servers list.
    m_command.SendCommand(TransferKind::None, QStringLiteral("TYPE A"));
    m_data.ClearListing();
    if (!m_data.PrepareDataConnection(TransferKind::Listing))
        return false;
    if (key == m_command.CurrentFolder) {
        if (!m_command.SendCommand(TransferKind::Listing, QStringLiteral("LIST")))
            return false;
    } else if (!key.contains(QLatin1Char(' '))) {
        if (!m_command.SendCommand(TransferKind::Listing, QStringLiteral("LIST ") + mFTPMain::StripTrailingSlash(key)))
            return false;
    } else {
        // Servers split LIST arguments at blanks, so such a folder is listed from inside.
        if (!m_command.SendCommand(TransferKind::Listing, QStringLiteral("CWD ") + mFTPMain::StripTrailingSlash(key)))
            return false;
        if (!m_command.SendCommand(TransferKind::Listing, QStringLiteral("LIST")))
            return false;
        m_command.SendCommand(TransferKind::None, QStringLiteral("CWD ") + mFTPMain::StripTrailingSlash(m_command.CurrentFolder));
    }
    auto list = std::make_unique<cFTPList>();
    QByteArray text = m_data.TakeListing();
    list->SetFTPFileList(text);
    list->SetFolder(key);
    cFTPList& added = *list;
    m_lists[key] = std::move(list);
    return resolveLinks(added);
}

// A link is a folder exactly when the server lets us change into it.
bool FtpListingCache::resolveLinks(cFTPList& list)
{
    bool tried = false;
    const int count = list.FileNumb();
    for (int i = 0; i < count; ++i) {
        // Each status lets pending events run; a million of them would take longer than the listing.
        if (list.IsLink(i) || i % 1000 == 0)
            m_host.ShowStatus(QStringLiteral("Processing %1/%2 files and folders").arg(i).arg(count), 1);
        if (!list.IsLink(i))
            continue;
        tried = true;
        if (m_command.SendCommand(TransferKind::None, QStringLiteral("CWD ") + mFTPMain::StripTrailingSlash(list.Path(i)))) {
            list.SetIsFolder(i, true);
            list.SetFileSize(i, QString());
        }
    }
    if (!tried)
        return true;
    return m_command.SendCommand(TransferKind::None, QStringLiteral("CWD ") + mFTPMain::StripTrailingSlash(m_command.CurrentFolder));
}

cFTPList* FtpListingCache::Find(const QString& key) const
{
    const auto found = m_lists.find(key);
    return found == m_lists.end() ? nullptr : found->second.get();
}

void FtpListingCache::Drop(const QString& key)
{
    m_lists.erase(key);
}

void FtpListingCache::Clear()
{
    m_lists.clear();
}
