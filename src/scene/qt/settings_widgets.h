#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "frame_panel.h"
#include "game/frm_game.h"
#include "scaled_style.h"
#include "scene_painter.h"
#include "view_transform.h"

class QPushButton;
class QRadioButton;

namespace quondra::qt {

class OptionRadio;

// The real controls of the settings screen: option buttons without text in
// their frame panels, one exclusive group per frame, and the Play button.
// They mirror the scene's Visible, Value and focus; what the user does with
// them is passed on through the callbacks. The focused control wears a
// dotted mark (round an option and its caption); Tab and Shift+Tab go from
// group to group, and the arrow keys move only within the focused group.
class SettingsWidgets {
public:
    struct Callbacks {
        std::function<void(OptionButton&)> optionClicked;
        std::function<void()> playClicked;
    };

    SettingsWidgets(QWidget& window, FrmGame& frm, const ScenePainter& painter, Callbacks callbacks);
    ~SettingsWidgets();
    SettingsWidgets(const SettingsWidgets&) = delete;
    SettingsWidgets& operator=(const SettingsWidgets&) = delete;

    // Places and sizes every control, and its text, in the window's picture.
    void Place(const ViewTransform& view);

    // Brings visibility, selection and focus in step with the scene.
    void Sync();
    // The widget of a settings control, or nullptr.
    QWidget* WidgetFor(const FocusRef& control) const;
    // The settings control shown by a widget; empty for any other widget.
    FocusRef ControlFor(const QWidget* widget) const;
    QWidget* WidgetNamed(std::string_view name) const;

    const std::vector<FramePanel*>& Panels() const { return panels_; }
    QPushButton* Play() const { return play_; }
    QRadioButton* Radio(const OptionButton& option) const;

private:
    void SyncGroup(const Frame& frame);
    // A click on an option's caption, the label beside it, clicks the option.
    void ClickLabelAt(const Frame& frame, float x, float y);
    // The label beside an option: the visible one of its frame on its line.
    const Label* CaptionOf(const OptionButton& option) const;
    // An arrow key on an option: the option `step` places on in its group
    // (back when negative) is selected and takes the focus.
    void Step(const OptionButton& from, int step);
    void PaintOptionFocus(QPainter& p, const FramePanel& panel) const;

    FrmGame& frm_;
    // Before the controls that use it, and deleted after them.
    std::unique_ptr<ScaledStyle> style_;
    std::vector<FramePanel*> panels_;
    std::map<const OptionButton*, OptionRadio*> radios_;
    QPushButton* play_ = nullptr;
};

}  // namespace quondra::qt
