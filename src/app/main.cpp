// quorvel-analog: the program's entry.
#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include "app/exit_signals.h"
#include "app/intro_window.h"
#include "app/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel Analog"));
    // From the start: a SIGTERM during start-up still ends through the exit sequence.
    quorvel::QuitOnExitSignals();
    try {
        // The settings lie beside the program, wherever it is started from.
        const QString settings =
            QDir(QCoreApplication::applicationDirPath()).filePath("config.ini");
        quorvel::TFMain window(quorvel::ReadUserRegionalSettings(),
                               QDir::toNativeSeparators(settings).toStdString());
        quorvel::TFIntro intro(window, [] { QCoreApplication::quit(); });
        if (!quorvel::ExitRequested()) QApplication::exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Quorvel Analog"),
                              QString::fromUtf8(e.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QStringLiteral("Quorvel Analog"), QString());
    }
    return 0;
}
