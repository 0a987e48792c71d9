#include <QApplication>
#include <cstdio>
#include <fstream>

#include "game_window.h"
#include "program_exit.h"
#include "session_record.h"

// The game as it ships, writing a session record to FILE: a console script
// that plays the same session again, with the window's state after every
// step to hold the console to.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quondra-session FILE\n");
        return 2;
    }
    std::ofstream out(argv[1]);
    if (!out) {
        std::fprintf(stderr, "quondra-session: cannot write %s\n", argv[1]);
        return 2;
    }
    quondra::qt::GameWindow window;
    quondra::qt::SessionRecord record(out, window.Game());
    record.Follow(window);
    QObject::connect(&window, &quondra::qt::GameWindow::programEnded, &app, [] { QCoreApplication::exit(0); });
    window.Start();
    const int status = app.exec();
    record.Settled();
    return quondra::qt::ProgramExit(status);
}
