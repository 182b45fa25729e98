#include "platform/shell/Wildcard.h"

#include "platform/core/FileName.h"
#include "platform/core/FolderListing.h"

#include <algorithm>
#include <dirent.h>

namespace platform {

bool Wildcard::hasWildcard(const QByteArray& name)
{
    return name.contains('*') || name.contains('?');
}

bool Wildcard::matches(const QByteArray& pattern, const QByteArray& name)
{
    return MatchesPattern(DecodeFileName(name), DecodeFileName(pattern));
}

QList<QByteArray> Wildcard::expand(const QByteArray& absoluteSource)
{
    const int slash = int(absoluteSource.lastIndexOf('/'));
    const QByteArray pattern = absoluteSource.mid(slash + 1);
    if (!hasWildcard(pattern))
        return {absoluteSource};
    const QByteArray folder = slash <= 0 ? QByteArray("/") : absoluteSource.left(slash);
    QList<QByteArray> found;
    if (DIR* dir = ::opendir(folder.constData())) {
        while (dirent* e = ::readdir(dir)) {
            const QByteArray name(e->d_name);
            if (name != "." && name != ".." && matches(pattern, name))
                found.append((folder == "/" ? QByteArray() : folder) + '/' + name);
        }
        ::closedir(dir);
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace platform
