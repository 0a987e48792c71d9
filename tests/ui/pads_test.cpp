// Pads in the real window, through SDL's virtual game controllers: each case
// is a script of pad, keyboard and message-box steps with checks between them.
#include <SDL.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <vector>

#include "game/events.h"
#include "pad_input.h"
#include "ui_support.h"
#include "virtual_pad.h"

using namespace quondra;
using namespace quondra::qt;
using namespace quondra::qt::testing;

namespace {

// Longer than the poll interval many times over; the settling after a device
// change lasts two seconds.
constexpr int kQuietMs = 200;
constexpr int kSettleMs = 5000;

// The virtual pads of one case, numbered as attached; a detached one leaves the count.
class VirtualPads {
public:
    // The test's own hold on SDL's joystick part: a PadInput may not have
    // loaded SDL yet.
    VirtualPads() {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    }
    ~VirtualPads() {
        while (!pads_.empty()) Detach(0);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    VirtualPads(const VirtualPads&) = delete;
    VirtualPads& operator=(const VirtualPads&) = delete;
    bool Attach() {
        SDL_Joystick* stick = AttachVirtualPad();
        if (stick != nullptr) pads_.push_back(stick);
        return stick != nullptr;
    }
    void Detach(std::size_t n) {
        const SDL_JoystickID id = SDL_JoystickInstanceID(pads_[n]);
        SDL_JoystickClose(pads_[n]);
        pads_.erase(pads_.begin() + static_cast<std::ptrdiff_t>(n));
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
    void Button(std::size_t n, SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(pads_[n], button, down ? SDL_PRESSED : SDL_RELEASED);
    }
    void StickX(std::size_t n, int value) { SDL_JoystickSetVirtualAxis(pads_[n], SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(value)); }
    std::size_t Count() const { return pads_.size(); }

private:
    std::vector<SDL_Joystick*> pads_;
};

SDL_GameControllerButton ButtonNamed(const QString& name) {
    if (name == "left") return SDL_CONTROLLER_BUTTON_DPAD_LEFT;
    if (name == "right") return SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
    if (name == "start") return SDL_CONTROLLER_BUTTON_START;
    if (name == "south") return SDL_CONTROLLER_BUTTON_A;
    if (name == "east") return SDL_CONTROLLER_BUTTON_B;
    return SDL_CONTROLLER_BUTTON_INVALID;
}

int KeyNamed(const QString& name) {
    if (name == "Q") return Qt::Key_Q;
    if (name == "Left") return Qt::Key_Left;
    if (name == "A") return Qt::Key_A;
    return 0;
}

const Timer* TimerNamed(FrmGame& frm, const QString& name) {
    for (const Timer* timer : frm.Timers())
        if (QString::fromUtf8(timer->Name.data(), qsizetype(timer->Name.size())) == name) return timer;
    return nullptr;
}

}  // namespace

class PadsTest : public QObject {
    Q_OBJECT

private slots:
    // Steps: "attach", "detach N", "down N BUTTON", "up N BUTTON", "stick N VALUE",
    // "key K" (typed), "hold K", "let go K", "human" (Human vs. Human), "away" (another window active),
    // "box N BUTTON" (pad N presses BUTTON in the next message box), "period" (one clock period).
    // Checks: "on TIMER", "off TIMER", "settings", "playing", "paused", "ended",
    // "answered No", "polling", "idle", "nothing held".
    void PadsPlayThroughTheKeys_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("south on the settings screen starts the match")
            << QStringList{"attach", "settings", "down 0 south", "up 0 south", "playing"};
        QTest::newRow("Start on the settings screen starts the match, then pauses and resumes")
            << QStringList{"attach",      "down 0 start", "up 0 start", "playing",     "down 0 start",
                           "up 0 start",  "paused",       "off tmrBall", "down 0 start", "up 0 start",
                           "on tmrBall"};
        QTest::newRow("the D-pad walks Yellow and its release stops it")
            << QStringList{"attach",       "down 0 south", "playing",      "down 0 left", "on tmrLeft1",
                           "period",       "on tmrLeft1",  "up 0 left",    "off tmrLeft1", "down 0 right",
                           "on tmrRight1", "off tmrLeft1", "up 0 right",   "off tmrRight1"};
        QTest::newRow("the stick walks past half its travel and stops only well back")
            << QStringList{"attach",          "down 0 south",     "stick 0 15000",    "off tmrRight1",
                           "stick 0 17000",   "on tmrRight1",     "stick 0 13000",    "on tmrRight1",
                           "stick 0 11000",   "off tmrRight1",    "stick 0 15000",    "off tmrRight1",
                           "stick 0 -17000",  "on tmrLeft1",      "stick 0 0",        "off tmrLeft1"};
        QTest::newRow("D-pad and stick together hold one key until both let go")
            << QStringList{"attach", "down 0 south", "down 0 left", "stick 0 -20000", "up 0 left",
                           "on tmrLeft1", "stick 0 0", "off tmrLeft1"};
        QTest::newRow("a pad removed while held releases its key, and polling stops")
            << QStringList{"idle", "attach", "polling", "down 0 south", "down 0 left", "on tmrLeft1",
                           "detach 0", "off tmrLeft1", "nothing held", "idle"};
        QTest::newRow("a pad plugged in during a match is taken up")
            << QStringList{"key Return", "playing", "attach", "down 0 right", "on tmrRight1"};
        QTest::newRow("the second pad plays Red, and the keyboard keeps its keys")
            << QStringList{"human",        "attach",        "attach",         "down 0 south", "playing",
                           "down 1 right", "on tmrRight2",  "off tmrRight1",  "up 1 right",   "off tmrRight2",
                           "hold Left",    "on tmrLeft2",   "let go Left",    "hold A",       "on tmrLeft1",
                           "let go A",     "down 0 left",   "on tmrLeft1",    "off tmrLeft2"};
        QTest::newRow("a spare pad takes the player of a removed one")
            << QStringList{"human", "attach", "attach", "attach", "down 0 south", "detach 0",
                           // the spare pad, now the second left, plays Yellow
                           "down 1 left", "on tmrLeft1", "down 0 right", "off tmrRight1", "on tmrRight2"};
        QTest::newRow("presses while another window has the focus are dropped")
            << QStringList{"attach", "down 0 south", "up 0 south", "away", "down 0 left", "off tmrLeft1",
                           "down 0 start", "on tmrBall"};
        QTest::newRow("east in the quit question answers No")
            << QStringList{"attach", "down 0 south", "up 0 south", "box 0 east", "key Q", "answered No",
                           "on tmrBall"};
        QTest::newRow("south in the quit question answers Yes")
            << QStringList{"attach", "down 0 south", "up 0 south", "box 0 south", "key Q", "ended"};
        QTest::newRow("south in a match does nothing, and a walk after a box needs a new press")
            << QStringList{"attach", "down 0 south", "up 0 south", "down 0 south", "up 0 south", "playing",
                           "down 0 left", "box 0 east", "key Q", "off tmrLeft1", "period", "off tmrLeft1"};
    }
    void PadsPlayThroughTheKeys() {
        QFETCH(QStringList, steps);
        ShownGame game;
        FrmGame& frm = game.frm;
        PadInput pads(game.window, QStringLiteral("/dev/input"), PadInput::Load::Now);
        QVERIFY(pads.Started());
        VirtualPads virtualPads;
        QWidget other;  // another program's window, for "away"
        for (const QString& step : steps) {
            const QStringList w = step.split(' ');
            const QByteArray where = step.toUtf8();
            const bool padStep = QStringList{"detach", "down", "up", "stick", "box"}.contains(w[0]);
            const std::size_t n = padStep ? w[1].toUInt() : 0;
            QVERIFY2(!padStep || n < virtualPads.Count(), where);
            if (w[0] == "attach") {
                QVERIFY2(virtualPads.Attach(), SDL_GetError());
                pads.Poll();
            } else if (w[0] == "detach") {
                virtualPads.Detach(n);
                pads.Poll();
            } else if (w[0] == "down" || w[0] == "up") {
                virtualPads.Button(n, ButtonNamed(w[2]), w[0] == "down");
                pads.Poll();
            } else if (w[0] == "stick") {
                virtualPads.StickX(n, w[2].toInt());
                pads.Poll();
            } else if (w[0] == "key") {
                Tap(game.window, w[1] == "Return" ? Qt::Key_Return : KeyNamed(w[1]));
            } else if (w[0] == "hold") {
                Press(game.window, KeyNamed(w[1]));
            } else if (step.startsWith("let go ")) {
                Release(game.window, KeyNamed(w[2]));
            } else if (w[0] == "human") {
                game.window.RunCore([&frm] { ClickOption(frm, frm.optHuman); });
            } else if (w[0] == "box") {
                const SDL_GameControllerButton button = ButtonNamed(w[2]);
                QTimer::singleShot(0, [&virtualPads, &pads, n, button] {
                    QVERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr);
                    virtualPads.Button(n, button, true);
                    pads.Poll();
                    virtualPads.Button(n, button, false);
                    pads.Poll();
                });
            } else if (w[0] == "away") {
                other.show();
                QVERIFY(QTest::qWaitForWindowActive(&other));
            } else if (w[0] == "period") {
                game.window.RunCore([&frm] { RunPeriods(frm, 1); });
            } else if (w[0] == "on" || w[0] == "off") {
                const Timer* timer = TimerNamed(frm, w[1]);
                QVERIFY2(timer != nullptr, where);
                QVERIFY2(timer->Enabled() == (w[0] == "on"), where);
            } else if (w[0] == "settings") {
                QVERIFY2(game.window.SettingsShown() && !frm.tmrBall.Enabled(), where);
            } else if (w[0] == "playing") {
                QVERIFY2(!game.window.SettingsShown() && frm.tmrBall.Enabled(), where);
            } else if (w[0] == "paused") {
                QVERIFY2(frm.Paused == kTrue, where);
            } else if (w[0] == "ended") {
                QVERIFY2(frm.Ended, where);
            } else if (step == "answered No") {
                QVERIFY2(frm.QuitAnswer == kAnswerNo && QApplication::activeModalWidget() == nullptr, where);
            } else if (w[0] == "polling" || w[0] == "idle") {
                QVERIFY2(pads.Polling() == (w[0] == "polling"), where);
            } else if (step == "nothing held") {
                QVERIFY2(!game.window.Keys().AnyHeld(), where);
            } else {
                QFAIL(qPrintable("unknown step: " + step));
            }
        }
    }

