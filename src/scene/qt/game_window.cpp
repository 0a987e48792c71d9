#include "game_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFontDatabase>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QScopeGuard>
#include <QTime>
#include <QWindow>
#include <algorithm>
#include <system_error>

#include "game/events.h"
#include "game/keys.h"
#include "key_map.h"
#include "pixels.h"

namespace quondra::qt {
namespace {

constexpr double kMsPerSecond = 1000.0;
constexpr int kPointerSizePx = 32;
// A task bar takes 16 to 32 pixels, a window switcher 48 or 64; larger ones
// come from the icon theme through the launcher.
constexpr int kWindowIconSizes[] = {16, 24, 32, 48, 64};

QIcon WindowIcon() {
    QIcon icon;
    for (const int size : kWindowIconSizes) {
        icon.addPixmap(QPixmap::fromImage(ReadArtwork(QStringLiteral(":/assets/icons/icon_%1.png").arg(size))));
    }
    return icon;
}

// Where X's detectable auto-repeat is refused, a release waits this long for
// the press that would make it a repeat; the server sends the two together,
// so the wait only covers the toolkit reading them apart on a busy machine.
constexpr int kRepeatPairWaitMs = 30;

constexpr std::int16_t kWalkingKeys[] = {kKeyA, kKeyD, kKeyLeft, kKeyRight};

bool IsWalkingKey(std::int16_t code) { return std::ranges::find(kWalkingKeys, code) != std::end(kWalkingKeys); }

bool IsNavigationKey(std::int16_t code) {
    return code == kKeyTab || code == kKeyLeft || code == kKeyUp || code == kKeyRight || code == kKeyDown;
}

// The toolkit reads the system's font configuration once, at the first text
// drawn: two fifths of the work before the first frame. Begun on another
// thread as the window is built, it runs while the window is constructed and
// mapped, and the first paint only waits for what is left of it. Without a
// thread to spare, the first paint reads it as it would anyway.
std::future<void> ReadFontsAhead() {
    try {
        return std::async(std::launch::async, [] { QFontDatabase::families(); });
    } catch (const std::system_error&) {
        return {};
    }
}

QCursor TransparentPointer() {
    QPixmap blank(kPointerSizePx, kPointerSizePx);
    blank.fill(Qt::transparent);
    return QCursor(blank);
}

}  // namespace

GameWindow::GameWindow(GameClock::TimeSource now)
    : fontsRead_(ReadFontsAhead()),
      clock_(
          [this](std::int64_t periods) {
              RunCore([this, periods] {
                  for (std::int64_t i = 0; i < periods && !frm_.Ended; ++i) {
                      bool ranHandler = false;
                      const bool serving = frm_.tmrDelay.Enabled();
                      RunPeriods(frm_, 1, [&ranHandler] { ranHandler = true; });
                      tween_.AfterPeriod(serving && !frm_.tmrDelay.Enabled());
                      emit inputGiven({GameInput::Kind::Period, 0, {}});
                      if (ranHandler) AfterPeriod();
                  }
              });
              emit periodsRun(periods);
          },
          std::move(now)),
      controls_(*this, frm_, painter_,
                {[this](OptionButton& option) {
                     RunCore([this, &option] {
                         ClickOption(frm_, option);
                         emit inputGiven({GameInput::Kind::ClickOption, 0, &option});
                     });
                 },
                 [this] {
                     RunCore([this] {
                         ClickPlay(frm_);
                         emit inputGiven({GameInput::Kind::ClickPlay, 0, &frm_.cmdPlay});
                     });
                 }}),
      keys_([this](bool down, std::int16_t code) { RunCore([this, down, code] { GiveToGame(down, code); }); }),
      closeRequests_(*this, [this] { GiveClose(); }) {
    repeatPairWait_.setSingleShot(true);
    // With detectable auto-repeat, X sends no release before a repeat and
    // nothing needs waiting for; a pair already queued is still caught.
    repeatPairWait_.setInterval(UseDetectableAutoRepeat() ? 0 : kRepeatPairWaitMs);
    connect(&repeatPairWait_, &QTimer::timeout, this, [this] { keys_.Flush(); });
    qApp->installNativeEventFilter(&closeRequests_);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) { SetAway(state != Qt::ApplicationActive || isMinimized()); });
    setWindowTitle(QStringLiteral(" Quondra"));
    setWindowIcon(WindowIcon());
    // It opens at the client area's own size; the picture scales to any other.
    resize(kClientWidthPx, kClientHeightPx);
    setMinimumSize(ViewTransform::MinimumWindowSize());
    // The window never takes the focus from a control; with every control
    // hidden the toolkit hands its keys to the window all the same.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    painter_.Follow(&tween_);
    footprint_ = TakeFootprint(frm_, nullptr);
    focusTracking_ = connect(qApp, &QApplication::focusChanged, this,
                             [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
}

GameWindow::~GameWindow() {
    // The child widgets outlive the members; nothing may call back into them.
    disconnect(focusTracking_);
    qApp->removeNativeEventFilter(&closeRequests_);
    qApp->removeEventFilter(this);
    clock_.Stop();
    if (windowHandle() != nullptr) windowHandle()->removeEventFilter(this);
}

void GameWindow::Start() {
    RunCore([this] { Load(frm_); });
    show();
    activateWindow();
    ScheduleClock();
}

void GameWindow::RunCore(std::function<void()> call) {
    if (busy_) {
        pending_.push_back(std::move(call));
        return;
    }
    busy_ = true;
    {
        const auto done = qScopeGuard([this] { busy_ = false; });
        call();
        while (!pending_.empty()) {
            const std::function<void()> next = std::move(pending_.front());
            pending_.pop_front();
            next();
        }
    }
    Refresh();
    emit settled();
}

void GameWindow::GiveToGame(bool down, std::int16_t code) {
    if (down) KeyDown(frm_, code);
    else KeyUp(frm_, code);
    emit inputGiven({down ? GameInput::Kind::KeyDown : GameInput::Kind::KeyUp, code, {}});
}

void GameWindow::GiveClose() {
    CloseWindow(frm_);
    emit inputGiven({GameInput::Kind::Close, 0, {}});
}

float GameWindow::Rnd() {
    const float r = random_.Next();
    emit randomDrawn(r);
    return r;
}

void GameWindow::Refresh() {
    syncing_ = true;
    controls_.Sync();
    syncing_ = false;
    tween_.Settle();
    ApplyPointer(frm_.MousePointer);
    ScheduleClock();
    // While anything moves the next frame draws what changed; otherwise it
    // is drawn now, as it stands.
    if (FramesWanted()) {
        if (!framing_) frames_.Ask();
        return;
    }
    frames_.Cancel();
    Present(std::nullopt);
}

bool GameWindow::Present(std::optional<std::int64_t> moment) {
    const bool paced = moment.has_value();
    tween_.SetFraction(paced ? static_cast<double>(clock_.SinceLastPeriod(*moment)) / GameClock::kPeriodNs : 1);
    std::vector<Footprint> now = TakeFootprint(frm_, nullptr, &tween_);
    const QRegion changed = ChangedArea(footprint_, now);
    footprint_ = std::move(now);
    if (changed.isEmpty()) return false;
    const QRegion area = ViewTransform::Cover(view_.ToWindow(), changed);
    if (paced) repaint(area);
    else update(area);
    return true;
}

bool GameWindow::FramesWanted() const {
    // Unseen (minimised, hidden), no frame is drawn or asked for until the
    // window is shown again; the game's time runs on with the clock.
    return clock_.Running() && tween_.Moving() && windowHandle() != nullptr && windowHandle()->isExposed();
}

void GameWindow::PaintFrame() { PaintFrame(clock_.Now()); }

void GameWindow::PaintFrame(std::int64_t moment) {
    if (busy_ || windowHandle() == nullptr || !windowHandle()->isExposed()) return;
    {
        const auto done = qScopeGuard([this] { framing_ = false; });
        framing_ = true;
        clock_.Wake();
    }
    if (!FramesWanted()) return;
    frames_.Ask(Present(moment));
}

void GameWindow::ScheduleClock() {
    // With no timer enabled nothing can move, so the window sleeps until an
    // input enables one; starting the clock then re-bases its grid, and the
    // timer fires a whole interval later, as it would have on a running clock.
    const bool wanted = !modal_ && !frm_.Ended &&
                        std::ranges::any_of(frm_.Timers(), [](const Timer* t) { return t->Enabled(); });
    if (wanted && !clock_.Running()) clock_.Start();
    else if (!wanted && clock_.Running()) clock_.Stop();
}

bool GameWindow::HandleKey(const QKeyEvent& event) {
    const std::optional<std::int16_t> code = VirtualKey(event);
    if (!code) return true;
    // Tab and the arrows on a settings control are also the toolkit's own
    // navigation: its handler sees them, then the toolkit moves the focus or
    // the selection (and an arrow that selects an option clicks it).
    const bool navigation = IsNavigationKey(*code) && !std::holds_alternative<std::monostate>(KeyTarget(frm_));
    GiveKey(event.type() == QEvent::KeyPress, *code, event.isAutoRepeat(), event.timestamp());
    return !navigation;
}

void GameWindow::GiveKey(bool down, std::int16_t code, bool autoRepeat, std::uint64_t time) {
    if (down) keys_.Press(code, autoRepeat, time);
    else keys_.Release(code, autoRepeat, time);
    if (keys_.Waiting()) repeatPairWait_.start();
}

void GameWindow::LoseKeyboard() {
    // To one of the game's own boxes the keys are watched still (see
    // eventFilter); to another program their releases are never seen.
    if (modal_) keys_.ReleaseAll();
    else keys_.Forget();
}

void GameWindow::SetAway(bool away) {
    away_ = away;
    if (away_) RunCore([this] { PauseIfAway(); });
}

void GameWindow::AfterPeriod() {
    PauseIfAway();
    // The desktop's repeats never reach the game; instead a held walking key
    // is given again every period, so that its player walks again as soon
    // as the key table lets it, whatever the repeat settings; after a
    // message box too, for a key held through it.
    if (!std::holds_alternative<std::monostate>(KeyTarget(frm_))) return;
    for (std::int16_t code : keys_.Down()) {
        if (!IsWalkingKey(code)) continue;
        keys_.MarkGiven(code);
        GiveToGame(true, code);
    }
}

void GameWindow::PauseIfAway() {
    // Exactly what an Escape key-down does, and only where it pauses.
    const bool inPlay = frm_.tmrBall.Enabled() && !frm_.tmrDelay.Enabled();
    if (away_ && !frm_.Ended && inPlay && std::holds_alternative<std::monostate>(KeyTarget(frm_)))
        GiveToGame(true, kKeyEscape);
}

void GameWindow::BeginModal() {
    // The box is drawn over the field as it stands; no period passes while it is open.
    modal_ = true;
    Refresh();
    LoseKeyboard();
    keys_.BoxOpened();
    // The box's keys are watched, so that a key pressed there (Enter on
    // OK, say) and held on is no new press once the box has gone.
    qApp->installEventFilter(this);
    emit boxOpened();
}

void GameWindow::EndModal(std::int16_t answer) {
    qApp->removeEventFilter(this);
    // Where the display server can say which walking keys are down, its word
    // decides: with no repeats in the box, nothing else shows a key held
    // through it, and a release the toolkit dropped leaves no stale key.
    keys_.BoxClosed(keysDownNow_(kWalkingKeys));
    modal_ = false;
    emit boxClosed(answer);
    if (frm_.Ended) return;
    activateWindow();
    // The time spent in the box is dropped, not caught up: the grid starts anew.
    ScheduleClock();
}

std::int16_t GameWindow::MsgBox(std::string_view text, std::string_view title, std::int16_t style) {
    BeginModal();
    const std::int16_t answer = ShowMessageBox(this, text, title, style);
    EndModal(answer);
    return answer;
}

double GameWindow::TimeOfDay() { return QTime::currentTime().msecsSinceStartOfDay() / kMsPerSecond; }

void GameWindow::ApplyPointer(std::int16_t style) {
    const Qt::CursorShape wanted = style == kPointerHidden ? Qt::BitmapCursor : Qt::ArrowCursor;
    if (testAttribute(Qt::WA_SetCursor) && cursor().shape() == wanted) return;
    if (style != kPointerHidden) {
        setCursor(Qt::ArrowCursor);
        return;
    }
    if (!hiddenPointer_) hiddenPointer_ = TransparentPointer();
    setCursor(*hiddenPointer_);
}

void GameWindow::End() {
    if (endAnnounced_) return;
    endAnnounced_ = true;
    clock_.Stop();
    hide();
    if (modal_) {
        // Closed with a box open: the box's own loop is left first, as its
        // No or OK would leave it, and the program ends back in the main loop.
        // (Leaving both at once leaves Qt's Wayland connection hanging at exit.)
        if (auto* box = findChild<QDialog*>(QString(), Qt::FindDirectChildrenOnly)) box->reject();
        QMetaObject::invokeMethod(this, [this] { emit programEnded(); }, Qt::QueuedConnection);
        return;
    }
    emit programEnded();
}

void GameWindow::OnFocusChanged(QWidget* now) {
    // Focus moved by hiding controls in Sync is the toolkit's doing, not the
    // user's: the game's focus stays where its own code put it.
    if (syncing_) return;
    const FocusRef control = controls_.ControlFor(now);
    if (std::holds_alternative<std::monostate>(control) || control == frm_.ActiveControl) return;
    frm_.ActiveControl = control;
    emit inputGiven({GameInput::Kind::Focus, 0, control});
}

void GameWindow::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect area = view_.BeginPaint(p, event->region());
    p.fillRect(area, ToQColor(frm_.BackColor));
    painter_.PaintAll(p, frm_, nullptr, area);
    emit framePainted();
}

void GameWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Without a window manager nothing holds the window to its largest size.
    // (Smaller than its least, it is only drawn smaller: a tiling desktop
    // may insist, and asking again would go back and forth with it.)
    if (const QSize limited = size().boundedTo(maximumSize()); limited != size()) resize(limited);
    view_.Fit(size());
    controls_.Place(view_);
    update();
}

void GameWindow::ToggleFullScreen() { setWindowState(windowState() ^ Qt::WindowFullScreen); }

void GameWindow::LimitToScreens() {
    // Larger than all the screens together, the window would show nothing
    // more, and its backing store alone would take memory by the gigabyte.
    if (const QScreen* s = screen()) setMaximumSize(s->virtualSize().expandedTo(minimumSize()));
}

void GameWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Keys are taken once, where the toolkit receives them for the whole window.
    if (windowHandle() != nullptr) {
        windowHandle()->removeEventFilter(this);
        windowHandle()->installEventFilter(this);
        connect(windowHandle(), &QWindow::screenChanged, this, &GameWindow::LimitToScreens, Qt::UniqueConnection);
    }
    LimitToScreens();
}

bool GameWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool keyEvent = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (modal_ && keyEvent && watched != windowHandle() && watched->isWindowType()) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        const std::optional<std::int16_t> code = VirtualKey(key);
        // A repeat in the box shows that its key is still down.
        if (code && key.type() == QEvent::KeyPress) keys_.PressElsewhere(*code);
        else if (code && !key.isAutoRepeat()) keys_.ReleaseElsewhere(*code);
        return false;
    }
    if (watched == windowHandle() && keyEvent && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F11) {
        // The window's own key: the game never sees it. Held, it toggles once:
        // a repeat (without detectable auto-repeat, a release and a press) is
        // no new stroke.
        if (static_cast<QKeyEvent*>(event)->isAutoRepeat()) return true;
        const bool down = event->type() == QEvent::KeyPress;
        if (down && !fullScreenKeyDown_) ToggleFullScreen();
        fullScreenKeyDown_ = down;
        return true;
    }
    if (watched == windowHandle()) {
        switch (event->type()) {
            case QEvent::UpdateRequest:
                if (frames_.TakeUpdateRequest()) return true;
                break;
            case QEvent::Expose:
                // Shown again: frames asked for while unseen may never come.
                if (FramesWanted()) {
                    frames_.Cancel();
                    frames_.Ask();
                }
                break;
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
                // Where the box is not modal to Qt (Wayland), its keys come
                // here too and are passed on to it.
                return !modal_ && HandleKey(*static_cast<QKeyEvent*>(event));
            case QEvent::FocusOut: LoseKeyboard(); break;
            default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void GameWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        SetAway(isMinimized() || QGuiApplication::applicationState() != Qt::ApplicationActive);
}

void GameWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    GiveClose();
}

}  // namespace quondra::qt
