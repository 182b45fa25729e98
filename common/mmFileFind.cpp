#include "common/mmFileFind.h"

#include "common/mmFile.h"
#include "platform/core/DoEvents.h"
#include "platform/core/FolderListing.h"

#include <QStringList>

namespace mmFileFind {

namespace {

QString subfolderPath(const QString& folder, const QString& name)
{
    const QString sep = mmFile::Separator(folder);
    return folder + name + (sep.isEmpty() ? QStringLiteral("/") : sep);
}

QStringList enterableSubfolders(const QString& folder)
{
    QStringList names;
    platform::ListFolder(folder, [&](const platform::FolderEntry& entry) {
        if (entry.folder && !entry.name.startsWith(u'.'))
            names << entry.name;
    });
    return names;
}

} // namespace

void FileRecordList::append(FileRecord record)
{
    if (m_count == m_records.size())
        m_records.resize(m_records.size() + kGrowth);
    m_records[m_count++] = std::move(record);
}

void FileRecordList::clear()
{
    m_records.clear();
    m_count = 0;
}

void CollectFiles(const QString& folder, const QString& pattern, FileRecordList& records, bool recurse,
                  const QString& base, const bool& keepGoing, const StatusTarget& status)
{
    if (status) {
        status(QStringLiteral("Searching ") + mmFile::QuoteIfSpaced(folder));
        platform::DoEvents();
    }
    if (!keepGoing)
        return;
    const QStringList subfolders = recurse ? enterableSubfolders(folder) : QStringList();
    CollectFolderFiles(folder, pattern, records, base, keepGoing);
    for (const QString& name : subfolders)
        CollectFiles(subfolderPath(folder, name), pattern, records, recurse, base, keepGoing, status);
}

void CollectFolderFiles(const QString& folder, const QString& pattern, FileRecordList& records,
                        const QString& base, const bool& keepGoing)
{
    if (!keepGoing)
        return;
    const QString relFolder = folder.mid(base.size());
    platform::ListFolder(folder, [&](const platform::FolderEntry& entry) {
        if (entry.folder || entry.linkedFolder || !platform::MatchesPattern(entry.name, pattern))
            return;
        records.append(FileRecord{relFolder, mmFile::CutAtNul(entry.name), FileTimeToDate(entry.modified, true),
                                  entry.size});
    });
}

void CountFolderTotals(const QString& folder, const QString& pattern, qint64& count, quint64& totalSize,
                       bool recurse)
{
    QStringList subfolders;
    platform::ListFolder(folder, [&](const platform::FolderEntry& entry) {
        if (entry.folder || entry.linkedFolder) {
            if (recurse && entry.folder && !entry.name.startsWith(u'.'))
                subfolders << entry.name;
            return;
        }
        totalSize += entry.size;
        ++count;
    });
    for (const QString& name : subfolders)
        CountFolderTotals(subfolderPath(folder, name), pattern, count, totalSize, recurse);
}

QDateTime FileTimeToDate(qint64 fileTime, bool toLocalTime)
{
    return QDateTime::fromSecsSinceEpoch(fileTime, toLocalTime ? Qt::LocalTime : Qt::UTC);
}

} // namespace mmFileFind
