#include "common/ui/mmWindow.h"

#include "platform/core/DoEvents.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace mmWindow {
namespace {

void centreOn(QWidget* window, const QPoint& centre)
{
    // The frame of a window that was never shown is not known yet; its inner size stands in.
    const QSize size = window->isVisible() ? window->frameGeometry().size() : window->size();
    window->move(centre - QPoint(size.width() / 2, size.height() / 2));
}

} // namespace

void CenterOnScreen(QWidget* window)
{
    if (!window)
        return;
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen)
        centreOn(window, screen->availableGeometry().center());
}

void CenterOnOwner(QWidget* window, QWidget* owner)
{
    if (!window)
        return;
    if (!owner) {
        CenterOnScreen(window);
        return;
    }
    QWidget* ownerWindow = owner->window();
    centreOn(window, ownerWindow->frameGeometry().center());
}

void SetTopmost(QWidget* window, bool topmost)
{
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost)
        return;
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    // Changing a window's flags hides it; it comes back where it was.
    if (visible)
        window->show();
}

void SetParentWindow(QWidget* window, QWidget* host, bool sizeToHost)
{
    if (!window || !host || window == host)
        return;
    const bool ownWindow = window->isWindow();
    window->setParent(host, ownWindow ? window->windowFlags() | Qt::Window : Qt::Widget);
    if (sizeToHost)
        window->resize(host->width() * 6 / 10, host->height() * 6 / 10);
    if (ownWindow)
        CenterOnOwner(window, host);
    else
        window->move((host->width() - window->width()) / 2, (host->height() - window->height()) / 2);
}

void SetFontName(QWidget* window, const QString& fontName)
{
    if (!window || fontName.isEmpty())
        return;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        QFont font = control->font();
        if (font.family().isEmpty() || font.pointSizeF() <= 0)
            continue;
        font.setFamily(fontName);
        control->setFont(font);
        control->update();
    }
}

void RedrawWindow(QWidget* window)
{
    if (!window)
        return;
    window->update();
    platform::DoEvents();
}

} // namespace mmWindow
