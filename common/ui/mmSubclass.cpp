#include "common/ui/mmSubclass.h"

#include "common/ui/cWindowHook.h"

#include <QVariant>
#include <QWidget>

namespace mmSubclass {
namespace {

constexpr char OldWndProc[] = "OldWndProc";
constexpr char ObjectPtr[] = "ObjectPtr";

cWindowHook* hookOf(const QWidget* window)
{
    return window ? qobject_cast<cWindowHook*>(window->property(OldWndProc).value<QObject*>()) : nullptr;
}

} // namespace

bool HookWindow(QWidget* window, QObject* handler)
{
    if (!window || !handler || window->property(OldWndProc).isValid())
        return false;
    auto* hook = new cWindowHook(window, handler);
    window->installEventFilter(hook);
    window->setProperty(OldWndProc, QVariant::fromValue<QObject*>(hook));
    window->setProperty(ObjectPtr, QVariant::fromValue<QObject*>(handler));
    return true;
}

bool UnhookWindow(QWidget* window)
{
    if (!window || !window->property(OldWndProc).isValid())
        return false;
    if (cWindowHook* hook = hookOf(window)) {
        window->removeEventFilter(hook);
        delete hook;
    }
    window->setProperty(OldWndProc, QVariant());
    window->setProperty(ObjectPtr, QVariant());
    return true;
}

bool IsHooked(const QWidget* window)
{
    return window && window->property(OldWndProc).isValid();
}

QObject* HookObject(const QWidget* window)
{
    const cWindowHook* hook = hookOf(window);
    return hook ? hook->Handler() : nullptr;
}

} // namespace mmSubclass
