#include "focus_mark.h"

#include <QPen>
#include <algorithm>
#include <cmath>

namespace quondra::qt {
namespace {

// At the starting size: a line two pixels wide, two pixels clear of what it
// surrounds; never thinner on a smaller picture, so that it stays plain.
constexpr double kMarkWidthPx = 2.0;
constexpr double kMarkGapPx = 2.0;

// Whole pixels, so that the dots are crisp rather than smeared over two.
double Scaled(double px, double scale) { return std::round(px * std::max(scale, 1.0)); }

}  // namespace

double FocusMarkReach(double scale) { return Scaled(kMarkGapPx, scale) + Scaled(kMarkWidthPx, scale); }

void PaintFocusMark(QPainter& p, const QRectF& around, double scale) {
    const double width = Scaled(kMarkWidthPx, scale);
    const double middle = FocusMarkReach(scale) - width / 2;
    QPen pen(Qt::black, width, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    // Dots as long as the line is wide, with gaps as long: half the line is
    // ink, plain on the cyan frames and on the green Play button alike.
    pen.setDashPattern({1.0, 1.0});
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(around.toAlignedRect()).adjusted(-middle, -middle, middle, middle));
    p.restore();
}

}  // namespace quondra::qt
