#include "settings_widgets.h"

#include <QPushButton>
#include <QRadioButton>

#include "game/events.h"
#include "pixels.h"
#include "scene_fonts.h"

namespace quondra::qt {
namespace {

QString Css(const Color& c) { return QStringLiteral("rgb(%1,%2,%3)").arg(c.Red).arg(c.Green).arg(c.Blue); }

QPushButton* MakePlayButton(QWidget& window, const Button& b, const std::function<void()>& clicked) {
    auto* play = new QPushButton(QString::fromStdString(b.Caption), &window);
    play->setObjectName(QString::fromUtf8(b.Name.data(), static_cast<qsizetype>(b.Name.size())));
    play->setGeometry(PixelRect(b.Left, b.Top, b.Width, b.Height));
    play->setFont(ToQFont(b.Font));
    play->setFocusPolicy(Qt::StrongFocus);
    // The style paints it: its colour, a black border, dotted and thicker while it has the focus.
    play->setStyleSheet(QStringLiteral("QPushButton { background: %1; color: black; border: 1px solid black; }"
                                       "QPushButton:focus { border: 2px dotted black; }")
                            .arg(Css(b.BackColor)));
    QObject::connect(play, &QPushButton::clicked, play, [clicked] { clicked(); });
    return play;
}

}  // namespace

SettingsWidgets::SettingsWidgets(QWidget& window, FrmGame& frm, const ScenePainter& painter, Callbacks callbacks)
    : frm_(frm), style_(std::make_unique<ScaledStyle>()) {
    // Panels and the button are created in layout order: a later one lies above.
    for (const ObjectRef& object : frm_.Objects()) {
        if (auto* const* frame = std::get_if<Frame*>(&object))
            panels_.push_back(new FramePanel(&window, frm_, **frame, painter));
        else if (std::holds_alternative<Button*>(object))
            play_ = MakePlayButton(window, frm_.cmdPlay, callbacks.playClicked);
    }

    for (FramePanel* panel : panels_) {
        for (OptionButton* option : frm_.OptionsIn(panel->SceneFrame())) {
            // An option button is its round indicator alone: its caption is a label of the scene.
            auto* radio = new QRadioButton(panel);
            radio->setStyle(style_.get());
            radio->setObjectName(QString::fromUtf8(option->Name.data(), static_cast<qsizetype>(option->Name.size())));
            radio->setGeometry(PixelRect(option->Left, option->Top, option->Width, option->Height));
            QPalette palette = radio->palette();
            palette.setColor(QPalette::Window, ToQColor(option->BackColor));
            palette.setColor(QPalette::Button, ToQColor(option->BackColor));
            radio->setPalette(palette);
            radio->setAutoFillBackground(true);
            radio->setAutoExclusive(true);
            radio->setFocusPolicy(Qt::StrongFocus);
            // `clicked` comes from the user only (the mouse, or an arrow key
            // moving the selection), never from Sync's setChecked.
            QObject::connect(radio, &QRadioButton::clicked, radio,
                             [cb = callbacks.optionClicked, option] { cb(*option); });
            radios_[option] = radio;
        }
    }
    for (FramePanel* panel : panels_)
        panel->OnClick([this, frame = &panel->SceneFrame()](float x, float y) { ClickLabelAt(*frame, x, y); });
    QWidget* previous = play_;
    for (const OptionButton* o : {&frm_.optLow, &frm_.optMedium, &frm_.optHigh, &frm_.optSlow, &frm_.optAverage,
                                  &frm_.optFast, &frm_.optComputer, &frm_.optHuman}) {
        QWidget::setTabOrder(previous, radios_.at(o));
        previous = radios_.at(o);
    }
}

SettingsWidgets::~SettingsWidgets() {
    // The window would delete them after its members, the style among them.
    for (FramePanel* panel : panels_) delete panel;
    delete play_;
}

void SettingsWidgets::Place(const ViewTransform& view) {
    style_->SetScale(view.Scale());
    for (FramePanel* panel : panels_) {
        panel->Place(view);
        for (OptionButton* option : frm_.OptionsIn(panel->SceneFrame())) {
            const QRectF box = PixelRectF(option->Left, option->Top, option->Width, option->Height);
            radios_.at(option)->setGeometry(ViewTransform::Place(panel->ToPanel(), box));
        }
    }
    const Button& b = frm_.cmdPlay;
    play_->setGeometry(ViewTransform::Place(view.ToWindow(), PixelRectF(b.Left, b.Top, b.Width, b.Height)));
    play_->setFont(ToQFont(b.Font, view.Scale()));
}

void SettingsWidgets::ClickLabelAt(const Frame& frame, float x, float y) {
    for (const ObjectRef& object : frm_.Objects()) {
        const auto* const* label = std::get_if<Label*>(&object);
        if (label == nullptr || (*label)->Container != &frame || !(*label)->Visible) continue;
        const Label& l = **label;
        if (x < l.Left || x >= l.Left + l.Width || y < l.Top || y >= l.Top + l.Height) continue;
        // The option the label captions is the one on its line.
        for (const OptionButton* o : frm_.OptionsIn(frame)) {
            const float middle = o->Top + o->Height / 2;
            if (o->Visible && middle >= l.Top && middle < l.Top + l.Height) {
                radios_.at(o)->click();
                return;
            }
        }
    }
}

void SettingsWidgets::SyncGroup(const Frame& frame) {
    const std::vector<OptionButton*> options = frm_.OptionsIn(frame);
    const OptionButton* selected = nullptr;
    for (const OptionButton* o : options)
        if (o->Value) selected = o;
    // A group is one tab stop, at its selected option; the arrow keys move
    // within it, as option groups do natively.
    for (const OptionButton* o : options)
        radios_.at(o)->setFocusPolicy(o == selected ? Qt::StrongFocus : Qt::ClickFocus);
    if (selected != nullptr) {
        radios_.at(selected)->setChecked(true);
        return;
    }
    // An exclusive group refuses to uncheck its last button, so the
    // exclusivity is lifted while the group is cleared.
    for (const OptionButton* o : options) {
        QRadioButton* radio = radios_.at(o);
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    }
}

void SettingsWidgets::Sync() {
    for (FramePanel* panel : panels_) {
        panel->setVisible(panel->SceneFrame().Visible);
        SyncGroup(panel->SceneFrame());
        panel->Refresh();
    }
    for (auto& [option, radio] : radios_) radio->setVisible(option->Visible);
    play_->setVisible(frm_.cmdPlay.Visible);
    play_->setText(QString::fromStdString(frm_.cmdPlay.Caption));
    // The control holding the focus in the game holds the real focus too.
    if (QWidget* widget = WidgetFor(KeyTarget(frm_)); widget && widget->window()->focusWidget() != widget)
        widget->setFocus(Qt::OtherFocusReason);
}

QWidget* SettingsWidgets::WidgetFor(const FocusRef& control) const {
    if (std::holds_alternative<Button*>(control)) return play_;
    if (auto* const* o = std::get_if<OptionButton*>(&control)) return radios_.at(*o);
    return nullptr;
}

FocusRef SettingsWidgets::ControlFor(const QWidget* widget) const {
    if (widget == nullptr) return {};
    if (widget == play_) return &frm_.cmdPlay;
    for (const auto& [option, radio] : radios_)
        if (radio == widget) return const_cast<OptionButton*>(option);
    return {};
}

QWidget* SettingsWidgets::WidgetNamed(std::string_view name) const {
    if (name == frm_.cmdPlay.Name) return play_;
    for (const auto& [option, radio] : radios_)
        if (option->Name == name) return radio;
    return nullptr;
}

}  // namespace quondra::qt
