#pragma once

#include "ftp/engine/cFTPList.h"

#include <QString>

#include <map>
#include <memory>

class FtpCommandEngine;
class FtpDataEngine;
class FtpEngineHost;

// Every listing fetched, one cFTPList per folder key ("/" … "/"), and the fetching itself.
class FtpListingCache {
public:
    FtpListingCache(FtpCommandEngine& command, FtpDataEngine& data, FtpEngineHost& host);

    // Lists a folder unless its listing is cached; a missing final "/" is added to the key.
    bool ListFolder(QString& key);
    cFTPList* Find(const QString& key) const;
    void Drop(const QString& key);
    void Clear();
    int Size() const { return int(m_lists.size()); }

private:
    bool fetch(const QString& key);
    bool resolveLinks(cFTPList& list);

    FtpCommandEngine& m_command;
    FtpDataEngine& m_data;
    FtpEngineHost& m_host;
    std::map<QString, std::unique_ptr<cFTPList>> m_lists;
};
