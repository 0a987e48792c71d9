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

void FramePanel::Refresh() {
    std::vector<Footprint> now = TakeFootprint(frm_, &frame_);
    const QRegion changed = ChangedArea(footprint_, now);
    footprint_ = std::move(now);
    if (!changed.isEmpty()) update(changed);
}

void FramePanel::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), ToQColor(frame_.BackColor));
    painter_.PaintAll(p, frm_, &frame_, event->rect());
    if (paintOver_) paintOver_(p);
}

void FramePanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressedAt_ = event->position().toPoint();
    QWidget::mousePressEvent(event);
}

void FramePanel::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a press and a release in one place, as a button takes it.
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && at == std::exchange(pressedAt_, QPoint(-1, -1)) && clicked_)
        clicked_(static_cast<float>(ToUnits(at.x())), static_cast<float>(ToUnits(at.y())));
    QWidget::mouseReleaseEvent(event);
}

}  // namespace quondra::qt
