#pragma once

#include <QByteArray>

#include <functional>

namespace platform {

// Removes a file, a link or a whole folder tree. Links are removed, never followed; every folder
// is opened without following links, so a link swapped in while we work cannot lead us out.
class TreeRemover {
public:
    // tick runs for every entry; returning false stops the removal (errno ECANCELED).
    using Tick = std::function<bool()>;
    // 0 when the item is gone, otherwise the errno of the first failure (failedPath names it).
    static int remove(const QByteArray& path, QByteArray* failedPath = nullptr, const Tick& tick = {});
    // Removes what a folder holds, keeping the folder.
    static int removeContents(const QByteArray& folder, QByteArray* failedPath = nullptr, const Tick& tick = {});
};

} // namespace platform
