#include "title_banner.h"

#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <algorithm>

#include "scene_fonts.h"

namespace quondra::qt {
namespace {

constexpr double kBannerWidth = 549;
constexpr double kBannerHeight = 62;
constexpr double kMargin = 4;
constexpr double kEdgeWidth = 4;
// The lettering is widened a little so that the word fills more of the long banner.
constexpr double kMaxStretch = 1.35;
const QColor kLetterFill(150, 255, 130);
const QColor kLetterEdge(0, 120, 20);

// The lettering on the 549 x 62 picture.
QPainterPath Lettering() {
    QFont font(InstalledFamily(FontFace::ComicSansMS));
    font.setBold(true);
    font.setPixelSize(static_cast<int>(kBannerHeight));
    QPainterPath text;
    text.addText(0, 0, font, QStringLiteral("Quondra"));
    const QRectF bounds = text.boundingRect();
    const double scale = (kBannerHeight - 2 * kMargin) / bounds.height();
    const double widthScale = std::min(scale * kMaxStretch, (kBannerWidth - 2 * kMargin) / bounds.width());
    QTransform fit;
    fit.translate(kBannerWidth / 2, kBannerHeight / 2);
    fit.scale(widthScale, scale);
    fit.translate(-bounds.center().x(), -bounds.center().y());
    return fit.map(text);
}

QPixmap Render(const QSize& devicePixels, double ratio, const QSizeF& box) {
    static const QPainterPath lettering = Lettering();
    QPixmap pixmap(devicePixels);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(box.width() / kBannerWidth, box.height() / kBannerHeight);
    p.setPen(QPen(kLetterEdge, kEdgeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kLetterFill);
    p.drawPath(lettering);
    // Filled again over the inner half of the edge, so the letters stay fat and light.
    p.setPen(Qt::NoPen);
    p.drawPath(lettering);
    return pixmap;
}

}  // namespace

void TitleBanner::Paint(QPainter& p, const QRectF& box) const {
    // Drawn once for each box and device-pixel ratio; a repaint copies it.
    // The ratio of the pixels painted on: those of the engine's device, which
    // differ from the widget's own when it is rendered into an image.
    const double ratio = p.paintEngine()->paintDevice()->devicePixelRatio();
    const QSize devicePixels = (box.size() * ratio).toSize();
    const QString key = QStringLiteral("quondra-banner-%1x%2").arg(devicePixels.width()).arg(devicePixels.height());
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = Render(devicePixels, ratio, box.size());
        QPixmapCache::insert(key, pixmap);
    }
    p.drawPixmap(box.topLeft(), pixmap);
}

}  // namespace quondra::qt
