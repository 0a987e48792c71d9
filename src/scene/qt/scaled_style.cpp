#include "scaled_style.h"

#include <QApplication>
#include <algorithm>

namespace quondra::qt {

// A base of its own: a proxy owns its base style, and the application's must
// stay the application's.
ScaledStyle::ScaledStyle() : QProxyStyle(QApplication::style()->name()) {}

int ScaledStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    const int size = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_RadioButtonLabelSpacing: return std::max(1, qRound(size * scale_));
        default: return size;
    }
}

}  // namespace quondra::qt
