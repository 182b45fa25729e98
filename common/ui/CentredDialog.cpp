#include "common/ui/CentredDialog.h"

#include <QGuiApplication>
#include <QScreen>

void CentreOnScreen(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();   // the size it will be shown at
    window->move(screen->availableGeometry().center() - window->rect().center());
}
