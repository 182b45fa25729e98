#pragma once

#include <QString>

class QWidget;

// Where windows open and how they look: centring, staying on top, opening inside a host window,
// the component font on every control, redrawing at once.
namespace mmWindow {

void CenterOnScreen(QWidget* window);
// Centred over the owner window; on the screen without one.
void CenterOnOwner(QWidget* window, QWidget* owner);
void SetTopmost(QWidget* window, bool topmost);
// The host becomes the window's parent, optionally sized to 0.6 of the host's width and height,
// and the window is centred on the host. A top-level window stays a window of its own (owned by
// the host, above it, closed with it); a plain widget becomes a child inside the host.
void SetParentWindow(QWidget* window, QWidget* host, bool sizeToHost);
// Every control of the window whose font has a name and a size gets the font name, and is redrawn.
void SetFontName(QWidget* window, const QString& fontName);
// Repaints the window now, letting pending events run.
void RedrawWindow(QWidget* window);

} // namespace mmWindow
