#pragma once

#include "archiver/cArchiveListing.h"

#include <QString>

#include <memory>

namespace platform {
class ArchiverLibrary;
}

// The ACE driver over UnAce: open, read header, process file. It has no command line.
class cUnAce : public cArchiveListing {
public:
    cUnAce();
    ~cUnAce();

    bool CheckArchive(const QString& file);
    qint16 SetArcFile(const QString& file);
    // Extracts the members chosen by sArcList ("@file", "*.*", "*.ext" or names); the count.
    int ACEExtract(const QString& sArcFile, const QString& sArcDir, const QString& sArcList, bool bUseFolder);

    // The choice rule of ACEExtract for a prepared list and a member's full name.
    static bool IsChosen(const QString& list, const QString& fullName);

private:
    void* call(const char* name) const;
    bool readListing(const QString& file);
    int extractAll(quint32 handle, const QString& dir, const QString& list, bool useFolder);

    std::unique_ptr<platform::ArchiverLibrary> m_library;
};
