#include "app/qt_gui_thread.h"

#include <QCoreApplication>
#include <QThread>
#include <exception>

namespace quorvel {

void QtGuiThread::Synchronize(const std::function<void()>& call) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() == app->thread()) {
        call();
        return;
    }
    std::exception_ptr failure;
    QMetaObject::invokeMethod(
        app,
        [&] {
            try {
                call();
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure) std::rethrow_exception(failure);
}

void QtGuiThread::ServeUntil(const std::function<bool()>& finished) {
    while (!finished()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                        QEventLoop::ExcludeUserInputEvents);
    }
}

void QtGuiThread::Wake() {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(
            app, [] {}, Qt::QueuedConnection);
    }
}

}  // namespace quorvel
