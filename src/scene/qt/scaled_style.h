#pragma once

#include <QProxyStyle>

namespace quondra::qt {

// The desktop's style with its indicator sizes scaled, so that an option
// button's circle grows and shrinks with the picture around it. The style
// draws the circle into whatever box these sizes give it.
class ScaledStyle : public QProxyStyle {
public:
    ScaledStyle();
    void SetScale(double scale) { scale_ = scale; }
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

private:
    double scale_ = 1;
};

}  // namespace quondra::qt
