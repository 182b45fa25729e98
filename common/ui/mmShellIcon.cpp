#include "common/ui/mmShellIcon.h"

#include "common/ui/KeyedImageList.h"
#include "platform/shell/FileTypes.h"
#include "platform/ui/shell/SystemImageList.h"

namespace mmShellIcon {
namespace {

int intoList(KeyedImageList& list, int index, quint32 flags)
{
    if (index < 0)
        return 0;
    const QString key = QString::number(index) + QLatin1Char('A');
    if (const int at = list.IndexOf(key))
        return at;
    const bool small = (flags & SHGFI_SMALLICON) || list.ImageSize().width() <= platform::SystemImageList::SmallSize;
    return list.Add(key, QIcon(platform::SystemImageList::pixmap(index, small)));
}

} // namespace

int IconIntoImageList(KeyedImageList& list, const QString& path, quint32 flags)
{
    if (path.isEmpty())
        return 0;
    return intoList(list, platform::FileTypes::iconIndexOfPath(path, flags & SHGFI_USEFILEATTRIBUTES, flags & SHGFI_OPENICON), flags);
}

int IconIntoImageList(KeyedImageList& list, const platform::ItemIdList& item, quint32 flags)
{
    if (item.isNull())
        return 0;
    return intoList(list, platform::FileTypes::iconIndex(item, flags & SHGFI_OPENICON), flags);
}

} // namespace mmShellIcon
