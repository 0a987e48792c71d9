#pragma once

#include <QPointF>
#include <QRect>
#include <QRegion>
#include <string>
#include <string_view>
#include <vector>

#include "scene/scene.h"
#include "tween.h"

namespace quondra::qt {

// What one lightweight object puts on screen: enough to tell whether a
// repaint is needed and where.
struct Footprint {
    std::string_view Name;
    QRect Area;  // pixels, in its container; empty when nothing is drawn
    std::string Caption;
    QPointF At;  // where a shape is drawn, to a fraction of a pixel
    friend bool operator==(const Footprint&, const Footprint&) = default;
};

// The lightweight objects of one container (the window or a frame), back to
// front; the moving shapes where `tween` draws them, when one is given.
std::vector<Footprint> TakeFootprint(const Scene& scene, const Frame* container, const Tween* tween = nullptr);

// The pixels to repaint so that `after` replaces `before`: the old and new
// places of every object that moved, changed, appeared, vanished or changed
// its place in the drawing order.
QRegion ChangedArea(const std::vector<Footprint>& before, const std::vector<Footprint>& after);

// The pixels an object may draw on, visible or not.
QRect FootprintArea(const LightweightRef& object, const Tween* tween = nullptr);

// The pixels a scene box covers, widened for the antialiased outline.
QRect PixelArea(float left, float top, float width, float height);

}  // namespace quondra::qt
