#include "view_transform.h"

#include <algorithm>
#include <cmath>

#include "pixels.h"

namespace quondra::qt {
namespace {

// A window smaller than its minimum (a desktop may ignore the hint) still
// shows the whole picture, but the transform must stay invertible.
constexpr double kSmallestScale = 1.0 / 1024;
// Plain and darker than anything in the picture, so that the court's edges show.
const QColor kMarginColour(40, 40, 40);

}  // namespace

QSize ViewTransform::MinimumWindowSize() {
    return QSize(static_cast<int>(std::ceil(kClientWidthPx * kMinimumScale)),
                 static_cast<int>(std::ceil(kClientHeightPx * kMinimumScale)));
}

ViewTransform::ViewTransform() { Fit(QSize(kClientWidthPx, kClientHeightPx)); }

void ViewTransform::Fit(const QSize& window) {
    const double fits = std::min(static_cast<double>(window.width()) / kClientWidthPx,
                                 static_cast<double>(window.height()) / kClientHeightPx);
    scale_ = std::max(fits, kSmallestScale);
    const QSizeF shown(kClientWidthPx * scale_, kClientHeightPx * scale_);
    // The corner on a whole pixel: at scale 1 the picture is drawn exactly as
    // in a window of the client area's own size.
    const QPoint corner(static_cast<int>(std::floor((window.width() - shown.width()) / 2)),
                        static_cast<int>(std::floor((window.height() - shown.height()) / 2)));
    toWindow_ = QTransform(scale_, 0, 0, scale_, corner.x(), corner.y());
    toScene_ = toWindow_.inverted();
    picture_ = QRectF(corner, shown).toAlignedRect();
}

QRect ViewTransform::BeginPaint(QPainter& p, const QRegion& window) const {
    const QRegion margins = window - picture_;
    if (!margins.isEmpty()) {
        for (const QRect& r : margins) p.fillRect(r, kMarginColour);
        // A shape partly outside the client area is cut off at its edge, as in a window of its size.
        p.setClipRect(picture_);
    }
    p.setTransform(toWindow_);
    return SceneArea(toScene_, (window & picture_).boundingRect());
}

QRect ViewTransform::Cover(const QTransform& t, const QRect& scene) {
    if (scene.isEmpty()) return {};
    return t.mapRect(QRectF(scene)).toAlignedRect();
}

QRegion ViewTransform::Cover(const QTransform& t, const QRegion& scene) {
    if (t.isIdentity()) return scene;
    QRegion window;
    for (const QRect& r : scene) window += Cover(t, r);
    return window;
}

QRect ViewTransform::Place(const QTransform& t, const QRectF& scene, QPoint parentCorner) {
    const QRectF mapped = t.mapRect(scene);
    const QPoint topLeft(qRound(mapped.left()), qRound(mapped.top()));
    const QPoint bottomRight(qRound(mapped.right()), qRound(mapped.bottom()));
    return QRect(topLeft - parentCorner, bottomRight - parentCorner - QPoint(1, 1));
}

QRect ViewTransform::SceneArea(const QTransform& inverse, const QRect& window) {
    return inverse.mapRect(QRectF(window)).toAlignedRect();
}

}  // namespace quondra::qt
