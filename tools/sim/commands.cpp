// The console's commands, one function each, behind Session::Execute.
#include <cmath>
#include <functional>
#include <map>
#include <string_view>

#include "ball/collision.h"
#include "ball/landing.h"
#include "console.h"
#include "game/events.h"
#include "game/startup.h"
#include "values.h"

namespace quondra::sim {
namespace {

using Words = std::vector<Word>;
using Result = std::optional<std::string>;

// Virtual-key codes fill one byte.
constexpr std::int64_t kMaxKeyCode = 255;

void Arity(const Words& w, std::size_t least, std::size_t most, const char* usage) {
    if (w.size() < least || w.size() > most) throw ScriptError(std::string("usage: ") + usage);
}

// A name is a bare word; a quoted one is a text, never a name.
const std::string& NameWord(const Word& word) {
    if (word.Quoted) throw ScriptError("expected a name, got the text " + Show(word));
    return word.Text;
}

Property Lookup(Session& s, const Word& word) {
    auto property = FindProperty(s.frm, NameWord(word));
    if (!property) throw ScriptError("unknown name " + Show(word));
    return *property;
}

Result Set(Session& s, const Words& w) {
    Arity(w, 3, 3, "set NAME VALUE");
    const Property property = Lookup(s, w[1]);
    if (!property.Set) throw ScriptError(w[1].Text + " is read-only");
    const Value value = ParseValue(property.Type, w[2]);
    Guarded(s.frm, [&] { property.Set(value); });
    return {};
}

Result Get(Session& s, const Words& w) {
    Arity(w, 2, 2, "get NAME");
    const Property property = Lookup(s, w[1]);
    s.out << w[1].Text << " = " << FormatValue(property.Type, property.Get()) << '\n';
    return {};
}

Result Expect(Session& s, const Words& w) {
    Arity(w, 3, 4, "expect NAME VALUE [TOL]");
    const Property property = Lookup(s, w[1]);
    const Value expected = ParseValue(property.Type, w[2]);
    double tolerance = 0;
    if (w.size() == 4) {
        if (property.Type == ValueType::Boolean || property.Type == ValueType::Text)
            throw ScriptError(std::string("a tolerance applies to numbers only, not to a ") +
                              TypeName(property.Type));
        tolerance = ParseDouble(w[3]);
        if (tolerance < 0) throw ScriptError("a tolerance cannot be negative");
        if (!std::isfinite(tolerance)) throw ScriptError("a tolerance is a finite number, not " + w[3].Text);
    }
    const Value actual = property.Get();
    if (Matches(property.Type, actual, expected, tolerance)) return {};
    std::string message = "expected " + w[1].Text + " = " + FormatValue(property.Type, expected);
    if (w.size() == 4) message += " within " + w[3].Text;
    return message + ", got " + FormatValue(property.Type, actual);
}

// The procedures a script may run; the handlers bound to objects (tmrBall_Timer,
// cmdPlay_Click, ...) are found through the layout.
const std::map<std::string, EventHandler, std::less<>>& Procedures() {
    static const std::map<std::string, EventHandler, std::less<>> procedures{
        {"Form_Load", Form_Load},
        {"CheckHits", CheckHits},
        {"PlaceContactLine1", PlaceContactLine1},
        {"PlaceContactLine2", PlaceContactLine2},
    };
    return procedures;
}

EventHandler HandlerNamed(const FrmGame& frm, std::string_view name) {
    const auto& procedures = Procedures();
    if (const auto found = procedures.find(name); found != procedures.end()) return found->second;
    return BoundHandler(frm, name);
}

LandingForm LandingFormOf(const Word& word) {
    if (!word.Quoted && word.Text == "net") return LandingForm::NetBounce;
    if (!word.Quoted && word.Text == "player") return LandingForm::PlayerHit;
    throw ScriptError("UpdateLandingSpot takes net or player, not " + Show(word));
}

Result Do(Session& s, const Words& w) {
    Arity(w, 2, 3, "do NAME [ARG]");
    const std::string& name = NameWord(w[1]);
    if (name == "UpdateLandingSpot") {
        if (w.size() != 3) throw ScriptError("usage: do UpdateLandingSpot net|player");
        const LandingForm form = LandingFormOf(w[2]);
        Guarded(s.frm, [&] { UpdateLandingSpot(s.frm, form); });
        return {};
    }
    const EventHandler handler = HandlerNamed(s.frm, name);
    if (handler == nullptr) throw ScriptError("unknown handler " + Show(w[1]));
    if (w.size() != 2) throw ScriptError(name + " takes no argument");
    Guarded(s.frm, [&] { handler(s.frm); });
    return {};
}

Result Key(Session& s, const Words& w) {
    Arity(w, 3, 3, "key down|up CODE");
    const bool down = !w[1].Quoted && w[1].Text == "down";
    if (!down && (w[1].Quoted || w[1].Text != "up"))
        throw ScriptError("key takes down or up, not " + Show(w[1]));
    const auto code = static_cast<std::int16_t>(ParseWhole(w[2], 0, kMaxKeyCode));
    if (down) KeyDown(s.frm, code);
    else KeyUp(s.frm, code);
    return {};
}

// A settings control that is shown, as a click or the focus finds it;
// `refusal` says what a hidden one cannot do.
FocusRef ShownControl(Session& s, const Word& word, const char* refusal) {
    const std::string& name = NameWord(word);
    const ObjectRef* object = s.frm.Find(name);
    if (object != nullptr) {
        if (auto* const* button = std::get_if<Button*>(object)) {
            if (!IsShown(**button)) throw ScriptError(name + refusal);
            return *button;
        }
        if (auto* const* option = std::get_if<OptionButton*>(object)) {
            if (!IsShown(**option)) throw ScriptError(name + refusal);
            return *option;
        }
    }
    throw ScriptError(Show(word) + " is not a button or an option button");
}

Result Click(Session& s, const Words& w) {
    Arity(w, 2, 2, "click NAME");
    const FocusRef control = ShownControl(s, w[1], " is not shown and cannot be clicked");
    if (auto* const* option = std::get_if<OptionButton*>(&control)) ClickOption(s.frm, **option);
    else ClickPlay(s.frm);
    return {};
}

// The focus moved by the window's own navigation (Tab), which runs no handler.
Result Focus(Session& s, const Words& w) {
    Arity(w, 2, 2, "focus NAME");
    const FocusRef control = ShownControl(s, w[1], " is not shown and cannot take the focus");
    Guarded(s.frm, [&] { s.frm.ActiveControl = control; });
    return {};
}

// The desktop's close control.
Result Close(Session& s, const Words& w) {
    Arity(w, 1, 1, "close");
    CloseWindow(s.frm);
    return {};
}

Result Run(Session& s, const Words& w) {
    Arity(w, 2, 2, "run N");
    const auto periods = ParseWhole(w[1], 0, kMaxRunPeriods);
    // Every period counts, also one in which no timer fires; a run that
    // would pass the limit does not start.
    s.Charge(static_cast<std::uint64_t>(periods));
    RunPeriods(s.frm, periods, [&s] { s.Charge(1); });
    return {};
}

Result Answer(Session& s, const Words& w) {
    Arity(w, 2, 2, "answer N");
    const auto answer = static_cast<std::int16_t>(ParseWhole(w[1], kAnswerYes, kAnswerNo));
    s.platform.QueueAnswer(answer);
    return {};
}

Result Random(Session& s, const Words& w) {
    Arity(w, 2, 2, "random R");
    const float r = ParseSingle(w[1]);
    if (!(r >= 0 && r < 1)) throw ScriptError("a random number lies in [0, 1), not " + w[1].Text);
    s.platform.QueueRandom(r);
    return {};
}

using Command = Result (*)(Session&, const Words&);

const std::map<std::string, Command, std::less<>>& Commands() {
    static const std::map<std::string, Command, std::less<>> commands{
        {"set", Set},       {"get", Get},   {"do", Do},         {"key", Key},       {"click", Click},
        {"run", Run},       {"answer", Answer}, {"random", Random}, {"expect", Expect},
        {"focus", Focus},   {"close", Close},
    };
    return commands;
}

}  // namespace

std::optional<std::string> Session::Execute(const std::vector<Word>& words) {
    if (words.empty()) return {};
    const auto& commands = Commands();
    const auto found = words[0].Quoted ? commands.end() : commands.find(words[0].Text);
    if (found == commands.end()) throw ScriptError("unknown command " + Show(words[0]));
    return found->second(*this, words);
}

}  // namespace quondra::sim
