#pragma once

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <map>
#include <tuple>

namespace quondra::qt {

// Filled, outlined discs drawn once into a pixmap per size, colour and
// scale to the device, then copied: rasterising an antialiased circle was
// most of a frame's work, a copy costs a fraction of it. A disc's place is
// kept to a quarter of a device pixel by a sprite for each of the sixteen
// offsets within a pixel, so that slow motion stays smooth.
class DiscSprites {
public:
    // The disc inscribed in `box` (logical pixels), outlined with a pen
    // `outline` logical pixels wide lying inside the box.
    void Draw(QPainter& p, const QRectF& box, const QColor& fill, const QColor& border, double outline);

private:
    // Size in device pixels and offset within a pixel, each in quarters;
    // the colours; the outline in hundredths of a device pixel.
    using Key = std::tuple<int, int, int, int, QRgb, QRgb, int>;
    const QPixmap& Sprite(const Key& key);

    std::map<Key, QPixmap> sprites_;
};

}  // namespace quondra::qt
