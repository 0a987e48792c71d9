#include "event_stream.h"

#include <array>
#include <sstream>

#include "game/frm_game.h"
#include "game/keys.h"

namespace quondra::soak {
namespace {

constexpr std::array kGameKeys{kKeyA,     kKeyD,    kKeyLeft,  kKeyRight, kKeyEscape,
                               kKeyP,     kKeyN,    kKeyEnter, kKeySpace, kKeyTab,
                               kKeyUp,    kKeyDown, kKeyA,     kKeyD,     kKeyLeft,
                               kKeyRight};
constexpr std::int16_t kLastKeyCode = 255;

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
    const int roll = Uniform(0, 99);
    if (roll < 3) return Uniform(0, 1) ? kKeyQ : kKeyX;
    if (roll < 15) return Uniform(0, kLastKeyCode);
    return kGameKeys[static_cast<std::size_t>(Uniform(0, kGameKeys.size() - 1))];
}

Event EventGenerator::Answer() {
    // Mostly No, so that matches go on.
    return {Event::Kind::Answer, Uniform(0, 19) == 0 ? kAnswerYes : kAnswerNo, {}};
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
        if (down.value != kKeyQ && down.value != kKeyX) return down;
        pending_ = down;
        return Answer();
    }
    if (roll < 55) return {Event::Kind::KeyUp, KeyCode(), {}};
    if (roll < 60) {
        const auto controls = ShownControls(frm);
        if (!controls.empty())
            return {Event::Kind::Click, 0,
                    controls[static_cast<std::size_t>(Uniform(0, controls.size() - 1))]};
    }
    if (roll < 62) return Answer();
    // Mostly short runs, sometimes a whole rally or more.
    const int length = Uniform(0, 99);
    const int periods = length < 70 ? Uniform(1, 8) : length < 97 ? Uniform(9, 200) : Uniform(201, 3000);
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
