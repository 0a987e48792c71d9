#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <vector>

class QWidget;
struct _SDL_GameController;

namespace quondra::qt::detail {
struct SdlCalls;
}

namespace quondra::qt {

class GameWindow;

// A stick counts as pushed past half its travel and lets go only once it is
// back under three eighths, so that a thumb resting near the middle does not
// walk the player in bursts.
class StickSide {
public:
    // The stick's position on one axis, -32768 to 32767; true while held to
    // the side the sign gives.
    bool Update(std::int16_t value, int sign);
    bool Held() const { return held_; }

private:
    bool held_ = false;
};

// Game controllers through SDL, turned into the keys of the key table: the
// first pad walks Yellow (A, D), the second Red (Left, Right); Start is
// Escape in a match and Enter on the settings screen, where the south button
// is Enter too; in a message box south answers as Enter and east as Escape.
// SDL is loaded only once a pad may be there (a joystick node in the
// devices' folder, or the folder changing) and is only polled while a pad is
// connected; with none, a watch on the input devices' folder is all that
// runs, so the idle window never wakes.
class PadInput : public QObject {
    Q_OBJECT

public:
    enum class Load { WhenPadMayBeThere, Now };

    // `devices` is the folder where the system makes a node for each input
    // device; a change there is what makes the pads be looked for again.
    explicit PadInput(GameWindow& window, const QString& devices = QStringLiteral("/dev/input"),
                      Load load = Load::WhenPadMayBeThere);
    ~PadInput() override;
    PadInput(const PadInput&) = delete;
    PadInput& operator=(const PadInput&) = delete;

    // False until SDL is loaded, and for good when the library is missing or
    // its game-controller support could not start (the game then plays from
    // the keyboard alone).
    bool Started() const { return started_; }
    std::size_t Connected() const { return pads_.size(); }
    bool Polling() const { return poll_.isActive(); }
    // Takes up what SDL has seen since the last call: pads plugged in or
    // removed, buttons and sticks.
    void Poll();
    // A device came or went: look now, and for a short while after, as the
    // system may take a moment to make a new pad readable.
    void Rescan();

private:
    struct Pad {
        _SDL_GameController* controller = nullptr;
        std::int32_t id = -1;
        int slot = -1;  // 0 Yellow, 1 Red, -1 a spare pad that waits for a free slot
        bool dpadLeft = false, dpadRight = false;
        StickSide stickLeft, stickRight;
        bool heldLeft = false, heldRight = false;  // the pad's own state
        bool sentLeft = false, sentRight = false;  // the key-downs the window was given
    };

    void Open(int deviceIndex);
    void Close(std::int32_t id);
    void Button(Pad& pad, int button, bool down);
    void Walk(Pad& pad);
    void Release(Pad& pad);
    void Tap(std::int16_t code);
    void Answer(QWidget* box, int qtKey);
    bool WindowTakesKeys() const;
    void WatchDevices();
    bool JoystickNodeThere() const;
    void Start();
    void Schedule();

    GameWindow& window_;
    const detail::SdlCalls* sdl_ = nullptr;
    std::vector<Pad> pads_;
    QTimer poll_;
    QString devices_;
    QFileSystemWatcher watcher_;
    int settlePolls_ = 0;
    bool started_ = false;
    bool loadTried_ = false;
    bool polling_ = false;
};

}  // namespace quondra::qt
