#pragma once

#include <QIcon>
#include <QPixmap>

namespace platform {

// The pictures of the system image list: the icon theme's picture for each index, or one of our
// own when the theme has none. Small pictures are 16 pixels, large ones 32.
class SystemImageList {
public:
    static constexpr int SmallSize = 16;
    static constexpr int LargeSize = 32;

    static QIcon icon(int index);
    static QPixmap pixmap(int index, bool small);
};

} // namespace platform
