#include "platform/core/FolderListing.h"

#include "platform/core/FileName.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

namespace {

FolderEntry entryOf(int folderFd, const char* name)
{
    FolderEntry entry;
    entry.name = DecodeFileName(QByteArray(name));
    struct stat own {};
    if (::fstatat(folderFd, name, &own, AT_SYMLINK_NOFOLLOW) != 0)
        return entry;
    struct stat target = own;
    const bool link = S_ISLNK(own.st_mode);
    const bool reachable = !link || ::fstatat(folderFd, name, &target, 0) == 0;
    entry.folder = !link && S_ISDIR(own.st_mode);
    entry.linkedFolder = link && reachable && S_ISDIR(target.st_mode);
    entry.size = reachable && !S_ISDIR(target.st_mode) ? quint64(target.st_size) : 0;
    entry.modified = reachable ? target.st_mtim.tv_sec : own.st_mtim.tv_sec;
    return entry;
}

bool globMatches(QStringView name, QStringView pattern)
{
    // Iterative matching with one backtrack point: linear for patterns with many stars.
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starAt = -1;
    qsizetype resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern.at(p) == u'*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size()
                   && (pattern.at(p) == u'?' || pattern.at(p).toCaseFolded() == name.at(n).toCaseFolded())) {
            ++p;
            ++n;
        } else if (starAt >= 0) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern.at(p) == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace

bool ListFolder(const QString& folder, const std::function<void(const FolderEntry&)>& visit)
{
    DIR* dir = ::opendir(EncodeFileName(folder).constData());
    if (!dir)
        return false;
    const int fd = ::dirfd(dir);
    while (const dirent* item = ::readdir(dir)) {
        const QByteArray name(item->d_name);
        if (name == "." || name == "..")
            continue;
        visit(entryOf(fd, item->d_name));
    }
    ::closedir(dir);
    return true;
}

bool MatchesPattern(const QString& name, const QString& pattern)
{
    if (pattern == u"*" || pattern == u"*.*")
        return true;
    if (globMatches(name, pattern))
        return true;
    return pattern.endsWith(QLatin1String(".*")) && !name.contains(u'.')
           && globMatches(name, QStringView(pattern).chopped(2));
}

} // namespace platform
