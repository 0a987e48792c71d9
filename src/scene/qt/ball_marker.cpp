#include "ball_marker.h"

#include <QPolygonF>
#include <algorithm>

#include "pixels.h"
#include "scene_painter.h"

namespace quondra::qt {
namespace {

// An arrow head pointing up at the ball, in the ball's colours; smaller than
// the ball, so that it reads as a sign and not as the ball itself.
constexpr double kHalfWidthPx = 9;
constexpr double kHeightPx = 11;
constexpr double kOutlinePx = 1;
constexpr int kBleedPx = 2;

double MarkerX(const Shape& ball) {
    const double centre = ToPixels(static_cast<double>(ball.Left) + ball.Width / 2);
    return std::clamp(centre, kHalfWidthPx, kClientWidthPx - kHalfWidthPx);
}

bool BallAboveTheTop(const Shape& ball) {
    return ball.Visible && static_cast<double>(ball.Top) + ball.Height < 0;
}

}  // namespace

QRect BallMarkerArea(const Shape& ball) {
    if (!BallAboveTheTop(ball)) return {};
    const int left = static_cast<int>(MarkerX(ball) - kHalfWidthPx) - kBleedPx;
    const int width = static_cast<int>(2 * kHalfWidthPx) + 2 * kBleedPx + 1;
    return QRect(left, 0, width, static_cast<int>(kHeightPx) + kBleedPx);
}

void PaintBallMarker(QPainter& p, const Shape& ball) {
    if (!BallAboveTheTop(ball)) return;
    const double x = MarkerX(ball);
    const double inset = kOutlinePx / 2;
    const QPolygonF arrow{{QPointF(x, inset), QPointF(x + kHalfWidthPx, kHeightPx - inset),
                           QPointF(x - kHalfWidthPx, kHeightPx - inset)}};
    p.setPen(QPen(ToQColor(ball.BorderColor), kOutlinePx));
    p.setBrush(ball.FillColor ? ToQColor(*ball.FillColor) : QColor(Qt::black));
    p.drawPolygon(arrow);
}

}  // namespace quondra::qt
