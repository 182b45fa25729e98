#include "platform/core/DoEvents.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace platform {

void DoEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitForEvents(int timeoutMs)
{
    if (!QCoreApplication::instance())
        return;
    // The timer guarantees the wait ends even when nothing else happens.
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(timeoutMs);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

} // namespace platform
