#pragma once

#include <QImage>
#include <QPainter>

#include "scene/scene.h"

namespace quondra::qt {

// Paints lightweight scene objects, converting scene units (15 to a pixel)
// to the window's pixels.
class ScenePainter {
public:
    ScenePainter();
    void Paint(QPainter& p, const LightweightRef& object) const;

private:
    void Paint(QPainter& p, const Shape& s) const;
    void Paint(QPainter& p, const Line& l) const;
    void Paint(QPainter& p, const Label& l) const;
    void Paint(QPainter& p, const Picture& pic) const;

    QImage banner_, player1_, player2_;
};

QColor ToQColor(const Color& c);
// A scene font: Arial and Comic Sans MS map to their installed equivalents.
QFont ToQFont(const Font& f, double unitsPerPoint);

}  // namespace quondra::qt
