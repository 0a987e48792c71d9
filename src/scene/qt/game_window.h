#pragma once

#include <QWidget>
#include <map>
#include <set>
#include <string_view>

#include "game/frm_game.h"
#include "game_clock.h"
#include "qt_platform.h"
#include "scene_painter.h"

class QPushButton;
class QRadioButton;

namespace quondra::qt {

class FramePanel;

// The one window: it paints the scene, hosts the real settings controls and
// forwards keys, clicks and clock periods to the game. It decides no rule.
class GameWindow : public QWidget {
public:
    GameWindow();
    ~GameWindow() override;

    FrmGame& Game() { return frm_; }
    const ScenePainter& Painter() const { return painter_; }
    // Loads the game, shows the window and starts the clock.
    void Start();

    // Platform services.
    void BeginModal();
    void EndModal();
    void FocusControl(std::string_view name);
    void ApplyPointer(std::int16_t style);

    // Runs periods of the clock, as the real clock does.
    void RunPeriods(std::int64_t periods);
    // Brings the widgets in step with the scene and repaints.
    void Sync();

protected:
    void paintEvent(QPaintEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void OnFocusChanged(QWidget* now);
    void ReleaseHeldKeys();
    bool HandleKey(QWidget* receiver, QKeyEvent& event);

    QtPlatform platform_;
    FrmGame frm_{platform_};
    ScenePainter painter_;
    GameClock clock_;
    std::map<const Frame*, FramePanel*> panels_;
    std::map<const OptionButton*, QRadioButton*> radios_;
    QPushButton* play_ = nullptr;
    std::set<std::int16_t> held_;
    bool syncing_ = false;
};

}  // namespace quondra::qt
