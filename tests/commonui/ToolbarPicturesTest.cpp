// Toolbar buttons take their pictures from a keyed image list by their keys.
#include "common/ui/KeyedImageList.h"
#include "common/ui/mmToolbar.h"

#include <QAction>
#include <QPixmap>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

QIcon colourPicture(Qt::GlobalColor colour)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

QAction* button(QToolBar& bar, const QString& key)
{
    QAction* action = bar.addAction(key);
    action->setObjectName(key);
    return action;
}

TEST(ToolbarPictures, ButtonsTakeThePictureOfTheirKey)
{
    KeyedImageList pictures(QSize(20, 20));
    pictures.Add("Add", colourPicture(Qt::red));
    pictures.Add("Extract", colourPicture(Qt::green));
    pictures.Add("Tree", colourPicture(Qt::blue));
    QToolBar bar;
    QAction* add = button(bar, "Add");
    QAction* separator = bar.addSeparator();
    separator->setObjectName("Tree");
    QAction* extract = button(bar, "Extract");
    QAction* goUp = button(bar, "GoUp");
    goUp->setIcon(colourPicture(Qt::yellow));

    EXPECT_EQ(mmToolbar::SetButtonPictures(&bar, pictures), 2);
    EXPECT_EQ(bar.iconSize(), QSize(20, 20));
    EXPECT_EQ(add->icon().pixmap(20, 20).toImage().pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(extract->icon().pixmap(20, 20).toImage().pixelColor(5, 5), QColor(Qt::green));
    EXPECT_EQ(goUp->icon().pixmap(20, 20).toImage().pixelColor(5, 5), QColor(Qt::yellow));
    EXPECT_TRUE(separator->icon().isNull());
    EXPECT_EQ(mmToolbar::SetButtonPictures(nullptr, pictures), 0);
}

} // namespace
