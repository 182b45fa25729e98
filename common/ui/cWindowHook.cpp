#include "common/ui/cWindowHook.h"

#include <QWidget>

cWindowHook::cWindowHook(QWidget* window, QObject* handler)
    : QObject(window), m_window(window), m_handler(handler)
{
}

bool cWindowHook::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window || !m_handler)
        return false;
    return m_handler->eventFilter(watched, event);
}
