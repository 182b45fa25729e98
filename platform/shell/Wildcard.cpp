#include "platform/shell/Wildcard.h"

#include <algorithm>
#include <cctype>
#include <dirent.h>

namespace platform {
namespace {

bool matchFrom(const char* p, const char* n)
{
    while (*p) {
        if (*p == '*') {
            while (*p == '*')
                ++p;
            if (!*p)
                return true;
            for (; *n; ++n)
                if (matchFrom(p, n))
                    return true;
            return false;
        }
        if (!*n)
            return false;
        if (*p != '?' && std::tolower(static_cast<unsigned char>(*p)) != std::tolower(static_cast<unsigned char>(*n)))
            return false;
        ++p;
        ++n;
    }
    return !*n;
}

} // namespace

bool Wildcard::hasWildcard(const QByteArray& name)
{
    return name.contains('*') || name.contains('?');
}

bool Wildcard::matches(const QByteArray& pattern, const QByteArray& name)
{
    if (pattern == "*.*" || pattern == "*")
        return true;
    // "x.*" also takes "x", as the shell's old matching does
    if (pattern.endsWith(".*") && matchFrom(pattern.left(pattern.size() - 2).constData(), name.constData()))
        return true;
    return matchFrom(pattern.constData(), name.constData());
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
