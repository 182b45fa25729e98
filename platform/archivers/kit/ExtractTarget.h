#pragma once

#include "platform/archivers/kit/ArcOutput.h"

#include <QByteArray>
#include <QString>

#include <ctime>
#include <functional>
#include <optional>

namespace arckit {

// Writes members below one target folder and nothing anywhere else: absolute names, ".."
// and links that lead out are refused, no existing link is followed, a member that does not
// fit in the free space is not started, and a full disk mid-write removes the partial file.
class ExtractTarget {
public:
    struct Options {
        bool junkPaths = false;   // drop the member's folders
        bool overwrite = false;   // replace existing files
    };
    // Reads up to size bytes of the member; 0 at its end, -1 on failure (code in readError).
    using Reader = std::function<qint64(char* data, qint64 size)>;

    ExtractTarget(const QString& root, Options options, ArcOutput* output = nullptr);

    // Creates the target folder; an error code when it cannot be made or written.
    int begin();
    // Where a member goes below the root, or nullopt when its name is unsafe.
    std::optional<QByteArray> place(const QByteArray& memberName) const;

    void makeFolder(const QByteArray& memberName);
    void writeFile(const QByteArray& memberName, qint64 size, quint32 mode, std::time_t mtime,
        const Reader& read, const std::function<int()>& readError);
    // Moves a file another program unpacked (on the same file system) into the member's place.
    void adoptFile(const QByteArray& memberName, const QByteArray& stagedPath, std::time_t mtime);
    void makeSymlink(const QByteArray& memberName, const QByteArray& linkTarget);
    void makeHardlink(const QByteArray& memberName, const QByteArray& existingMember);

    // Whether a member of that size fits in the target's free space.
    bool fits(const QByteArray& memberName, qint64 size) const;
    QByteArray root() const { return m_root; }

    // The first error met (0 when none); stopped() after a full disk or a cancel.
    int result() const { return m_result; }
    bool stopped() const { return m_stopped; }
    void fail(int code, bool stop = false);
    int written() const { return m_written; }

private:
    bool makeParents(const QByteArray& path);
    bool enoughSpace(const QByteArray& path, qint64 size) const;
    int copyData(int fd, const Reader& read, const std::function<int()>& readError);
    bool prepareSlot(const QByteArray& path);

    QByteArray m_root;  // ends with "/"
    Options m_options;
    ArcOutput* m_output;
    int m_result = 0;
    bool m_stopped = false;
    int m_written = 0;
};

// Member names use "/" or "\"; unsafe when absolute, with a drive, or climbing with "..".
std::optional<QByteArray> safeRelativeName(const QByteArray& memberName);

} // namespace arckit