    // With no pad nobody reads SDL; a change in the devices' folder (or the
    // folder appearing) is what takes a new pad up, and the looking stops again.
    void APadIsFoundThroughTheDevicesFolderAlone() {
        QTemporaryDir root;
        const QString devices = root.filePath("input");
        ShownGame game;
        PadInput pads(game.window, devices);
        VirtualPads virtualPads;
        QVERIFY(virtualPads.Attach());
        QTest::qWait(kQuietMs);
        QVERIFY(!pads.Polling());
        QVERIFY(!pads.Started());  // SDL not even loaded
        QCOMPARE(pads.Connected(), std::size_t{0});
        QVERIFY(QDir(root.path()).mkdir("input"));
        QTRY_COMPARE(pads.Connected(), std::size_t{1});
        QVERIFY(pads.Started());
        virtualPads.Detach(0);
        QTRY_COMPARE(pads.Connected(), std::size_t{0});
        QTRY_VERIFY_WITH_TIMEOUT(!pads.Polling(), kSettleMs);
        QVERIFY(virtualPads.Attach());
        QFile node(QDir(devices).filePath("event0"));
        QVERIFY(node.open(QIODevice::WriteOnly));
        QTRY_COMPARE(pads.Connected(), std::size_t{1});
    }

    // A joystick node already there at start-up loads SDL at once, and the
    // pad plugged in before the game is taken up without any change.
    void AJoystickNodeAtStartUpLoadsThePadsAtOnce() {
        QTemporaryDir devices;
        QFile node(QDir(devices.path()).filePath("js0"));
        QVERIFY(node.open(QIODevice::WriteOnly));
        node.close();
        VirtualPads virtualPads;
        QVERIFY(virtualPads.Attach());
        ShownGame game;
        PadInput pads(game.window, devices.path());
        QVERIFY(pads.Started());
        QCOMPARE(pads.Connected(), std::size_t{1});
    }
};

QTEST_MAIN(PadsTest)
#include "pads_test.moc"
