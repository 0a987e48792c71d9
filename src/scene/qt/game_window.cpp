#include "game_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include "game/events.h"
#include "game/keys.h"
#include "key_map.h"

namespace quondra::qt {
namespace {

constexpr double kScale = 1.0 / kUnitsPerPixel;
constexpr int kClientWidthPx = 849;
constexpr int kClientHeightPx = 588;
constexpr Color kBackground{128, 255, 255};

QRect PixelRect(float left, float top, float width, float height) {
    return QRect(qRound(left * kScale), qRound(top * kScale), qRound(width * kScale), qRound(height * kScale));
}

QString Css(const Color& c) { return QStringLiteral("rgb(%1,%2,%3)").arg(c.Red).arg(c.Green).arg(c.Blue); }

}  // namespace

// A frame of the scene: a child panel drawn above the window's own objects.
class FramePanel : public QWidget {
public:
    FramePanel(GameWindow& window, const Frame& frame) : QWidget(&window), window_(window), frame_(frame) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.fillRect(rect(), ToQColor(frame_.BackColor));
        for (const LightweightRef& o : window_.Game().DrawingOrder(&frame_)) window_.Painter().Paint(p, o);
    }

private:
    GameWindow& window_;
    const Frame& frame_;
};

GameWindow::GameWindow() : clock_([this](std::int64_t n) { RunPeriods(n); }) {
    platform_.Attach(this);
    setWindowTitle(QStringLiteral(" Quondra"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/icon.png")));
    setFixedSize(kClientWidthPx, kClientHeightPx);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    BuildControls();
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
}

GameWindow::~GameWindow() { qApp->removeEventFilter(this); }

void GameWindow::BuildControls() {
    for (Frame* frame : frm_.Frames()) {
        auto* panel = new FramePanel(*this, *frame);
        panel->setGeometry(PixelRect(frame->Left, frame->Top, frame->Width, frame->Height));
        panels_[frame] = panel;
        for (OptionButton* option : frm_.OptionsIn(*frame)) {
            auto* radio = new QRadioButton(panel);
            radio->setGeometry(PixelRect(option->Left, option->Top, option->Width, option->Height));
            radio->setStyleSheet(QStringLiteral("background: %1;").arg(Css(option->BackColor)));
            radio->setAutoExclusive(true);
            radio->setFocusPolicy(Qt::StrongFocus);
            radios_[option] = radio;
            connect(radio, &QRadioButton::toggled, this, [this, option](bool checked) {
                // A user's selection, by the mouse or the arrow keys, runs the
                // option's click handler in the game.
                if (syncing_ || !checked || option->Value) return;
                ClickOption(frm_, *option);
                Sync();
            });
        }
    }
    const Button& b = frm_.cmdPlay;
    play_ = new QPushButton(QString::fromStdString(b.Caption), this);
    play_->setGeometry(PixelRect(b.Left, b.Top, b.Width, b.Height));
    QFont font = ToQFont(b.Font, 96.0 / 72);
    play_->setFont(font);
    play_->setStyleSheet(QStringLiteral("QPushButton { background: %1; border: 1px solid black; }"
                                        "QPushButton:focus { border: 2px dotted black; }")
                             .arg(Css(b.BackColor)));
    connect(play_, &QPushButton::clicked, this, [this] {
        ClickPlay(frm_);
        Sync();
    });
    // The tab order of the settings screen, Play first.
    QWidget* previous = play_;
    for (const OptionButton* o : {&frm_.optLow, &frm_.optMedium, &frm_.optHigh, &frm_.optSlow, &frm_.optAverage,
                                  &frm_.optFast, &frm_.optComputer, &frm_.optHuman}) {
        setTabOrder(previous, radios_[o]);
        previous = radios_[o];
    }
}

void GameWindow::Start() {
    Load(frm_);
    Sync();
    show();
    activateWindow();
    play_->setFocus();
    clock_.Start();
}

void GameWindow::RunPeriods(std::int64_t periods) {
    quondra::RunPeriods(frm_, periods);
    Sync();
}

void GameWindow::Sync() {
    syncing_ = true;
    for (auto& [frame, panel] : panels_) {
        panel->setVisible(frame->Visible);
        panel->update();
    }
    for (auto& [option, radio] : radios_) radio->setChecked(option->Value);
    play_->setVisible(frm_.cmdPlay.Visible);
    syncing_ = false;
    // With the settings hidden the window itself takes the keys.
    QWidget* focused = QApplication::focusWidget();
    if (isVisible() && (focused == nullptr || !focused->isVisible())) setFocus();
    update();
    if (frm_.Ended) close();
}

void GameWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(rect(), ToQColor(kBackground));
    for (const LightweightRef& o : frm_.DrawingOrder()) painter_.Paint(p, o);
}

void GameWindow::BeginModal() {
    clock_.Stop();
    ReleaseHeldKeys();
}

void GameWindow::EndModal() {
    activateWindow();
    clock_.Start();  // the time spent in the box is dropped, not caught up
}

void GameWindow::FocusControl(std::string_view name) {
    if (name == frm_.cmdPlay.Name) {
        Sync();
        play_->setFocus();
    }
}

void GameWindow::ApplyPointer(std::int16_t style) {
    if (style == kPointerHidden) {
        QPixmap blank(32, 32);
        blank.fill(Qt::transparent);
        setCursor(QCursor(blank));
    } else {
        unsetCursor();
    }
}

void GameWindow::OnFocusChanged(QWidget* now) {
    if (now == play_) frm_.ActiveControl = &frm_.cmdPlay;
    for (auto& [option, radio] : radios_)
        if (now == radio) frm_.ActiveControl = const_cast<OptionButton*>(option);
    if (now == nullptr || now->window() != this) ReleaseHeldKeys();
}

void GameWindow::ReleaseHeldKeys() {
    const std::set<std::int16_t> held = std::exchange(held_, {});
    for (std::int16_t code : held) KeyUp(frm_, code);
    if (!held.empty()) Sync();
}

bool GameWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool isKey = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (isKey && watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this) {
        // The application filter sees an event again as it travels up to the
        // parents: the game takes it once, at the widget it was sent to.
        QWidget* target = QApplication::focusWidget();
        if (watched != (target != nullptr ? target : this)) return false;
        return HandleKey(static_cast<QWidget*>(watched), *static_cast<QKeyEvent*>(event));
    }
    if (event->type() == QEvent::WindowDeactivate && watched == this) ReleaseHeldKeys();
    return QWidget::eventFilter(watched, event);
}

bool GameWindow::HandleKey(QWidget*, QKeyEvent& event) {
    const auto code = VirtualKey(event);
    const bool navigation = code && (*code == kKeyTab || (*code >= kKeyLeft && *code <= kKeyDown)) &&
                            !std::holds_alternative<std::monostate>(KeyTarget(frm_));
    if (event.isAutoRepeat() || !code) return !navigation;
    if (event.type() == QEvent::KeyPress) {
        held_.insert(*code);
        KeyDown(frm_, *code);
    } else {
        // Only a key whose press the game received is released to it.
        if (held_.erase(*code) == 0) return !navigation;
        KeyUp(frm_, *code);
    }
    Sync();
    // Tab and the arrows still move the focus and the selection natively.
    return !navigation;
}

void GameWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    QCoreApplication::exit(0);
}

}  // namespace quondra::qt
