#pragma once

#include "platform/archivers/ArchiverApi.h"
#include "platform/archivers/kit/PackList.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <ctime>
#include <zip.h>

namespace arckit {

// The zip library: ZIP writing over libzip with the options record and the four callbacks.
// Names are relative to the root folder (or absolute), may hold wildcards, "dir\*.*" packs a
// folder (and its subfolders with recurse); the archive is replaced only when all went well.
class ZipWriter {
public:
    void setFunctions(const ZpUserFunctions* functions);
    void setOptions(const ZpOptions* options);
    // Info-ZIP's return codes: 0 done, 9 interrupted, 12 nothing to do, 15 cannot write …
    int archive(int count, const char* archivePath, const ZpNames* names);

    enum Result {
        Ok = 0, Structure = 3, Interrupted = 9, TempFile = 10, ReadSeek = 11, NothingToDo = 12,
        MissingZip = 13, WriteFile = 14, CannotCreate = 15, BadArgument = 16, CannotRead = 18,
    };

private:
    using Source = PackItem;

    QList<Source> collect(const QStringList& names) const;
    void collectFolder(const QString& folder, const QString& pattern, const QString& strip, QList<Source>& out) const;
    bool wanted(const QString& name) const;
    // strip: the front of path that is not part of the member name.
    Source sourceFor(const QString& path, const QString& strip) const;
    int addAll(zip_t* zip, const QList<Source>& sources);
    bool addOne(zip_t* zip, const Source& source, int& added);
    int deleteEntries(zip_t* zip, const QStringList& names);
    int finish(zip_t* zip, const QList<Source>& moved);
    void print(const QByteArray& text) const;
    bool askPassword(const QByteArray& member);
    void askComment(zip_t* zip);

    ZpUserFunctions m_functions {};
    ZpOptions m_options {};
    QString m_root;
    QByteArray m_password;
    qint64 m_totalBytes = 0;
    qint64 m_dotsPrinted = 0;

    friend void zipProgress(zip_t*, double, void*);
    friend int zipCancel(zip_t*, void*);
};

} // namespace arckit
