#pragma once

#include <QList>
#include <QString>

// The ten entry texts every driver offers after SetArcFile, read by index from 0, and the
// formatting they share. An index outside the listing reads as an empty text.
class cArchiveListing {
public:
    QString FileName(int i) const { return m_entries.value(i).FileName; }
    QString FilePath(int i) const { return m_entries.value(i).FilePath; }
    QString FileOriginal(int i) const { return m_entries.value(i).FileOriginal; }
    QString FilePacked(int i) const { return m_entries.value(i).FilePacked; }
    QString FileRatio(int i) const { return m_entries.value(i).FileRatio; }
    QString FileDate(int i) const { return m_entries.value(i).FileDate; }
    QString FILETIME(int i) const { return m_entries.value(i).FILETIME; }
    QString FileAttr(int i) const { return m_entries.value(i).FileAttr; }
    QString FileType(int i) const { return m_entries.value(i).FileType; }
    QString FileCRC(int i) const { return m_entries.value(i).FileCRC; }

    // "#,###": digits grouped by thousands, empty for 0.
    static QString GroupedSize(quint64 value);
    // yy/mm/dd and hh:mm:ss of a DOS date and time.
    static QString DosDateText(quint16 date);
    static QString DosTimeText(quint16 time);
    // The last four hexadecimal digits, upper case, padded with 0.
    static QString CrcText(quint32 crc);

protected:
    struct Entry {
        QString FileName, FilePath, FileOriginal, FilePacked, FileRatio, FileDate, FILETIME, FileAttr,
            FileType, FileCRC;
    };

    // SetArcFile for every driver: read(file) fills m_entries; when it fails the listing is
    // emptied, "Can not open" is shown in a box titled kindName + " Message", and 0 returned.
    template <typename Read> qint16 loadListing(const QString& file, const QString& kindName, Read read)
    {
        m_entries.clear();
        if (read(file))
            return qint16(m_entries.size());
        m_entries.clear();
        warnCannotOpen(file, kindName);
        return 0;
    }

    QList<Entry> m_entries;

private:
    static void warnCannotOpen(const QString& file, const QString& kindName);
};
