#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// One request to the file operation engine, as SHFileOperation takes it.
struct FileOpRequest {
    int function = 0;          // FO_MOVE, FO_COPY, FO_DELETE, FO_RENAME
    QStringList sources;       // absolute, or relative to folder; wildcards in the last part
    QString target;            // copy/move: the target folder (or the new name for one source);
                               // rename: the new path (or name)
    quint16 flags = 0;         // FOF_*
    QString folder = {};       // where relative names are taken from; empty: the current folder.
                               // Given, a relative name may not lead out of it ("..", ".")
};

struct FileOpResult {
    int code = 0;              // 0, the errno of the first failure, or Cancelled
    bool aborted = false;      // the user cancelled, or declined an item
    bool ok() const { return code == 0 && !aborted; }
    static constexpr int Cancelled = 1223;
};

// Runs a file operation with the shell's questions and progress, then announces the changes.
FileOpResult runFileOperation(const FileOpRequest& request);

} // namespace platform
