#pragma once

#include <QList>
#include <QString>

#include <memory>

namespace platform {
class ArchiverLibrary;
}

// The ACE driver over UnAce: open, read header, process file. It has no command line.
class cUnAce {
public:
    cUnAce();
    ~cUnAce();

    bool CheckArchive(const QString& file);
    qint16 SetArcFile(const QString& file);
    // Extracts the members chosen by sArcList ("@file", "*.*", "*.ext" or names); the count.
    int ACEExtract(const QString& sArcFile, const QString& sArcDir, const QString& sArcList, bool bUseFolder);

    QString FileName(int i) const { return m_entries[i].FileName; }
    QString FilePath(int i) const { return m_entries[i].FilePath; }
    QString FileOriginal(int i) const { return m_entries[i].FileOriginal; }
    QString FilePacked(int i) const { return m_entries[i].FilePacked; }
    QString FileRatio(int i) const { return m_entries[i].FileRatio; }
    QString FileDate(int i) const { return m_entries[i].FileDate; }
    QString FILETIME(int i) const { return m_entries[i].FILETIME; }
    QString FileAttr(int i) const { return m_entries[i].FileAttr; }
    QString FileType(int i) const { return m_entries[i].FileType; }
    QString FileCRC(int i) const { return m_entries[i].FileCRC; }

    // The choice rule of ACEExtract for a prepared list and a member's full name.
    static bool IsChosen(const QString& list, const QString& fullName);

private:
    struct Entry {
        QString FileName, FilePath, FileOriginal, FilePacked, FileRatio, FileDate, FILETIME, FileAttr, FileType,
            FileCRC;
    };
    void* call(const char* name) const;
    bool readListing(const QString& file);
    int extractAll(quint32 handle, const QString& dir, const QString& list, bool useFolder);

    std::unique_ptr<platform::ArchiverLibrary> m_library;
    QList<Entry> m_entries;
};
