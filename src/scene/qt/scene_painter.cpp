#include "scene_painter.h"

#include <QImageReader>

#include "ball_marker.h"
#include "dirty_region.h"
#include "pixels.h"
#include "scene/layout.h"
#include "scene_fonts.h"

namespace quondra::qt {
namespace {

constexpr const char* kArtworkFormat = "png";
constexpr double kOutlinePx = 1;

}  // namespace

QImage ReadArtwork(const QString& path) {
    // With the format fixed and no detection, the built-in reader serves:
    // no image plugin is loaded and probed at start-up.
    QImageReader reader(path, kArtworkFormat);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QColor ToQColor(const Color& c) { return QColor(c.Red, c.Green, c.Blue); }

const QImage& ScenePainter::Image(Artwork art) const {
    const bool yellow = art == Artwork::Player1;
    std::optional<QImage>& image = yellow ? player1_ : player2_;
    if (!image) image.emplace(ReadArtwork(yellow ? QStringLiteral(":/assets/player1.png")
                                                 : QStringLiteral(":/assets/player2.png")));
    return *image;
}

void ScenePainter::PaintAll(QPainter& p, const Scene& scene, const Frame* container, const QRect& area) const {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // A repaint in play covers a few small areas: what lies wholly outside
    // them would be clipped away, so it is not drawn at all (text layout is
    // the dearest part of a paint).
    for (const LightweightRef& o : scene.DrawingOrder(container))
        if (area.intersects(FootprintArea(o, tween_))) Paint(p, o);
    if (container != nullptr) return;
    const Shape ball = tween_ != nullptr ? tween_->Drawn(scene.shpBall) : scene.shpBall;
    if (area.intersects(BallMarkerArea(ball))) PaintBallMarker(p, ball);
}

void ScenePainter::Paint(QPainter& p, const LightweightRef& object) const {
    std::visit(
        [&](const auto* o) {
            if (o->Visible) Paint(p, *o);
        },
        object);
}

void ScenePainter::Paint(QPainter& p, const Shape& s) const {
    const QPointF at = tween_ != nullptr ? tween_->Place(s) : QPointF(s.Left, s.Top);
    // The outline lies inside the box, so the shape covers exactly its size.
    const double inset = kOutlinePx / 2;
    const QRectF box = PixelRectF(at.x(), at.y(), s.Width, s.Height).adjusted(inset, inset, -inset, -inset);
    if (s.Form == ShapeForm::Circle && s.FillColor) {
        discs_.Draw(p, box, ToQColor(*s.FillColor), ToQColor(s.BorderColor), kOutlinePx);
        return;
    }
    p.setPen(QPen(ToQColor(s.BorderColor), kOutlinePx));
    p.setBrush(s.FillColor ? QBrush(ToQColor(*s.FillColor)) : Qt::NoBrush);
    if (s.Form == ShapeForm::Circle) p.drawEllipse(box);
    else p.drawRect(box);
}

void ScenePainter::Paint(QPainter& p, const Line& l) const {
    p.setPen(QPen(Qt::black, kOutlinePx));
    p.drawLine(QPointF(ToPixels(l.X1), ToPixels(l.Y1)), QPointF(ToPixels(l.X2), ToPixels(l.Y2)));
}

void ScenePainter::Paint(QPainter& p, const Label& l) const {
    const QRectF box = PixelRectF(l.Left, l.Top, l.Width, l.Height);
    if (l.BackColor) p.fillRect(box, ToQColor(*l.BackColor));
    p.save();
    // A label's text stays inside its box, which is also what a repaint of
    // the box covers.
    p.setClipRect(box, Qt::IntersectClip);
    const Qt::Alignment horizontal = l.Align == Alignment::Center ? Qt::AlignHCenter
                                     : l.Align == Alignment::Right ? Qt::AlignRight
                                                                   : Qt::AlignLeft;
    p.setPen(ToQColor(l.ForeColor));
    p.setFont(ToQFont(l.Font));
    p.drawText(box, static_cast<int>(horizontal | Qt::AlignTop | Qt::TextWordWrap), QString::fromStdString(l.Caption));
    p.restore();
}

void ScenePainter::Paint(QPainter& p, const Picture& pic) const {
    const QRectF box = PixelRectF(pic.Left, pic.Top, pic.Width, pic.Height);
    if (pic.Art == Artwork::TitleBanner) banner_.Paint(p, box);
    else p.drawImage(box, Image(pic.Art));
}

}  // namespace quondra::qt
