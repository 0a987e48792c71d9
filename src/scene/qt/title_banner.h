#pragma once

#include <QPainter>
#include <QRectF>

namespace quondra::qt {

// The title banner: the game's name in rounded, light-green lettering on a
// transparent ground, drawn from the outlines of Comic Neue Bold, so that it
// is as sharp as the text beside it at every scale. It is laid out on a
// 549 x 62 picture and stretched to the box it is drawn in.
class TitleBanner {
public:
    void Paint(QPainter& p, const QRectF& box) const;
};

}  // namespace quondra::qt
