#pragma once

class QObject;
class QWidget;

// Hooking a window: a handling object sees every event of the window first and answers what it
// wants; the rest goes on to the window. A hooked window carries the properties "OldWndProc" (the
// hook that passes events on) and "ObjectPtr" (the handling object), and is never hooked twice.
namespace mmSubclass {

// True when the window is hooked now; false for no window, no handler, or a window that is
// already hooked (the first hook stays).
bool HookWindow(QWidget* window, QObject* handler);
// Removes the hook and both properties; false when the window was not hooked.
bool UnhookWindow(QWidget* window);
bool IsHooked(const QWidget* window);
// The handling object of a hooked window, null otherwise.
QObject* HookObject(const QWidget* window);

} // namespace mmSubclass
