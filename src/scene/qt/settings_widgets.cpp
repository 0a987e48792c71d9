#include "settings_widgets.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <algorithm>
#include <utility>

#include "focus_mark.h"
#include "game/events.h"
#include "pixels.h"
#include "scene_fonts.h"

namespace quondra::qt {

// An arrow key steps the selection of the group, where the toolkit's own
// navigation would take the focus into whichever control lies that way,
// another group included.
class OptionRadio : public QRadioButton {
public:
    OptionRadio(QWidget* panel, std::function<void(int step)> stepped)
        : QRadioButton(panel), stepped_(std::move(stepped)) {}

    // Where the style draws the round indicator, in the panel's pixels.
    QRect IndicatorRect() const {
        QStyleOptionButton option;
        initStyleOption(&option);
        return style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this).translated(pos());
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
            case Qt::Key_Up:
            case Qt::Key_Left: stepped_(-1); break;
            case Qt::Key_Down:
            case Qt::Key_Right: stepped_(+1); break;
            default: QRadioButton::keyPressEvent(event); return;
        }
        event->accept();
    }
    // The mark is drawn by the panel, round the caption as well.
    void focusInEvent(QFocusEvent* event) override {
        QRadioButton::focusInEvent(event);
        parentWidget()->update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QRadioButton::focusOutEvent(event);
        parentWidget()->update();
    }

private:
    std::function<void(int)> stepped_;
};

namespace {

QString Css(const Color& c) { return QStringLiteral("rgb(%1,%2,%3)").arg(c.Red).arg(c.Green).arg(c.Blue); }

class PlayButton : public QPushButton {
public:
    PlayButton(QWidget& window, const Button& b) : QPushButton(QString::fromStdString(b.Caption), &window), b_(b) {
        Scale(1);
    }

    // The caption and the border at the picture's scale. The style paints
    // its colour and a black border; the focus mark is the button's own.
    void Scale(double scale) {
        setFont(ToQFont(b_.Font, scale));
        const int border = std::max(1, qRound(scale));
        // A style sheet is read again each time it is set: only when it changes.
        if (border == borderPx_) return;
        borderPx_ = border;
        setStyleSheet(QStringLiteral("QPushButton { background: %1; color: black; border: %2px solid black; }")
                          .arg(Css(b_.BackColor))
                          .arg(borderPx_));
    }

protected:
    // Play is a group of one: the arrows have nowhere to go within it, and
    // only Tab takes the keyboard to another control, so that an arrow never
    // carries it into a group whose option the next arrow would change.
    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
            case Qt::Key_Up:
            case Qt::Key_Left:
            case Qt::Key_Down:
            case Qt::Key_Right: event->accept(); return;
            default: QPushButton::keyPressEvent(event);
        }
    }
    void paintEvent(QPaintEvent* event) override {
        QPushButton::paintEvent(event);
        if (!hasFocus()) return;
        QPainter p(this);
        const double scale = height() / ToPixels(b_.Height);
        // Inside the border, round the caption, as desktops mark a focused button.
        const double inset = borderPx_ + 2 * FocusMarkReach(scale);
        PaintFocusMark(p, QRectF(rect()).adjusted(inset, inset, -inset, -inset), scale);
    }

private:
    const Button& b_;
    int borderPx_ = 0;
};

QPushButton* MakePlayButton(QWidget& window, const Button& b, const std::function<void()>& clicked) {
    auto* play = new PlayButton(window, b);
    play->setObjectName(QString::fromUtf8(b.Name.data(), static_cast<qsizetype>(b.Name.size())));
    play->setGeometry(PixelRect(b.Left, b.Top, b.Width, b.Height));
    play->setFocusPolicy(Qt::StrongFocus);
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
            auto* radio = new OptionRadio(panel, [this, option](int step) { Step(*option, step); });
            radio->setStyle(style_.get());
            radio->setObjectName(QString::fromUtf8(option->Name.data(), static_cast<qsizetype>(option->Name.size())));
            radio->setGeometry(PixelRect(option->Left, option->Top, option->Width, option->Height));
            QPalette palette = radio->palette();
            palette.setColor(QPalette::Window, ToQColor(option->BackColor));
            palette.setColor(QPalette::Button, ToQColor(option->BackColor));
            radio->setPalette(palette);
            // No background of its own: the panel's shows through, with the
            // focus mark that runs past the indicator of the option above or below.
            radio->setAutoExclusive(true);
            radio->setFocusPolicy(Qt::StrongFocus);
            // `clicked` comes from the user only (the mouse, or an arrow key
            // moving the selection), never from Sync's setChecked.
            QObject::connect(radio, &QRadioButton::clicked, radio,
                             [cb = callbacks.optionClicked, option] { cb(*option); });
            radios_[option] = radio;
        }
    }
    for (FramePanel* panel : panels_) {
        panel->OnClick([this, frame = &panel->SceneFrame()](float x, float y) { ClickLabelAt(*frame, x, y); });
        panel->OnPainted([this, panel](QPainter& p) { PaintOptionFocus(p, *panel); });
    }
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
    static_cast<PlayButton*>(play_)->Scale(view.Scale());
}

