#include <QApplication>
#include <QByteArray>
#include <cstdio>

#include "game_window.h"
#include "program_exit.h"
#include "scene_fonts.h"
#ifdef QUONDRA_WITH_PADS
#include "pad_input.h"
#endif

namespace {

// On GNOME, Qt 6.4's Wayland platform gets a title bar of Qt's own and
// message boxes that mutter places beside the game, not over it, with
// buttons they should not have; through XWayland mutter draws the game's
// title bar and centres the boxes on it. The player's own choice of
// platform stands, and Wayland serves where XWayland is missing.
void PreferXWaylandOnGnome() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return;
    if (!qgetenv("XDG_CURRENT_DESKTOP").toUpper().contains("GNOME")) return;
    qputenv("QT_QPA_PLATFORM", "xcb;wayland");
}

}  // namespace

int main(int argc, char** argv) {
    PreferXWaylandOnGnome();
    QApplication app(argc, argv);
    // Wayland matches the window to its launcher and icon by this name; X11
    // does so by WM_CLASS, the program's name, which the launcher names too.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUONDRA_APP_ID));
    quondra::qt::GameWindow window;
    QObject::connect(&window, &quondra::qt::GameWindow::programEnded, &app, [] { QCoreApplication::exit(0); });
    // A face that is not installed leaves captions clipped or as empty boxes:
    // said once, after the first frame, which has already had the fonts read.
    QObject::connect(
        &window, &quondra::qt::GameWindow::framePainted, &app,
        [&window] {
            for (const auto& [asked, got] : quondra::qt::FaceStandIns(window.Game())) {
                const QString drawn = got.isEmpty() ? QStringLiteral("in no font at all, as empty boxes")
                                                    : QStringLiteral("in \"%1\" and may be clipped").arg(got);
                std::fprintf(stderr, "quondra: the font \"%s\" is not installed; its captions are drawn %s\n",
                             qUtf8Printable(asked), qUtf8Printable(drawn));
            }
        },
        static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
    window.Start();
#ifdef QUONDRA_WITH_PADS
    quondra::qt::PadInput pads(window);
#endif
    return quondra::qt::ProgramExit(app.exec());
}
