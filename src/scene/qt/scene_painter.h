#pragma once

#include <QImage>
#include <QPainter>
#include <optional>

#include "scene/scene.h"
#include "title_banner.h"

namespace quondra::qt {

// Paints lightweight scene objects, converting scene units (15 to a pixel)
// to the painter's logical pixels; a high-DPI backing store then draws them
// with its finer device pixels.
class ScenePainter {
public:
    // Paints the object if its own Visible is set; the caller has dealt with its frames.
    void Paint(QPainter& p, const LightweightRef& object) const;
    // Every lightweight object of the container that reaches into `area`
    // (pixels in the container), back to front, antialiased.
    void PaintAll(QPainter& p, const Scene& scene, const Frame* container, const QRect& area) const;

    // A player picture, decoded the first time it is asked for: they are
    // never shown in play, and start-up need not pay for them. (The title
    // banner is drawn from shapes.)
    const QImage& Image(Artwork art) const;

private:
    void Paint(QPainter& p, const Shape& s) const;
    void Paint(QPainter& p, const Line& l) const;
    void Paint(QPainter& p, const Label& l) const;
    void Paint(QPainter& p, const Picture& pic) const;

    mutable std::optional<QImage> player1_;
    mutable std::optional<QImage> player2_;
    TitleBanner banner_;
};

// One of the game's own PNG images, read without probing image plugins.
QImage ReadArtwork(const QString& path);
QColor ToQColor(const Color& c);

}  // namespace quondra::qt
