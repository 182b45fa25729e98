#include "platform/core/TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {
namespace {

int s_pipe[2] = {-1, -1};

// Only async-signal-safe work here: the UI thread reads the byte and does the rest.
void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] auto n = ::write(s_pipe[1], &byte, 1);
}

} // namespace

void CatchTerminationSignals(std::function<void()> handler)
{
    if (s_pipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, s_pipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(s_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [handler = std::move(handler)] {
        char byte = 0;
        [[maybe_unused]] auto n = ::read(s_pipe[0], &byte, 1);
        handler();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

} // namespace platform
