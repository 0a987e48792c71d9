#include <QApplication>

#include "game_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    quondra::qt::GameWindow window;
    QObject::connect(&window, &quondra::qt::GameWindow::programEnded, &app, [] { QCoreApplication::exit(0); });
    window.Start();
    return app.exec();
}
