#include "session_record.h"

#include <array>
#include <string_view>

#include "game/named_access.h"
#include "game_window.h"
#include "script_parser.h"
#include "values.h"

namespace quondra::qt {
namespace {

// The ball, both players and both scores, and what a test waits for
// besides: a pause, the settings screen shown or left, the second between
// two rallies.
constexpr std::array<std::string_view, 9> kStateNames{
    "shpBall.Left",      "shpBall.Top",    "shpCir1.Left",    "shpCir2.Left",
    "lblYellow.Caption", "lblRed.Caption", "Paused",          "cmdPlay.Visible", "tmrDelay.Enabled",
};

std::string Command(const GameInput& input) {
    switch (input.kind) {
        case GameInput::Kind::Period: return "run 1";
        case GameInput::Kind::KeyDown: return "key down " + std::to_string(input.code);
        case GameInput::Kind::KeyUp: return "key up " + std::to_string(input.code);
        case GameInput::Kind::ClickPlay:
        case GameInput::Kind::ClickOption: return "click " + std::string(NameOf(input.control));
        case GameInput::Kind::Focus: return "focus " + std::string(NameOf(input.control));
        case GameInput::Kind::Close: return "close";
    }
    return {};
}

}  // namespace

SessionRecord::SessionRecord(std::ostream& out, FrmGame& frm) : out_(out), frm_(frm) {
    out_ << "# A session of the real window: each period's inputs, then the state after them.\n";
}

SessionRecord::~SessionRecord() { Settled(); }

void SessionRecord::Follow(GameWindow& window) {
    QObject::connect(&window, &GameWindow::inputGiven, &window, [this](const GameInput& in) { Given(in); });
    QObject::connect(&window, &GameWindow::randomDrawn, &window, [this](float r) { Drawn(r); });
    QObject::connect(&window, &GameWindow::boxClosed, &window, [this](qint16 answer) { Answered(answer); });
    QObject::connect(&window, &GameWindow::settled, &window, [this] { Settled(); });
}

void SessionRecord::Given(const GameInput& input) {
    // The state after a period and the keys given after it goes down before
    // the next period's line. It is taken as each input returns: a wake runs
    // its next period before this hears of it.
    if (input.kind == GameInput::Kind::Period && stateDue_) WriteState();
    for (const std::string& line : queued_) steps_ << line << '\n';
    queued_.clear();
    steps_ << Command(input) << '\n';
    state_.clear();
    for (const std::string_view name : kStateNames) {
        const std::optional<Property> property = FindProperty(frm_, name);
        state_ += "expect " + std::string(name) + ' ' + sim::FormatValue(property->Type, property->Get()) + '\n';
    }
    stateDue_ = true;
}

void SessionRecord::Drawn(float r) {
    queued_.push_back("random " + sim::FormatValue(ValueType::Single, Value{static_cast<double>(r)}));
}

void SessionRecord::Answered(std::int16_t answer) {
    // An OK box needs no answer from a script.
    if (answer == kAnswerYes || answer == kAnswerNo) queued_.push_back("answer " + std::to_string(answer));
}

void SessionRecord::Settled() {
    if (stateDue_) WriteState();
    out_ << steps_.str();
    out_.flush();
    steps_.str({});
}

void SessionRecord::WriteState() {
    steps_ << state_;
    stateDue_ = false;
}

}  // namespace quondra::qt
