#pragma once

#include <QPainter>
#include <QRectF>

namespace quondra::qt {

// The keyboard focus on a settings control: a dark dotted rectangle drawn
// just outside `around` (the control's own pixels). `scale` is the control's
// drawn size over its size at 849 x 588, so the mark grows with the picture
// and stays as plain on a large window as on a small one.
void PaintFocusMark(QPainter& p, const QRectF& around, double scale);

// How far the mark reaches outside `around`, at a scale.
double FocusMarkReach(double scale);

}  // namespace quondra::qt
