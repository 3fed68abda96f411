#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSocketNotifier>

#include "app/exit_signals.h"

namespace quorvel {
namespace {

int wakeFds[2] = {-1, -1};
bool exitRequested = false;

extern "C" void OnExitSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeFds[1], &byte, 1);
}

}  // namespace

bool ExitRequested() {
    return exitRequested;
}

void QuitOnExitSignals() {
    if (::pipe2(wakeFds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(wakeFds[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char bytes[16];
        while (::read(wakeFds[0], bytes, sizeof bytes) > 0) {
        }
        exitRequested = true;
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = OnExitSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    if (auto* gui = qobject_cast<QGuiApplication*>(qApp)) {
        QObject::connect(gui, &QGuiApplication::commitDataRequest, qApp,
                         [] { QCoreApplication::quit(); });
    }
}

}  // namespace quorvel
