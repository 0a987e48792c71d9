#pragma once

#include <QPointF>
#include <array>

#include "scene/objects.h"

namespace quondra::qt {

// Where the ball and the players are drawn at a frame: between their places
// after the clock periods around the frame's moment, by the fraction of the
// period elapsed, so that motion is even at any refresh rate while the rules
// keep their fixed step. A frame's moment may lie a little before the last
// period (a refresh whose frame is drawn late), so three places are kept. A jump (the serve, a new match, a place written from outside
// a period) is drawn at once, never slid. Reading it never changes the scene.
class Tween {
public:
    Tween(const Shape& ball, const Shape& yellow, const Shape& red);

    // After each clock period; `served` when the period put the players and
    // the ball back for a new rally.
    void AfterPeriod(bool served);
    // After any call into the game: what moved outside a period is drawn
    // where it stands, at once.
    void Settle();
    // Whether the last period moved anything that is drawn.
    bool Moving() const;
    // How far past the last period the frame's moment is, in periods: 1 (and
    // any time no frame is being paced) draws the places after the last
    // period, 0 those after the one before, -1 those after the one before
    // that; anything outside is drawn at the nearer end.
    void SetFraction(double fraction);
    double Fraction() const { return fraction_; }

    // The top-left corner a shape is drawn at, in scene units; a shape not
    // followed here is drawn where it stands.
    QPointF Place(const Shape& shape) const;
    // A copy of the shape where it is drawn.
    Shape Drawn(const Shape& shape) const;

private:
    // Exact, as the scene stores them (QPointF compares fuzzily).
    struct Corner {
        float left, top;
        friend bool operator==(const Corner&, const Corner&) = default;
    };
    struct Track {
        const Shape* shape;
        Corner earlier, before, after;
        bool visible;
    };
    std::array<Track, 3> tracks_;
    double fraction_ = 1;
};

}  // namespace quondra::qt
