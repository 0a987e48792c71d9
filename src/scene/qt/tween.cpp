#include "tween.h"

#include <algorithm>
#include <cmath>

namespace quondra::qt {
namespace {

// More than any one period's step: the ball's fastest flight covers about
// 500 units a period and a player walks at most 80, while the serve moves
// the ball some 5,000. (A rim walk that carries the ball further round a
// player is a jump of the rules' own, and is drawn as one.)
constexpr double kJumpUnits = 1000;


}  // namespace

Tween::Tween(const Shape& ball, const Shape& yellow, const Shape& red)
    : tracks_{{{&ball, {}, {}, {}, false}, {&yellow, {}, {}, {}, false}, {&red, {}, {}, {}, false}}} {
    for (Track& t : tracks_) {
        t.earlier = t.before = t.after = {t.shape->Left, t.shape->Top};
        t.visible = t.shape->Visible;
    }
}

void Tween::AfterPeriod(bool served) {
    for (Track& t : tracks_) {
        const Corner now{t.shape->Left, t.shape->Top};
        const bool jumped = served || t.visible != t.shape->Visible ||
                            std::abs(static_cast<double>(now.left) - t.after.left) > kJumpUnits ||
                            std::abs(static_cast<double>(now.top) - t.after.top) > kJumpUnits;
        t.earlier = jumped ? now : t.before;
        t.before = jumped ? now : t.after;
        t.after = now;
        t.visible = t.shape->Visible;
    }
}

void Tween::Settle() {
    for (Track& t : tracks_) {
        const Corner now{t.shape->Left, t.shape->Top};
        if (now == t.after && t.visible == t.shape->Visible) continue;
        t.earlier = t.before = t.after = now;
        t.visible = t.shape->Visible;
    }
}

bool Tween::Moving() const {
    return std::ranges::any_of(tracks_, [](const Track& t) { return t.visible && t.before != t.after; });
}

void Tween::SetFraction(double fraction) { fraction_ = std::isfinite(fraction) ? std::clamp(fraction, -1.0, 1.0) : 1; }

QPointF Tween::Place(const Shape& shape) const {
    for (const Track& t : tracks_) {
        if (t.shape != &shape) continue;
        // Exactly where it stands when nothing is between, whatever it holds.
        const bool last = fraction_ >= 0;
        const Corner& from = last ? t.before : t.earlier;
        const Corner& to = last ? t.after : t.before;
        const double f = last ? fraction_ : fraction_ + 1;
        if (f >= 1 || from == to) return {to.left, to.top};
        return {from.left + (static_cast<double>(to.left) - from.left) * f,
                from.top + (static_cast<double>(to.top) - from.top) * f};
    }
    return {shape.Left, shape.Top};
}

Shape Tween::Drawn(const Shape& shape) const {
    Shape drawn = shape;
    const QPointF at = Place(shape);
    drawn.Left = static_cast<float>(at.x());
    drawn.Top = static_cast<float>(at.y());
    return drawn;
}

}  // namespace quondra::qt
