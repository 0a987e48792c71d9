#include <QApplication>
#include <cstdio>
#include <fstream>

#include "first_paint_mark.h"
#include "game_window.h"
#include "period_trace.h"

// The game as it ships, with a line per clock wake and message box written
// to FILE and, when MARK-FILE is given, the time its first frame was complete;
// all of it taken from the window's signals.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: quondra-trace FILE [MARK-FILE]\n");
        return 2;
    }
    std::ofstream out(argv[1]);
    if (!out) {
        std::fprintf(stderr, "quondra-trace: cannot write %s\n", argv[1]);
        return 2;
    }
    using quondra::qt::GameWindow;
    quondra::qt::PeriodTrace trace(out);
    quondra::qt::FirstPaintMark mark(argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString());
    GameWindow window;
    const quondra::FrmGame& frm = window.Game();
    QObject::connect(&window, &GameWindow::periodsRun, &app, [&](qint64 ran) { trace.Wake(ran, frm); });
    QObject::connect(&window, &GameWindow::boxOpened, &app, [&] { trace.BoxOpened(frm); });
    QObject::connect(&window, &GameWindow::boxClosed, &app, [&] { trace.BoxClosed(frm); });
    QObject::connect(&window, &GameWindow::framePainted, &app, [&] { mark.Painted(); });
    QObject::connect(&window, &GameWindow::programEnded, &app, [] { QCoreApplication::exit(0); });
    window.Start();
    return app.exec();
}
