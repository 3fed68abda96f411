// quorvel-analog: the program's entry.
#include <QApplication>

#include "app/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel Analog"));
    quorvel::TFMain window(quorvel::ReadUserRegionalSettings());
    window.show();
    return QApplication::exec();
}
