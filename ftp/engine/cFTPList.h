#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// One entry of a remote folder listing.
struct TFILE {
    QString FileName;
    QString FileSize;
    QString FileAttr;
    QString FileLink;
    QString FileDate;
    bool bFolder = false;
};

// A parsed LIST reply: Windows (DOS) lines or Unix long lines with or without a group column,
// told apart by where the date stands in the first line that has one.
class cFTPList {
public:
    // Parses the listing text; the caller's text is emptied, as the listing is handed over.
    void SetFTPFileList(QString& listing);

    int FileNumb() const { return m_fileNumb; }
    void SetFileNumb(int count);
    QString Folder() const { return m_folder; }
    void SetFolder(const QString& folder) { m_folder = folder; }

    QString FileName(int index) const { return entry(index).FileName; }
    QString FileDate(int index) const { return entry(index).FileDate; }
    QString FileSize(int index) const { return entry(index).FileSize; }
    QString FileAttr(int index) const { return entry(index).FileAttr; }
    QString FileLink(int index) const { return entry(index).FileLink; }
    bool IsFolder(int index) const { return entry(index).bFolder; }
    bool IsLink(int index) const { return !entry(index).FileLink.isEmpty(); }
    void SetFileName(int index, const QString& value);
    void SetFileDate(int index, const QString& value);
    void SetFileSize(int index, const QString& value);
    void SetFileAttr(int index, const QString& value);
    void SetFileLink(int index, const QString& value);
    void SetIsFolder(int index, bool value);
    // Full remote path: a folder ends with "/", a link folder is its resolved target.
    QString Path(int index) const;

private:
    enum Layout { NoLayout = 0, Windows = 1, UnixWithGroup = 2, UnixWithoutGroup = 3 };
    using Fields = std::vector<QStringView>;

    bool parseLine(const Fields& fields, int index);
    bool findLayout(const Fields& fields);
    QString localDate(const QStringView* fields, int count);
    QString formatSize(QStringView field) const;
    const TFILE& entry(int index) const;
    TFILE* writable(int index);

    std::vector<TFILE> m_entries;
    int m_fileNumb = 0;
    QString m_folder;
    Layout m_layout = NoLayout;
    bool m_hasAttributes = false;
    int m_currentYear = 0;
    QString m_groupSeparator;
    QString m_lastAttr;
};
