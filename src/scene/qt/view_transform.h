#pragma once

#include <QPainter>
#include <QPointF>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QTransform>

namespace quondra::qt {

// Where the picture of the client area (849 x 588 scene pixels) lies in a
// window of any size: scaled uniformly to the largest size that fits, and
// centred. The scene keeps its own size; only the drawing scales.
class ViewTransform {
public:
    // The picture never shrinks below two thirds: the smallest captions (the
    // ground strip's 12 pt hints, 16 pixels tall) are then about 11 pixels,
    // the size of a desktop's small print, and the option circles stay a
    // target for the pointer.
    static constexpr double kMinimumScale = 2.0 / 3;
    static QSize MinimumWindowSize();

    // At first the window is the client area's own size.
    ViewTransform();
    void Fit(const QSize& window);
    double Scale() const { return scale_; }
    // Scene pixels to window pixels.
    const QTransform& ToWindow() const { return toWindow_; }
    // The window pixels the picture covers; the rest is margin.
    QRect Picture() const { return picture_; }
    // Fills the margins within a window repaint, then readies the painter to
    // draw the scene in the picture, and gives the scene pixels to repaint.
    QRect BeginPaint(QPainter& p, const QRegion& window) const;

    // The window pixels that a scene box (in pixels of the container the
    // transform is for) is drawn on, rounded outwards.
    static QRect Cover(const QTransform& t, const QRect& scene);
    static QRegion Cover(const QTransform& t, const QRegion& scene);
    // A widget's geometry in its parent: the box the transform maps to, each
    // edge rounded, less the parent's corner.
    static QRect Place(const QTransform& t, const QRectF& scene, QPoint parentCorner = {});
    // A scene box the transform maps to, from a window box.
    static QRect SceneArea(const QTransform& inverse, const QRect& window);

private:
    double scale_ = 1;
    QTransform toWindow_;
    QTransform toScene_;
    QRect picture_;
};

}  // namespace quondra::qt
