#include "event_stream.h"

#include <algorithm>
#include <array>
#include <sstream>

#include "game/frm_game.h"
#include "game/keys.h"

namespace quondra::soak {
namespace {

// The keys of play and pause; N, Q and X come rarer, below, so that matches
// can run to their end.
constexpr std::array kGameKeys{kKeyA,    kKeyD,     kKeyLeft, kKeyRight, kKeyEscape, kKeyP,
                               kKeyEnter, kKeySpace, kKeyTab,  kKeyUp,    kKeyDown,   kKeyA,
                               kKeyD,    kKeyLeft,  kKeyRight};
constexpr std::int16_t kLastKeyCode = 255;
constexpr int kLongestRun = 30000;  // about 8 minutes of play

std::vector<std::string> ShownControls(const FrmGame& frm) {
    std::vector<std::string> names;
    if (IsShown(frm.cmdPlay)) names.emplace_back(frm.cmdPlay.Name);
    for (const ObjectRef& object : frm.Objects())
        if (auto* const* o = std::get_if<OptionButton*>(&object); o && IsShown(**o))
            names.emplace_back((*o)->Name);
    return names;
}

}  // namespace

int EventGenerator::KeyCode() {
    const int roll = Uniform(0, 999);
    if (roll < 5) return Uniform(0, 1) ? kKeyQ : kKeyX;
    if (roll < 6) return kKeyN;
    if (roll < 126) return Uniform(0, kLastKeyCode);
    return kGameKeys[static_cast<std::size_t>(Uniform(0, kGameKeys.size() - 1))];
}

Event EventGenerator::Answer() {
    // Mostly No, so that matches go on.
    return {Event::Kind::Answer, Uniform(0, 99) == 0 ? kAnswerYes : kAnswerNo, {}};
}

Event EventGenerator::Next(const FrmGame& frm) {
    if (pending_) {
        const Event e = *pending_;
        pending_.reset();
        return e;
    }
    const int roll = Uniform(0, 99);
    if (roll < 30) {
        const Event down{Event::Kind::KeyDown, KeyCode(), {}};
        if (std::find(held_.begin(), held_.end(), down.value) == held_.end()) held_.push_back(down.value);
        if (down.value != kKeyQ && down.value != kKeyX) return down;
        pending_ = down;
        return Answer();
    }
    if (roll < 55) {
        // Half the key-ups let go of a key held now, so that any set of keys
        // can stay held together for a while; the rest are any code.
        if (!held_.empty() && Uniform(0, 1) == 0) {
            const std::size_t at = static_cast<std::size_t>(Uniform(0, static_cast<int>(held_.size()) - 1));
            const int code = held_[at];
            held_.erase(held_.begin() + static_cast<std::ptrdiff_t>(at));
            return {Event::Kind::KeyUp, code, {}};
        }
        const int code = KeyCode();
        std::erase(held_, code);
        return {Event::Kind::KeyUp, code, {}};
    }
    if (roll < 60) {
        const auto controls = ShownControls(frm);
        if (!controls.empty())
            return {Event::Kind::Click, 0,
                    controls[static_cast<std::size_t>(Uniform(0, controls.size() - 1))]};
    }
    // Mostly short runs, sometimes a whole rally or more, now and then a
    // long wait (a player who walked away) and, rarely, no period at all.
    const int length = Uniform(0, 999);
    const int periods = length < 5     ? 0
                        : length < 700 ? Uniform(1, 8)
                        : length < 970 ? Uniform(9, 200)
                        : length < 997 ? Uniform(201, 3000)
                                       : Uniform(3001, kLongestRun);
    return {Event::Kind::Run, periods, {}};
}

std::string ToScript(const std::vector<Event>& events) {
    std::ostringstream out;
    for (const Event& e : events) {
        switch (e.kind) {
            case Event::Kind::KeyDown: out << "key down " << e.value << '\n'; break;
            case Event::Kind::KeyUp: out << "key up " << e.value << '\n'; break;
            case Event::Kind::Click: out << "click " << e.control << '\n'; break;
            case Event::Kind::Answer: out << "answer " << e.value << '\n'; break;
            case Event::Kind::Run: out << "run " << e.value << '\n'; break;
        }
    }
    return out.str();
}

}  // namespace quondra::soak
