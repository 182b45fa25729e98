#pragma once

#include "platform/shell/FileOpProgress.h"
#include "platform/shell/FileOperation.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>

#include <functional>
#include <memory>

#include <sys/stat.h>

namespace platform {

// Carries out one file operation: expands the sources, asks the shell's questions, copies, moves,
// deletes or renames, keeps the progress window current, and announces what changed.
class FileOpEngine {
public:
    explicit FileOpEngine(const FileOpRequest& request);
    FileOpResult run();

private:
    enum class Resolution { Replace, Skip, Stop };

    QList<QByteArray> expandSources() const;
    QByteArray absolute(const QString& path) const;
    bool prepareTarget(const QList<QByteArray>& sources, QByteArray* folder, QByteArray* asName);
    void transferTop(const QByteArray& source, const QByteArray& target);
    bool transfer(const QByteArray& source, const QByteArray& target, bool move);
    bool transferFolder(const QByteArray& source, const struct stat& st, const QByteArray& target, bool merge, bool move);
    bool moveWithin(const QByteArray& source, const QByteArray& target);
    void deleteTop(const QByteArray& path);
    void renameTop(const QByteArray& source);
    Resolution resolveConflict(const QByteArray& source, const QByteArray& target);
    // Runs action until it succeeds, asking retry / skip / cancel after each failure.
    bool attempt(const QByteArray& path, const std::function<int()>& action);
    bool tick(qint64 bytes);
    void announce(quint32 event, const QByteArray& path1, const QByteArray& path2 = {});
    void scanTotals(const QList<QByteArray>& sources);
    QByteArray copyName(const QByteArray& folder, const QByteArray& name) const;

    FileOpRequest m_request;
    int m_function;
    quint16 m_flags;
    QByteArray m_base;
    bool m_yesToAll = false;
    bool m_cancelled = false;
    bool m_aborted = false;
    int m_firstError = 0;
    std::unique_ptr<FileOpProgress> m_progress;
    QElapsedTimer m_sincePump;
    qint64 m_bytesDone = 0;
    int m_itemsDone = 0;
};

} // namespace platform
