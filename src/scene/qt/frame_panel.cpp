#include "frame_panel.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <utility>

#include "pixels.h"

namespace quondra::qt {

FramePanel::FramePanel(QWidget* parent, const FrmGame& frm, const Frame& frame, const ScenePainter& painter)
    : QWidget(parent), frm_(frm), frame_(frame), painter_(painter) {
    setGeometry(PixelRect(frame.Left, frame.Top, frame.Width, frame.Height));
    setAttribute(Qt::WA_OpaquePaintEvent);
    footprint_ = TakeFootprint(frm_, &frame_);
}

void FramePanel::Place(const ViewTransform& view) {
    const QRectF box = PixelRectF(frame_.Left, frame_.Top, frame_.Width, frame_.Height);
    // The ground strip reaches a little past the client area, where the
    // window used to cut it off; the picture's edge cuts it off now.
    const QRect place = ViewTransform::Place(view.ToWindow(), box) & view.Picture();
    // The frame's objects are drawn where the window's transform puts them,
    // not where the panel's rounded corner would.
    toPanel_ = QTransform::fromTranslate(box.left(), box.top()) * view.ToWindow() *
               QTransform::fromTranslate(-place.left(), -place.top());
    toScene_ = toPanel_.inverted();
    setGeometry(place);
    update();
}

void FramePanel::Refresh() {
    std::vector<Footprint> now = TakeFootprint(frm_, &frame_);
    const QRegion changed = ChangedArea(footprint_, now);
    footprint_ = std::move(now);
    if (!changed.isEmpty()) update(ViewTransform::Cover(toPanel_, changed));
}

void FramePanel::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), ToQColor(frame_.BackColor));
    p.setTransform(toPanel_);
    painter_.PaintAll(p, frm_, &frame_, ViewTransform::SceneArea(toScene_, event->rect()));
    if (paintOver_) paintOver_(p);
}

void FramePanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressedAt_ = event->position().toPoint();
    QWidget::mousePressEvent(event);
}

void FramePanel::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a press and a release in one place, as a button takes it.
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && at == std::exchange(pressedAt_, QPoint(-1, -1)) && clicked_) {
        const QPointF scene = toScene_.map(event->position());
        clicked_(static_cast<float>(ToUnits(scene.x())), static_cast<float>(ToUnits(scene.y())));
    }
    QWidget::mouseReleaseEvent(event);
}

}  // namespace quondra::qt
