#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QWindow>
#include <cstdio>
#include <fstream>
#include <optional>

#include "first_paint_mark.h"
#include "game_window.h"
#include "period_trace.h"

namespace {

// Where Yellow is drawn: between periods where the window draws motion so,
// where it stands otherwise (the same trace builds against either window).
template <typename Window>
double YellowDrawnLeft(Window& window) {
    const quondra::Shape& yellow = window.Game().shpCir1;
    if constexpr (requires { window.Motion(); }) return window.Motion().Place(yellow).x();
    else return yellow.Left;
}

// For the latency of a key: the time from a key-down of A or D reaching the
// window to the end of the first paint that draws Yellow elsewhere, one
// line "latency NS" a key-down that moved Yellow. Only keys pressed with the
// ball in play count, and only while it stays in play: between rallies Yellow
// cannot walk, and the serve moves it on its own.
class KeyLatency : public QObject {
public:
    KeyLatency(quondra::qt::GameWindow& window, std::ostream& out) : window_(window), out_(out) {
        clock_.start();
        QObject::connect(&window, &quondra::qt::GameWindow::framePainted, this, [this] { Painted(); });
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto& key = *static_cast<QKeyEvent*>(event);
        if ((key.key() == Qt::Key_A || key.key() == Qt::Key_D) && !key.isAutoRepeat() && pressedAt_ < 0 &&
            InPlay()) {
            pressedAt_ = clock_.nsecsElapsed();
            leftThen_ = YellowDrawnLeft(window_);
        }
        return false;
    }

private:
    bool InPlay() {
        const quondra::FrmGame& frm = window_.Game();
        return frm.tmrBall.Enabled() && !frm.tmrDelay.Enabled() && frm.Paused == 0;
    }

    void Painted() {
        if (pressedAt_ >= 0 && !InPlay()) pressedAt_ = -1;
        if (pressedAt_ < 0 || YellowDrawnLeft(window_) == leftThen_) return;
        out_ << "latency " << clock_.nsecsElapsed() - pressedAt_ << std::endl;
        pressedAt_ = -1;
    }

    quondra::qt::GameWindow& window_;
    std::ostream& out_;
    QElapsedTimer clock_;
    qint64 pressedAt_ = -1;
    double leftThen_ = 0;
};

}  // namespace

// The game as it ships, with a line per clock wake and message box written
// to FILE and, when MARK-FILE is given, the time its first frame was complete;
// all of it taken from the window's signals. With --latency, FILE gets the
// latency of each key-down of A or D instead.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool latency = argc >= 2 && QByteArray(argv[1]) == "--latency";
    if (latency) --argc, ++argv;
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: quondra-trace [--latency] FILE [MARK-FILE]\n");
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
    std::optional<KeyLatency> keys;
    if (latency) keys.emplace(window, out);
    if (!latency) {
        QObject::connect(&window, &GameWindow::periodsRun, &app, [&](qint64 ran) { trace.Wake(ran, frm); });
        QObject::connect(&window, &GameWindow::boxOpened, &app, [&] { trace.BoxOpened(frm); });
        QObject::connect(&window, &GameWindow::boxClosed, &app, [&] { trace.BoxClosed(frm); });
    }
    QObject::connect(&window, &GameWindow::framePainted, &app, [&] { mark.Painted(); });
    QObject::connect(&window, &GameWindow::programEnded, &app, [] { QCoreApplication::exit(0); });
    window.Start();
    // Before the window's own filter, so that a key is timed as it arrives.
    if (keys) window.windowHandle()->installEventFilter(&*keys);
    return app.exec();
}