QRadioButton* SettingsWidgets::Radio(const OptionButton& option) const { return radios_.at(&option); }

const Label* SettingsWidgets::CaptionOf(const OptionButton& option) const {
    const float middle = option.Top + option.Height / 2;
    for (const ObjectRef& object : frm_.Objects()) {
        const auto* const* label = std::get_if<Label*>(&object);
        if (label == nullptr || (*label)->Container != option.Container || !(*label)->Visible) continue;
        if (middle >= (*label)->Top && middle < (*label)->Top + (*label)->Height) return *label;
    }
    return nullptr;
}

void SettingsWidgets::ClickLabelAt(const Frame& frame, float x, float y) {
    for (const OptionButton* o : frm_.OptionsIn(frame)) {
        const Label* l = CaptionOf(*o);
        if (!o->Visible || l == nullptr) continue;
        if (x >= l->Left && x < l->Left + l->Width && y >= l->Top && y < l->Top + l->Height) {
            radios_.at(o)->click();
            return;
        }
    }
}

void SettingsWidgets::Step(const OptionButton& from, int step) {
    // The group's order is the one it is read in: top to bottom, then left to right.
    std::vector<OptionButton*> group;
    for (OptionButton* o : frm_.OptionsIn(*from.Container))
        if (o->Visible) group.push_back(o);
    std::ranges::sort(group, [](const OptionButton* a, const OptionButton* b) {
        return std::pair(a->Top, a->Left) < std::pair(b->Top, b->Left);
    });
    const auto at = std::ranges::find(group, &from);
    if (at == group.end()) return;
    // No wrapping, as in the desktop's other Qt programs: at either end an
    // arrow does nothing, so a held arrow stops at the last option instead
    // of cycling through the group.
    const auto index = (at - group.begin()) + step;
    if (index < 0 || index >= std::ssize(group)) return;
    OptionRadio* radio = radios_.at(group[static_cast<std::size_t>(index)]);
    radio->click();
    radio->setFocus(step < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
}

void SettingsWidgets::PaintOptionFocus(QPainter& p, const FramePanel& panel) const {
    const Frame& frame = panel.SceneFrame();
    for (const OptionButton* o : frm_.OptionsIn(frame)) {
        const OptionRadio* radio = radios_.at(o);
        if (!radio->hasFocus() || !radio->isVisible()) continue;
        // The frame's picture at its starting size is `scale` times smaller
        // than the panel now; the caption is placed and measured there.
        const double scale = panel.width() / ToPixels(frame.Width);
        QRectF around = radio->IndicatorRect();
        if (const Label* l = CaptionOf(*o)) {
            const QRectF box = PixelRectF(l->Left, l->Top, l->Width, l->Height);
            const Qt::Alignment horizontal = l->Align == Alignment::Center ? Qt::AlignHCenter
                                             : l->Align == Alignment::Right ? Qt::AlignRight
                                                                            : Qt::AlignLeft;
            const QRectF text = QFontMetricsF(ToQFont(l->Font), &panel)
                                    .boundingRect(box, static_cast<int>(horizontal | Qt::AlignTop | Qt::TextWordWrap),
                                                  QString::fromStdString(l->Caption))
                                    .intersected(box);
            around |= QRectF(text.topLeft() * scale, text.size() * scale);
        }
        // Kept within the panel, where a caption reaches to the frame's edge.
        const double reach = FocusMarkReach(scale);
        around &= QRectF(panel.rect()).adjusted(reach, reach, -reach, -reach);
        p.save();
        p.resetTransform();
        PaintFocusMark(p, around, scale);
        p.restore();
    }
}

void SettingsWidgets::SyncGroup(const Frame& frame) {
    const std::vector<OptionButton*> options = frm_.OptionsIn(frame);
    const OptionButton* selected = nullptr;
    for (const OptionButton* o : options)
        if (o->Value) selected = o;
    // A group is one tab stop, at its selected option; the arrow keys move
    // within it (see Step).
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
