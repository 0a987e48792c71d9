// The game with one virtual pad attached, for driving the real window by pad
// under Xvfb: each line on standard input works the pad ("down south",
// "up right", "stick -20000"); the game's end or the end of the input quits.
// With a FILE argument it writes a session record there.
#include <SDL.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QString>
#include <array>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

#include "game_window.h"
#include "pad_input.h"
#include "session_record.h"
#include "virtual_pad.h"

namespace {

struct NamedButton {
    const char* name;
    SDL_GameControllerButton button;
};
constexpr std::array<NamedButton, 5> kButtons{{{"left", SDL_CONTROLLER_BUTTON_DPAD_LEFT},
                                               {"right", SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
                                               {"start", SDL_CONTROLLER_BUTTON_START},
                                               {"south", SDL_CONTROLLER_BUTTON_A},
                                               {"east", SDL_CONTROLLER_BUTTON_B}}};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    quondra::qt::GameWindow window;
    std::ofstream out;
    std::optional<quondra::qt::SessionRecord> record;
    if (argc > 1) {
        out.open(argv[1]);
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", argv[1]);
            return 2;
        }
        record.emplace(out, window.Game());
        record->Follow(window);
    }
    QObject::connect(&window, &quondra::qt::GameWindow::programEnded, &app, [] { QCoreApplication::exit(0); });
    window.Start();
    quondra::qt::PadInput pads(window, QStringLiteral("/dev/input"), quondra::qt::PadInput::Load::Now);
    if (!pads.Started()) {
        std::fprintf(stderr, "SDL game controllers unavailable: %s\n", SDL_GetError());
        return 2;
    }
    SDL_Joystick* pad = quondra::qt::testing::AttachVirtualPad();
    if (pad == nullptr) {
        std::fprintf(stderr, "no virtual pad: %s\n", SDL_GetError());
        return 2;
    }
    pads.Poll();

    std::string pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char chunk[256];
        const ssize_t got = read(STDIN_FILENO, chunk, sizeof chunk);
        if (got <= 0) {
            QCoreApplication::exit(0);
            return;
        }
        pending.append(chunk, static_cast<std::size_t>(got));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
            const QStringList words = QString::fromStdString(pending.substr(0, end)).split(' ');
            if (words.size() != 2) continue;
            if (words[0] == "stick") {
                SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(words[1].toInt()));
            } else {
                for (const NamedButton& b : kButtons)
                    if (words[1] == b.name)
                        SDL_JoystickSetVirtualButton(pad, b.button, words[0] == "down" ? SDL_PRESSED : SDL_RELEASED);
            }
            pads.Poll();
        }
    });
    const int status = app.exec();
    SDL_JoystickClose(pad);
    return status;
}
