#include "platform/shell/Trash.h"

#include "platform/shell/VolumeTable.h"
#include "platform/core/FileName.h"
#include "platform/shell/SmallFile.h"
#include "platform/shell/TreeRemover.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

QByteArray parentOf(const QByteArray& path)
{
    const int slash = int(path.lastIndexOf('/'));
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

QByteArray baseName(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

bool makeFolder(const QByteArray& path, mode_t mode)
{
    return ::mkdir(path.constData(), mode) == 0 || errno == EEXIST;
}

// The highest folder above path that is still on path's file system.
QByteArray topDirOf(const QByteArray& path, dev_t device)
{
    QByteArray top = parentOf(path);
    while (top != "/") {
        const QByteArray up = parentOf(top);
        struct stat st;
        if (::lstat(up.constData(), &st) != 0 || st.st_dev != device)
            break;
        top = up;
    }
    return top;
}

QByteArray uidText()
{
    return QByteArray::number(uint(::getuid()));
}

// A volume's trash for this user, created when needed; empty when the volume allows none.
QByteArray volumeTrash(const QByteArray& topDir, bool create)
{
    const QByteArray base = topDir == "/" ? QByteArray() : topDir;
    const QByteArray shared = base + "/.Trash";
    struct stat st;
    if (::lstat(shared.constData(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) {
        const QByteArray mine = shared + '/' + uidText();
        if (!create || makeFolder(mine, 0700))
            return mine;
    }
    const QByteArray own = base + "/.Trash-" + uidText();
    if (::lstat(own.constData(), &st) == 0)
        return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() ? own : QByteArray();
    if (create && makeFolder(own, 0700))
        return own;
    return {};
}

bool prepareTrash(const QByteArray& trash)
{
    return makeFolder(trash, 0700) && makeFolder(trash + "/files", 0700) && makeFolder(trash + "/info", 0700);
}

// Reserves a name in info/ by creating its .trashinfo exclusively; the name, or empty.
QByteArray reserveName(const QByteArray& trash, const QByteArray& wanted, const QByteArray& content)
{
    QByteArray stem = wanted;
    QByteArray ext;
    const int dot = int(wanted.lastIndexOf('.'));
    if (dot > 0) {
        stem = wanted.left(dot);
        ext = wanted.mid(dot);
    }
    for (int n = 1; n < 10000; ++n) {
        QByteArray name = n == 1 ? wanted : stem + '.' + QByteArray::number(n) + ext;
        if (name.size() > 240)
            name = name.left(200) + '.' + QByteArray::number(n);
        const QByteArray info = trash + "/info/" + name + ".trashinfo";
        const int fd = ::open(info.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return {};
        }
        const bool written = ::write(fd, content.constData(), content.size()) == content.size();
        ::close(fd);
        if (written)
            return name;
        ::unlink(info.constData());
        return {};
    }
    return {};
}

QByteArray infoText(const QByteArray& storedPath)
{
    return "[Trash Info]\nPath=" + Trash::encodeInfoPath(storedPath) + "\nDeletionDate="
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1() + "\n";
}

QList<QByteArray> allTrashes()
{
    QList<QByteArray> result{Trash::homeTrash()};
    for (const Volume& v : VolumeTable::localVolumes(VolumeTable::read())) {
        const QByteArray trash = volumeTrash(v.mountPoint, false);
        if (!trash.isEmpty() && !result.contains(trash))
            result.append(trash);
    }
    return result;
}

} // namespace

QByteArray Trash::homeTrash()
{
    return EncodeFileName(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) + "/Trash";
}

QByteArray Trash::encodeInfoPath(const QByteArray& path)
{
    return path.toPercentEncoding("/");
}

QByteArray Trash::decodeInfoPath(const QByteArray& text)
{
    return QByteArray::fromPercentEncoding(text);
}

Trash::Outcome Trash::moveToTrash(const QByteArray& path, int* error, TrashEntry* entry)
{
    struct stat item;
    if (::lstat(path.constData(), &item) != 0) {
        *error = errno;
        return Outcome::Failed;
    }
    QByteArray trash = homeTrash();
    QByteArray stored = path;
    prepareTrash(trash);
    struct stat home;
    if (::stat(trash.constData(), &home) != 0 || home.st_dev != item.st_dev) {
        const QByteArray top = topDirOf(path, item.st_dev);
        trash = volumeTrash(top, true);
        if (trash.isEmpty() || !prepareTrash(trash))
            return Outcome::NoTrash;
        stored = top == "/" ? path.mid(1) : path.mid(top.size() + 1);
    }
    if (path.startsWith(trash + '/'))
        return Outcome::NoTrash;
    const QByteArray name = reserveName(trash, baseName(path), infoText(stored));
    if (name.isEmpty())
        return Outcome::NoTrash;
    const QByteArray target = trash + "/files/" + name;
    const QByteArray info = trash + "/info/" + name + ".trashinfo";
    if (::rename(path.constData(), target.constData()) != 0) {
        *error = errno;
        ::unlink(info.constData());
        return *error == EXDEV ? Outcome::NoTrash : Outcome::Failed;
    }
    if (entry)
        *entry = entryFor(target);
    return Outcome::Trashed;
}

TrashEntry Trash::entryFor(const QByteArray& filePath)
{
    TrashEntry entry;
    entry.filePath = filePath;
    const QByteArray trash = parentOf(parentOf(filePath));
    entry.infoPath = trash + "/info/" + baseName(filePath) + ".trashinfo";
    for (const QByteArray& line : readSmallFile(entry.infoPath, 64 * 1024).split('\n')) {
        if (line.startsWith("Path=")) {
            const QByteArray stored = decodeInfoPath(line.mid(5).trimmed());
            if (stored.startsWith('/'))
                entry.originalPath = stored;
            else    // relative to the volume that holds the trash
                entry.originalPath = (trash == homeTrash() ? QByteArray() : parentOf(trash)) + '/' + stored;
        } else if (line.startsWith("DeletionDate=")) {
            entry.deletionDate = QDateTime::fromString(QString::fromLatin1(line.mid(13).trimmed()), Qt::ISODate);
        }
    }
    return entry;
}

QList<TrashEntry> Trash::entries()
{
    QList<TrashEntry> result;
    for (const QByteArray& trash : allTrashes()) {
        const QByteArray files = trash + "/files";
        DIR* dir = ::opendir(files.constData());
        if (!dir)
            continue;
        while (dirent* e = ::readdir(dir)) {
            const QByteArray name(e->d_name);
            if (name == "." || name == "..")
                continue;
            TrashEntry entry = entryFor(files + '/' + name);
            if (!entry.originalPath.isEmpty())
                result.append(entry);
        }
        ::closedir(dir);
    }
    return result;
}

bool Trash::isEmpty()
{
    for (const QByteArray& trash : allTrashes()) {
        const QDir files(DecodeFileName(trash + "/files"));
        if (files.exists() && !files.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
            return false;
    }
    return true;
}

int Trash::restore(const TrashEntry& entry)
{
    if (entry.originalPath.isEmpty())
        return ENOENT;
    QDir().mkpath(DecodeFileName(parentOf(entry.originalPath)));
    if (::renameat2(AT_FDCWD, entry.filePath.constData(), AT_FDCWD, entry.originalPath.constData(), RENAME_NOREPLACE) != 0)
        return errno;
    ::unlink(entry.infoPath.constData());
    return 0;
}

int Trash::empty()
{
    int first = 0;
    for (const QByteArray& trash : allTrashes()) {
        for (const char* part : {"/files", "/info"}) {
            const int error = TreeRemover::removeContents(trash + part);
            if (error && error != ENOENT && !first)
                first = error;
        }
    }
    return first;
}

} // namespace platform
