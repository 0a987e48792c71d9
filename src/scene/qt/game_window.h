#pragma once

#include <QCursor>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <future>
#include <map>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "dirty_region.h"
#include "frame_pacer.h"
#include "game/frm_game.h"
#include "game_clock.h"
#include "game_input.h"
#include "key_filter.h"
#include "message_box.h"
#include "scene/platform.h"
#include "scene/random_source.h"
#include "scene_painter.h"
#include "settings_widgets.h"
#include "tween.h"
#include "view_transform.h"
#include "x11_keyboard.h"

class QKeyEvent;

namespace quondra::qt {

// The one window: it paints the scene, hosts the real settings controls and
// forwards keys, clicks and clock periods to the game. It decides no rule.
// It is also the platform the game runs on, since every service but the
// random source is a service of the window.
class GameWindow : public QWidget, public Platform {
    Q_OBJECT

public:
    // `now` gives monotonic nanoseconds to the clock; the default is the system's.
    explicit GameWindow(GameClock::TimeSource now = nullptr);
    ~GameWindow() override;

    FrmGame& Game() { return frm_; }
    SettingsWidgets& Controls() { return controls_; }
    GameClock& Clock() { return clock_; }
    const KeyFilter& Keys() const { return keys_; }
    // Which of the given keys are down now, as the display server says; a key
    // it cannot say is left out. X11's answer unless a test gives another.
    using KeyQuery = std::function<std::map<std::int16_t, bool>(std::span<const std::int16_t>)>;
    void SetKeyQuery(KeyQuery query) { keysDownNow_ = std::move(query); }

    // Loads the game, shows and activates the window and starts the clock.
    void Start();
    // Runs game code, then brings the widgets in step and repaints what
    // changed. A call made while game code runs (a key released as a message
    // box opens) waits until that code has returned: handlers never nest.
    void RunCore(std::function<void()> call);
    // A key event from the toolkit; true when the toolkit should not see it.
    bool HandleKey(const QKeyEvent& event);
    // A key-down or key-up from any source, by virtual-key code: the one way
    // into the held-key filter, for the keyboard and a gamepad alike.
    void GiveKey(bool down, std::int16_t code, bool autoRepeat = false,
                 std::uint64_t time = KeyFilter::kNoTime);
    // The window lost the keyboard: every held key is released to the game.
    void LoseKeyboard();
    // The window is no longer (or again) the one the desktop gives the
    // keyboard: away, a match in play is paused as soon as it can be.
    void SetAway(bool away);
    // Whether the settings screen is shown, where a pad's Start means Enter.
    bool SettingsShown() const { return frm_.cmdPlay.Visible; }
    // Draws a frame: the periods due are run, and the ball and the players
    // are drawn where they were at `moment`, between their places after the
    // periods around it. The pacer calls it at each refresh of the screen
    // while anything moves, with the refresh's moment; without one, now.
    void PaintFrame();
    void PaintFrame(std::int64_t moment);
    const FramePacer& Frames() const { return frames_; }
    const Tween& Motion() const { return tween_; }

    // Platform services. Focus, pointer and drawing order need no call of
    // their own: the window mirrors ActiveControl, MousePointer and the
    // drawing order from the scene after every call into the game and
    // before a message box opens.
    std::int16_t MsgBox(std::string_view text, std::string_view title, std::int16_t style) override;
    void End() override;
    void BringToFront(std::string_view) override {}
    void SetFocus(std::string_view) override {}
    void SetPointer(std::int16_t) override {}
    double TimeOfDay() override;
    void Randomize(double seed) override { random_.Seed(seed); }
    float Rnd() override;

signals:
    // The game is over; the application should leave its event loop with status 0.
    void programEnded();
    // What a measurement of the loop needs: a wake of the clock ran `periods`
    // periods (and the window repainted what moved), a message box opened or
    // closed with an answer, the window painted.
    void periodsRun(qint64 periods);
    void boxOpened();
    void boxClosed(qint16 answer);
    void framePainted();
    // What a session record needs: each input as the game got it (after its
    // handlers returned), each random number the game drew, and the moment
    // the window has given the game all it had for now.
    void inputGiven(const quondra::qt::GameInput& input);
    void randomDrawn(float r);
    void settled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refresh();
    // Repaints what is drawn differently now; with a moment, a frame: the
    // motion between periods drawn for it, painted at once. False when
    // nothing changed.
    bool Present(std::optional<std::int64_t> moment);
    // Anything moves where it can be seen.
    bool FramesWanted() const;
    // The one way a key reaches the game's handlers.
    void GiveToGame(bool down, std::int16_t code);
    void GiveClose();
    void BeginModal();
    void EndModal(std::int16_t answer);
    void ApplyPointer(std::int16_t style);
    // Runs the clock only while a timer is enabled and no box is open.
    void ScheduleClock();
    // Runs after every clock period in which a handler ran: the held walking
    // keys are given again, and a match is paused while the window is away.
    void AfterPeriod();
    void PauseIfAway();
    void OnFocusChanged(QWidget* now);
    void ToggleFullScreen();
    void LimitToScreens();

    // The system's font configuration, read on another thread while the
    // window is built (see ReadFontsAhead); first, so that it starts first.
    std::future<void> fontsRead_;
    RandomSource random_;
    FrmGame frm_{*this};
    Tween tween_{frm_.shpBall, frm_.shpCir1, frm_.shpCir2};
    ScenePainter painter_;
    GameClock clock_;
    SettingsWidgets controls_;
    ViewTransform view_;
    KeyFilter keys_;
    KeyQuery keysDownNow_ = KeysDownNow;
    // A timed release waits this long for the press that makes it a repeat.
    QTimer repeatPairWait_;
    CloseRequestFilter closeRequests_;
    // Made when a match first hides the pointer, not before the first frame.
    std::optional<QCursor> hiddenPointer_;
    FramePacer frames_{*this, [this](std::int64_t moment) { PaintFrame(moment); }, [this] { return clock_.Now(); }};
    std::vector<Footprint> footprint_;
    std::deque<std::function<void()>> pending_;
    QMetaObject::Connection focusTracking_;
    bool busy_ = false;
    bool framing_ = false;
    bool modal_ = false;
    bool syncing_ = false;
    bool endAnnounced_ = false;
    bool away_ = false;
    bool fullScreenKeyDown_ = false;
};

}  // namespace quondra::qt
