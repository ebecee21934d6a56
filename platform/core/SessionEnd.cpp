#include "SessionEnd.h"

#include <QCoreApplication>
#include <QObject>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

bool g_ending = false;
std::function<void()> g_onEnd;

#ifdef Q_OS_UNIX
int g_sockets[2] = {-1, -1};

// Only async-signal-safe work here: one byte into the socket, read on the user-interface thread.
void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_sockets[0], &byte, 1);
}
#endif

} // namespace

namespace SessionEnd {

void Watch(std::function<void()> onEnd)
{
    g_onEnd = std::move(onEnd);
#ifdef Q_OS_UNIX
    if (g_sockets[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_sockets) != 0) {
        return;
    }
    // Owned by the application, so it goes when the application does.
    auto* notifier = new QSocketNotifier(g_sockets[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char byte = 0;
        [[maybe_unused]] const ssize_t n = ::read(g_sockets[1], &byte, 1);
        if (g_onEnd) {
            g_onEnd();
        }
    });
    struct sigaction action
    {
    };
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        sigaction(signal, &action, nullptr);
    }
#endif
}

bool IsEnding()
{
    return g_ending;
}

void SetEnding(bool ending)
{
    g_ending = ending;
}

void RequestForTests()
{
    if (g_onEnd) {
        g_onEnd();
    }
}

} // namespace SessionEnd
