#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <vector>

#include "dirty_region.h"
#include "game/frm_game.h"
#include "scene_painter.h"

class QPushButton;
class QRadioButton;

namespace quondra::qt {

// A frame of the scene: a child panel of the window, so it is drawn above
// the window's own objects, painting the lightweight objects it holds.
class FramePanel : public QWidget {
public:
    FramePanel(QWidget* parent, const FrmGame& frm, const Frame& frame, const ScenePainter& painter);
    const Frame& SceneFrame() const { return frame_; }
    // Called with the point (scene units, from the frame's corner) of a
    // left click that pressed and released there.
    void OnClick(std::function<void(float x, float y)> clicked) { clicked_ = std::move(clicked); }
    // Repaints what changed in the frame's objects since the last call.
    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const FrmGame& frm_;
    std::function<void(float, float)> clicked_;
    QPoint pressedAt_{-1, -1};
    const Frame& frame_;
    const ScenePainter& painter_;
    std::vector<Footprint> footprint_;
};

// The real controls of the settings screen: option buttons without text in
// their frame panels, one exclusive group per frame, and the Play button.
// They mirror the scene's Visible, Value and focus; what the user does with
// them is passed on through the callbacks.
class SettingsWidgets {
public:
    struct Callbacks {
        std::function<void(OptionButton&)> optionClicked;
        std::function<void()> playClicked;
    };

    SettingsWidgets(QWidget& window, FrmGame& frm, const ScenePainter& painter, Callbacks callbacks);

    // Brings visibility, selection and focus in step with the scene.
    void Sync();
    // The widget of a settings control, or nullptr.
    QWidget* WidgetFor(const FocusRef& control) const;
    // The settings control shown by a widget; empty for any other widget.
    FocusRef ControlFor(const QWidget* widget) const;
    QWidget* WidgetNamed(std::string_view name) const;

    const std::vector<FramePanel*>& Panels() const { return panels_; }
    QPushButton* Play() const { return play_; }
    QRadioButton* Radio(const OptionButton& option) const { return radios_.at(&option); }

private:
    void SyncGroup(const Frame& frame);
    // A click on an option's caption, the label beside it, clicks the option.
    void ClickLabelAt(const Frame& frame, float x, float y);

    FrmGame& frm_;
    std::vector<FramePanel*> panels_;
    std::map<const OptionButton*, QRadioButton*> radios_;
    QPushButton* play_ = nullptr;
};

}  // namespace quondra::qt
