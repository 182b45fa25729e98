#pragma once

#include <QByteArray>

#include <functional>

#include <sys/stat.h>

namespace platform {

// Copies one item that is not a folder (a file, a link as a link, a pipe or device node) to its
// final name. The copy is written under a temporary name in the target folder and renamed into
// place only once complete and of the source's size, so the final name never shows half a file.
class FileCopier {
public:
    // Called after every chunk with the bytes just written; returning false cancels (ECANCELED).
    using Progress = std::function<bool(qint64 bytes)>;
    // Size mismatch after copying: the copy was not kept.
    static constexpr int VerifyFailed = -2;

    struct Options {
        bool replace = false;   // an existing target is replaced (atomically, by the rename)
        bool sync = false;      // flush the copy to disk before it gets its name (moves)
    };

    // 0 on success, errno (or VerifyFailed) otherwise; nothing of the copy is left on failure.
    static int copy(const QByteArray& source, const struct stat& st, const QByteArray& target,
                    Options options, const Progress& progress);
    // Gives a folder the source's permissions and times (after its contents are in place).
    static int copyFolderAttributes(const struct stat& st, const QByteArray& target);

private:
    static int copyFileData(int in, int out, const Progress& progress, qint64* copied);
};

} // namespace platform
