#include <QApplication>

#include "game_window.h"
#ifdef QUONDRA_WITH_PADS
#include "pad_input.h"
#endif

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    quondra::qt::GameWindow window;
    QObject::connect(&window, &quondra::qt::GameWindow::programEnded, &app, [] { QCoreApplication::exit(0); });
    window.Start();
#ifdef QUONDRA_WITH_PADS
    quondra::qt::PadInput pads(window);
#endif
    return app.exec();
}
