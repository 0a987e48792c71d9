#pragma once

#include <QCursor>
#include <QWidget>
#include <deque>
#include <functional>
#include <string_view>
#include <vector>

#include "dirty_region.h"
#include "first_paint_mark.h"
#include "game/frm_game.h"
#include "game_clock.h"
#include "key_filter.h"
#include "period_trace.h"
#include "qt_platform.h"
#include "scene_painter.h"
#include "settings_widgets.h"

class QKeyEvent;

namespace quondra::qt {

// The one window: it paints the scene, hosts the real settings controls and
// forwards keys, clicks and clock periods to the game. It decides no rule.
class GameWindow : public QWidget {
    Q_OBJECT

public:
    // `now` gives monotonic nanoseconds to the clock; the default is the system's.
    explicit GameWindow(GameClock::TimeSource now = nullptr);
    ~GameWindow() override;

    FrmGame& Game() { return frm_; }
    SettingsWidgets& Controls() { return controls_; }
    GameClock& Clock() { return clock_; }
    const KeyFilter& Keys() const { return keys_; }
    // Records every clock wake and message box from now on; nullptr stops it.
    void SetTrace(PeriodTrace* trace) { trace_ = trace; }
    // A mark written once the first frame is complete; measurements only.
    void SetFirstPaintMark(FirstPaintMark* mark) { firstPaint_ = mark; }

    // Loads the game, shows and activates the window and starts the clock.
    void Start();
    // Runs game code, then brings the widgets in step and repaints what
    // changed. A call made while game code runs (a key released as a message
    // box opens) waits until that code has returned: handlers never nest.
    void RunCore(std::function<void()> call);
    // A key event from the toolkit; true when the toolkit should not see it.
    bool HandleKey(const QKeyEvent& event);
    // The window lost the keyboard: every held key is released to the game.
    void LoseKeyboard();
    // A key from another source than the keyboard (a pad), through the same
    // held-key path: one key-down, and one key-up at its release.
    void PressKey(std::int16_t code) { keys_.Press(code, false); }
    void ReleaseKey(std::int16_t code) { keys_.Release(code, false); }
    // Whether the settings screen is shown, where a pad's Start means Enter.
    bool SettingsShown() const { return frm_.cmdPlay.Visible; }

    // Platform services.
    void BeginModal();
    void EndModal();
    void FocusControl(std::string_view name);
    void ApplyPointer(std::int16_t style);
    void EndProgram();

signals:
    // The game is over; the application should leave its event loop with status 0.
    void programEnded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refresh();
    void OnFocusChanged(QWidget* now);

    QtPlatform platform_;
    FrmGame frm_{platform_};
    ScenePainter painter_;
    GameClock clock_;
    SettingsWidgets controls_;
    KeyFilter keys_;
    QCursor hiddenPointer_;
    std::vector<Footprint> footprint_;
    std::deque<std::function<void()>> pending_;
    QMetaObject::Connection focusTracking_;
    PeriodTrace* trace_ = nullptr;
    FirstPaintMark* firstPaint_ = nullptr;
    bool busy_ = false;
    bool syncing_ = false;
    bool endAnnounced_ = false;
};

}  // namespace quondra::qt
