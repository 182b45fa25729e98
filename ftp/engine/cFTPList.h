#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

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
//
// Listings may hold a million lines, so an entry keeps no strings of its own: names and links
// are UTF-8 runs in one buffer (the listing's own, compacted in place as it is read), sizes and
// dates are numbers, and each field becomes a QString only when it is asked for.
class cFTPList {
public:
    // Parses the listing text; the caller's text is emptied, as the listing is handed over.
    void SetFTPFileList(QString& listing);
    // The same for the listing's bytes (UTF-8) as the data connection delivers them.
    void SetFTPFileList(QByteArray& listing);

    int FileNumb() const { return m_fileNumb; }
    void SetFileNumb(int count);
    QString Folder() const { return m_folder; }
    void SetFolder(const QString& folder) { m_folder = folder; }

    TFILE Entry(int index) const;
    QString FileName(int index) const;
    QString FileDate(int index) const;
    QString FileSize(int index) const;
    QString FileAttr(int index) const;
    QString FileLink(int index) const;
    bool IsFolder(int index) const { return entry(index).folder; }
    bool IsLink(int index) const { return entry(index).link.length > 0; }
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
    // A run of m_text.
    struct Text {
        quint32 offset = 0;
        quint32 length = 0;
    };
    struct Record {
        Text name, link, attr;
        // The server's text where a size or date is not a number we read.
        Text sizeText, dateText;
        qint64 size = -1;
        // Julian day and second of the day; day 0 when the date is text.
        qint32 day = 0;
        qint32 second = 0;
        bool folder = false;
    };
    // The first fields of one line, views into the buffer; no layout reads past the ninth,
    // whatever follows belongs to the name.
    static constexpr int kMaxFields = 9;
    struct Fields {
        QByteArrayView field[kMaxFields];
        int count = 0;
    };
    struct Positions;
    // The buffer's offsets are 32-bit; a longer listing keeps its first lines.
    static constexpr qsizetype kMaxText = qsizetype(0x7fffffff);

    void parse(QByteArray& text);
    static void splitFields(const char* line, const char* end, Fields& fields);
    bool parseLine(const Fields& f, const char* lineEnd);
    bool findLayout(const Fields& fields);
    void keepSize(Record& record, QByteArrayView field);
    void keepDate(Record& record, const Fields& f, const Positions& p);
    void keepName(Record& record, const char* from, const char* to);
    Text compactSpan(const char* from, const char* to);
    Text keepText(QByteArrayView bytes);
    Text appendText(const QString& value);
    QByteArrayView bytes(Text run) const;
    QString text(Text run) const;
    const Record& entry(int index) const;
    Record* writable(int index);

    QByteArray m_text;
    qsizetype m_written = 0;
    std::vector<Record> m_entries;
    int m_fileNumb = 0;
    QString m_folder;
    Layout m_layout = NoLayout;
    bool m_hasAttributes = false;
    int m_currentYear = 0;
    QString m_groupSeparator;
    Text m_lastAttr;
};
