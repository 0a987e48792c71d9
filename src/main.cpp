#include <QApplication>

#include "game_window.h"
#ifdef QUONDRA_WITH_PADS
#include "pad_input.h"
#endif

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Wayland matches the window to its launcher and icon by this name; X11
    // does so by WM_CLASS, the program's name, which the launcher names too.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUONDRA_APP_ID));
    quondra::qt::GameWindow window;
    QObject::connect(&window, &quondra::qt::GameWindow::programEnded, &app, [] { QCoreApplication::exit(0); });
    window.Start();
#ifdef QUONDRA_WITH_PADS
    quondra::qt::PadInput pads(window);
#endif
    return app.exec();
}
