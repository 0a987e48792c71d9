#include "dirty_region.h"

#include <algorithm>
#include <cmath>

#include "ball_marker.h"
#include "pixels.h"

namespace quondra::qt {
namespace {

// Antialiasing and the outline reach a little past a box's edge.
constexpr int kBleedPx = 2;

template <typename Boxed>
QRect AreaOf(const Boxed& o, const Tween*) {
    return PixelArea(o.Left, o.Top, o.Width, o.Height);
}
QRect AreaOf(const Shape& s, const Tween* tween) {
    if (tween == nullptr) return PixelArea(s.Left, s.Top, s.Width, s.Height);
    const QPointF at = tween->Place(s);
    return PixelArea(static_cast<float>(at.x()), static_cast<float>(at.y()), s.Width, s.Height);
}
QRect AreaOf(const Line& l, const Tween*) {
    const float left = std::min(l.X1, l.X2), top = std::min(l.Y1, l.Y2);
    return PixelArea(left, top, std::abs(l.X2 - l.X1), std::abs(l.Y2 - l.Y1));
}

template <typename Object>
Footprint Of(const Object& o, const Tween* tween) {
    return {o.Name, AreaOf(o, tween), {}, {}};
}
Footprint Of(const Shape& s, const Tween* tween) {
    return {s.Name, AreaOf(s, tween), {}, tween != nullptr ? tween->Place(s) : QPointF(s.Left, s.Top)};
}
Footprint Of(const Label& l, const Tween* tween) { return {l.Name, AreaOf(l, tween), l.Caption, {}}; }

}  // namespace

QRect PixelArea(float left, float top, float width, float height) {
    const int x0 = static_cast<int>(std::floor(ToPixels(left))) - kBleedPx;
    const int y0 = static_cast<int>(std::floor(ToPixels(top))) - kBleedPx;
    const int x1 = static_cast<int>(std::ceil(ToPixels(static_cast<double>(left) + width))) + kBleedPx;
    const int y1 = static_cast<int>(std::ceil(ToPixels(static_cast<double>(top) + height))) + kBleedPx;
    return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
}

QRect FootprintArea(const LightweightRef& object, const Tween* tween) {
    return std::visit([tween](const auto* o) { return AreaOf(*o, tween); }, object);
}

std::vector<Footprint> TakeFootprint(const Scene& scene, const Frame* container, const Tween* tween) {
    std::vector<Footprint> footprint;
    for (const LightweightRef& object : scene.DrawingOrder(container)) {
        footprint.push_back(std::visit(
            [tween](const auto* o) {
                Footprint f = Of(*o, tween);
                if (!o->Visible) f.Area = QRect();
                return f;
            },
            object));
    }
    if (container == nullptr) {
        const Shape ball = tween != nullptr ? tween->Drawn(scene.shpBall) : scene.shpBall;
        footprint.push_back({"ball marker", BallMarkerArea(ball), {}, {}});
    }
    return footprint;
}

QRegion ChangedArea(const std::vector<Footprint>& before, const std::vector<Footprint>& after) {
    QRegion changed;
    const std::size_t common = std::min(before.size(), after.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (before[i] == after[i]) continue;
        changed += before[i].Area;
        changed += after[i].Area;
    }
    for (std::size_t i = common; i < before.size(); ++i) changed += before[i].Area;
    for (std::size_t i = common; i < after.size(); ++i) changed += after[i].Area;
    return changed;
}

}  // namespace quondra::qt
