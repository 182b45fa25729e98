#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

// File search and folder totals: the file records of a folder tree for the comparator and the
// user menu, and the count and size of a tree's files for the packer's progress.
namespace mmFileFind {

struct FileRecord {
    QString RelFolder;   // the file's folder after the base folder's text ("" directly in the base)
    QString Name;
    QDateTime Modified;  // last write, local time, whole seconds
    quint64 Size = 0;
};

// The growable record list: the array grows by 1000 records whenever the count reaches its size,
// so capacity() may exceed count(); only the first count() records are in use.
class FileRecordList {
public:
    static constexpr qsizetype kGrowth = 1000;

    qsizetype count() const { return m_count; }
    qsizetype capacity() const { return m_records.size(); }
    const FileRecord& operator[](qsizetype i) const { return m_records[i]; }
    FileRecord& operator[](qsizetype i) { return m_records[i]; }
    const FileRecord* begin() const { return m_records.constData(); }
    const FileRecord* end() const { return m_records.constData() + m_count; }

    void append(FileRecord record);
    void clear();

private:
    QList<FileRecord> m_records;
    qsizetype m_count = 0;
};

// Shows what is being searched ("Searching " + the folder); may be empty.
using StatusTarget = std::function<void(const QString&)>;

// Appends the records of the folder's files matching the pattern, then (recurse) those of its
// subfolders, depth first. The caller sets keepGoing before and clears it to stop: a search
// that finds it clear returns without adding anything more. Folders whose name begins with "."
// and links to folders are never entered; the pattern does not apply to folders.
void CollectFiles(const QString& folder, const QString& pattern, FileRecordList& records, bool recurse,
                  const QString& base, const bool& keepGoing, const StatusTarget& status = {});
// Appends the records of one folder's plain files that match the pattern.
void CollectFolderFiles(const QString& folder, const QString& pattern, FileRecordList& records,
                        const QString& base, const bool& keepGoing);
// Adds the number and the sizes of the plain files of the folder (and, with recurse, of its
// subfolders) to count and totalSize. The pattern is not used.
void CountFolderTotals(const QString& folder, const QString& pattern, qint64& count, quint64& totalSize,
                       bool recurse);
// The date-time of a file time (seconds since 1970 UTC), in local time when asked, else in UTC.
QDateTime FileTimeToDate(qint64 fileTime, bool toLocalTime);

} // namespace mmFileFind
