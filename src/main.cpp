#include <QApplication>

#include "game_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    quondra::qt::GameWindow window;
    window.Start();
    return app.exec();
}
