#pragma once

#include "platform/registry/HiveData.h"

#include <QMutex>

#include <functional>
#include <sys/types.h>

namespace platform::registry {

// One hive stored as a text file. Every change is a read-modify-write of the file under an
// exclusive lock, written to a temporary file, flushed and renamed over the old one: a crash
// leaves either the old or the new file, and values other processes wrote meanwhile survive.
class HiveFile {
public:
    // fileMode: the permission bits of the stored file (the machine hive is readable by everyone).
    HiveFile(QString path, QString rootName, bool writable, mode_t fileMode);

    const QString& path() const { return m_path; }
    bool isWritable() const { return m_writable; }
    void setWritable(bool writable) { m_writable = writable; }

    // A copy of the current contents, read again when the file changed on disk.
    HiveData snapshot();
    // Applies change to the newest contents and stores them; the change's result is returned.
    LONG update(const std::function<LONG(HiveData&)>& change);

private:
    struct Stamp {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = -1;
        qint64 mtimeNs = 0;
        bool operator==(const Stamp&) const = default;
    };
    Stamp stampOnDisk() const;
    void reloadIfChanged();
    bool store(const HiveData& data);

    QString m_path;
    QString m_rootName;
    bool m_writable;
    mode_t m_fileMode;
    QMutex m_mutex;
    HiveData m_data;
    Stamp m_stamp;
    bool m_loaded = false;
};

} // namespace platform::registry
