#pragma once

#include <string_view>
#include <variant>
#include <vector>

#include "scene/clock.h"
#include "scene/objects.h"

namespace quondra {

using ObjectRef = std::variant<Frame*, Shape*, Line*, Label*, Picture*, OptionButton*, Button*, Timer*>;
using LightweightRef = std::variant<const Shape*, const Line*, const Label*, const Picture*>;

// Every named object of the window, built from the layout table. Objects
// live as long as the scene and never move, so references to them stay valid.
class Scene {
public:
    Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    Clock clock;
    // The window's own background, behind its lightweight objects and frames.
    Color BackColor;

    // Layout order, which is also the drawing order of lightweight objects.
    Frame fraPlayers;
    OptionButton optHuman, optComputer;
    Label lblHuman, lblComputer;
    Frame fraSpeed;
    OptionButton optSlow, optAverage, optFast;
    Label lblSlow, lblAverage, lblFast;
    Frame fraGravity;
    OptionButton optLow, optMedium, optHigh;
    Label lblLow, lblMedium, lblHigh;
    Timer tmrDelay;
    Button cmdPlay;
    Timer tmrAI, tmrRight2, tmrLeft2, tmrRight1, tmrLeft1, tmrBall;
    Frame fraGround;
    Label lblMoveRed, lblMoveYellow;
    Picture lblTitle2;
    Label lblBy, lblQuitInfo, lblNewInfo, lblPauseInfo;
    Label lblPaused, lblPlayers, lblSpeed, lblGravity, lblRed, lblYellow;
    Picture imgTitle, imgPlayer2;
    Shape shpLandingSpot, shpCir2;
    Picture imgPlayer1;
    Line NormLine, linCol;
    Shape shpCir1, shpNet, shpBall;

    // Every object, in layout order.
    const std::vector<ObjectRef>& Objects() const { return objects_; }
    // The timers in layout order: the order in which due timers fire.
    const std::vector<Timer*>& Timers() const { return timers_; }
    // The frames in layout order; they are panels drawn above lightweight objects.
    const std::vector<Frame*>& Frames() const { return frames_; }
    // The option buttons of one frame, in layout order.
    std::vector<OptionButton*> OptionsIn(const Frame& frame) const;

    // The lightweight objects on the window background (or, with a frame,
    // inside it), back to front.
    std::vector<LightweightRef> DrawingOrder(const Frame* container = nullptr) const;
    void BringToFront(LightweightRef object);

    // Looks an object up by its name; nullptr when there is none.
    const ObjectRef* Find(std::string_view name) const;

private:
    std::vector<ObjectRef> objects_;
    std::vector<Timer*> timers_;
    std::vector<Frame*> frames_;
    std::vector<LightweightRef> drawing_;
};

std::string_view NameOf(const ObjectRef& object);
std::string_view NameOf(const LightweightRef& object);

}  // namespace quondra
