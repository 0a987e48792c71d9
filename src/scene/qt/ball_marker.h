#pragma once

#include <QPainter>
#include <QRect>

#include "scene/objects.h"

namespace quondra::qt {

// While the ball flies above the top edge, where nobody can see it, a small
// marker at the top edge shows its x, so that each player can tell where it
// will come down; also while the match is paused. Drawing only.

// The pixels of the picture the marker covers; empty while there is none.
QRect BallMarkerArea(const Shape& ball);
void PaintBallMarker(QPainter& p, const Shape& ball);

}  // namespace quondra::qt
