#include "common/ui/mmToolbar.h"

#include "common/ui/KeyedImageList.h"

#include <QAction>
#include <QToolBar>

namespace mmToolbar {

int SetButtonPictures(QToolBar* toolbar, const KeyedImageList& pictures)
{
    if (!toolbar)
        return 0;
    toolbar->setIconSize(pictures.ImageSize());
    int given = 0;
    for (QAction* button : toolbar->actions()) {
        const QIcon picture = button->isSeparator() ? QIcon() : pictures.Picture(button->objectName());
        if (picture.isNull())
            continue;
        button->setIcon(picture);
        ++given;
    }
    return given;
}

} // namespace mmToolbar
