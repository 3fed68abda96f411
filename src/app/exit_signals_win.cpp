#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <QCoreApplication>
#include <QGuiApplication>

#include "app/exit_signals.h"

namespace quorvel {
namespace {

bool exitRequested = false;

BOOL WINAPI OnConsoleEvent(DWORD) {
    QMetaObject::invokeMethod(
        qApp, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
    // The system ends the process when this returns: give the exit sequence its time.
    Sleep(5000);
    return TRUE;
}

}  // namespace

bool ExitRequested() {
    return exitRequested;
}

void QuitOnExitSignals() {
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    if (auto* gui = qobject_cast<QGuiApplication*>(qApp)) {
        QObject::connect(gui, &QGuiApplication::commitDataRequest, qApp,
                         [] { QCoreApplication::quit(); });
    }
}

}  // namespace quorvel
