#include "scene/scene.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "ball/flight.h"
#include "ball/rally.h"
#include "players/movement.h"
#include "players/opponent.h"
#include "scene/layout.h"

namespace quondra {
namespace {

constexpr int kDelayIntervalMs = 1000;
constexpr int kFastIntervalMs = 1;

}  // namespace

Scene::Scene()
    : tmrDelay("tmrDelay", kDelayIntervalMs, tmrDelay_Timer, clock),
      tmrAI("tmrAI", kFastIntervalMs, tmrAI_Timer, clock),
      tmrRight2("tmrRight2", kFastIntervalMs, tmrRight2_Timer, clock),
      tmrLeft2("tmrLeft2", kFastIntervalMs, tmrLeft2_Timer, clock),
      tmrRight1("tmrRight1", kFastIntervalMs, tmrRight1_Timer, clock),
      tmrLeft1("tmrLeft1", kFastIntervalMs, tmrLeft1_Timer, clock),
      tmrBall("tmrBall", kFastIntervalMs, tmrBall_Timer, clock) {
    BuildLayout(*this);
    objects_ = {&fraPlayers, &optHuman,    &optComputer,  &lblHuman,    &lblComputer,
                &fraSpeed,   &optSlow,     &optAverage,   &optFast,     &lblSlow,
                &lblAverage, &lblFast,     &fraGravity,   &optLow,      &optMedium,
                &optHigh,    &lblLow,      &lblMedium,    &lblHigh,     &tmrDelay,
                &cmdPlay,    &tmrAI,       &tmrRight2,    &tmrLeft2,    &tmrRight1,
                &tmrLeft1,   &tmrBall,     &fraGround,    &lblMoveRed,  &lblMoveYellow,
                &lblTitle2,  &lblBy,       &lblQuitInfo,  &lblNewInfo,  &lblPauseInfo,
                &lblPaused,  &lblPlayers,  &lblSpeed,     &lblGravity,  &lblRed,
                &lblYellow,  &imgTitle,    &imgPlayer2,   &shpLandingSpot, &shpCir2,
                &imgPlayer1, &NormLine,    &linCol,       &shpCir1,     &shpNet,
                &shpBall};
    for (const ObjectRef& object : objects_) {
        std::visit(
            [this](auto* o) {
                using T = std::remove_cvref_t<decltype(*o)>;
                if constexpr (std::is_same_v<T, Timer>) timers_.push_back(o);
                if constexpr (std::is_same_v<T, Frame>) frames_.push_back(o);
                // A control the layout left unbound would swallow its events unseen.
                if constexpr (std::is_base_of_v<Control, T>)
                    if (o->KeyDown == nullptr)
                        throw std::logic_error(std::string(o->Name) + " has no KeyDown handler");
                if constexpr (std::is_same_v<T, Button>)
                    if (o->Click == nullptr) throw std::logic_error(std::string(o->Name) + " has no Click handler");
                if constexpr (std::is_same_v<T, Shape> || std::is_same_v<T, Line> ||
                              std::is_same_v<T, Label> || std::is_same_v<T, Picture>)
                    drawing_.push_back(o);
            },
            object);
    }
}

std::vector<OptionButton*> Scene::OptionsIn(const Frame& frame) const {
    std::vector<OptionButton*> options;
    for (const ObjectRef& object : objects_)
        if (auto* const* o = std::get_if<OptionButton*>(&object); o && (*o)->Container == &frame)
            options.push_back(*o);
    return options;
}

std::vector<LightweightRef> Scene::DrawingOrder(const Frame* container) const {
    std::vector<LightweightRef> order;
    for (const LightweightRef& object : drawing_)
        if (std::visit([](auto* o) { return o->Container; }, object) == container)
            order.push_back(object);
    return order;
}

void Scene::BringToFront(LightweightRef object) {
    auto it = std::find(drawing_.begin(), drawing_.end(), object);
    if (it == drawing_.end()) return;
    drawing_.erase(it);
    drawing_.push_back(object);
}

const ObjectRef* Scene::Find(std::string_view name) const {
    for (const ObjectRef& object : objects_)
        if (NameOf(object) == name) return &object;
    return nullptr;
}

std::string_view NameOf(const ObjectRef& object) {
    return std::visit([](auto* o) { return o->Name; }, object);
}

std::string_view NameOf(const LightweightRef& object) {
    return std::visit([](auto* o) { return o->Name; }, object);
}

}  // namespace quondra
