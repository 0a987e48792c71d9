#include "disc_sprites.h"

#include <QImage>
#include <cmath>

namespace quondra::qt {
namespace {

constexpr int kSteps = 4;  // a quarter of a device pixel
constexpr int kOutlineSteps = 100;
// Room for the antialiased edge round the disc, in device pixels.
constexpr int kMarginPx = 1;
// Sizes change only with the window's scale; a resize storm must not pile
// up sprites for scales long gone.
constexpr std::size_t kMaxSprites = 96;
// Larger than any screen: such a disc is drawn directly, not kept.
constexpr double kMaxSidePx = 8192;

int Steps(double v, int steps) { return static_cast<int>(std::lround(v * steps)); }

}  // namespace

void DiscSprites::Draw(QPainter& p, const QRectF& box, const QColor& fill, const QColor& border, double outline) {
    const QTransform toDevice = p.deviceTransform();
    const bool plainScale = toDevice.type() <= QTransform::TxScale && toDevice.m11() == toDevice.m22() &&
                            toDevice.m11() > 0;
    const QRectF device = toDevice.mapRect(box);
    if (!plainScale || !std::isfinite(device.left()) || !std::isfinite(device.top()) ||
        device.width() > kMaxSidePx || device.height() > kMaxSidePx) {
        // Turned, sheared or absurd: drawn as it is, without a sprite.
        p.setPen(QPen(border, outline));
        p.setBrush(fill);
        p.drawEllipse(box);
        return;
    }
    const double scale = toDevice.m11();
    // The whole pixel the disc starts in, and the quarter within it.
    double x0 = std::floor(device.left()), y0 = std::floor(device.top());
    int dx = Steps(device.left() - x0, kSteps), dy = Steps(device.top() - y0, kSteps);
    if (dx == kSteps) dx = 0, x0 += 1;
    if (dy == kSteps) dy = 0, y0 += 1;
    const QPixmap& sprite = Sprite({Steps(device.width(), kSteps), Steps(device.height(), kSteps), dx, dy,
                                    fill.rgba(), border.rgba(), Steps(outline * scale, kOutlineSteps)});
    const QRectF target(x0 - kMarginPx, y0 - kMarginPx, sprite.width(), sprite.height());
    p.drawPixmap(toDevice.inverted().mapRect(target), sprite, QRectF(sprite.rect()));
}

const QPixmap& DiscSprites::Sprite(const Key& key) {
    if (const auto found = sprites_.find(key); found != sprites_.end()) return found->second;
    if (sprites_.size() >= kMaxSprites) sprites_.clear();
    const auto [w, h, dx, dy, fill, border, outline] = key;
    const double width = static_cast<double>(w) / kSteps, height = static_cast<double>(h) / kSteps;
    QImage image(static_cast<int>(std::ceil(width)) + 2 * kMarginPx + 1,
                 static_cast<int>(std::ceil(height)) + 2 * kMarginPx + 1, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor::fromRgba(border), static_cast<double>(outline) / kOutlineSteps));
        p.setBrush(QColor::fromRgba(fill));
        p.drawEllipse(QRectF(kMarginPx + static_cast<double>(dx) / kSteps, kMarginPx + static_cast<double>(dy) / kSteps,
                             width, height));
    }
    return sprites_.emplace(key, QPixmap::fromImage(std::move(image))).first->second;
}

}  // namespace quondra::qt
