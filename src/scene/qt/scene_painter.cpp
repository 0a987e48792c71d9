#include "scene_painter.h"

namespace quondra::qt {
namespace {

constexpr double kPx = 1.0 / 15;  // scene units to pixels
constexpr double kOutlinePx = 1;
// Points to pixels at 96 dots per inch.
constexpr double kPixelsPerPoint = 96.0 / 72;

QRectF Px(double left, double top, double width, double height) {
    return QRectF(left * kPx, top * kPx, width * kPx, height * kPx);
}

}  // namespace

QColor ToQColor(const Color& c) { return QColor(c.Red, c.Green, c.Blue); }

QFont ToQFont(const Font& f, double unitsPerPoint) {
    QFont font(f.Face == FontFace::ComicSansMS ? QStringLiteral("Comic Neue") : QStringLiteral("Liberation Sans"));
    font.setPixelSize(static_cast<int>(f.Points * unitsPerPoint + 0.5));
    font.setBold(f.Bold);
    font.setUnderline(f.Underline);
    return font;
}

ScenePainter::ScenePainter()
    : banner_(QStringLiteral(":/assets/title_banner.png")),
      player1_(QStringLiteral(":/assets/player1.png")),
      player2_(QStringLiteral(":/assets/player2.png")) {}

void ScenePainter::Paint(QPainter& p, const LightweightRef& object) const {
    std::visit(
        [&](const auto* o) {
            if (o->Visible) Paint(p, *o);
        },
        object);
}

void ScenePainter::Paint(QPainter& p, const Shape& s) const {
    p.setPen(QPen(ToQColor(s.BorderColor), kOutlinePx));
    p.setBrush(s.FillColor ? QBrush(ToQColor(*s.FillColor)) : Qt::NoBrush);
    // The outline is drawn inside the box, as the shape's own size.
    const double inset = kOutlinePx / 2;
    const QRectF box = Px(s.Left, s.Top, s.Width, s.Height).adjusted(inset, inset, -inset, -inset);
    if (s.Form == ShapeForm::Circle) p.drawEllipse(box);
    else p.drawRect(box);
}

void ScenePainter::Paint(QPainter& p, const Line& l) const {
    p.setPen(QPen(Qt::black, kOutlinePx));
    p.drawLine(QPointF(l.X1 * kPx, l.Y1 * kPx), QPointF(l.X2 * kPx, l.Y2 * kPx));
}

void ScenePainter::Paint(QPainter& p, const Label& l) const {
    const QRectF box = Px(l.Left, l.Top, l.Width, l.Height);
    if (l.BackColor) p.fillRect(box, ToQColor(*l.BackColor));
    p.setPen(ToQColor(l.ForeColor));
    p.setFont(ToQFont(l.Font, kPixelsPerPoint));
    const Qt::Alignment horizontal = l.Align == Alignment::Center ? Qt::AlignHCenter
                                     : l.Align == Alignment::Right ? Qt::AlignRight
                                                                   : Qt::AlignLeft;
    p.drawText(box, static_cast<int>(horizontal | Qt::AlignTop), QString::fromStdString(l.Caption));
}

void ScenePainter::Paint(QPainter& p, const Picture& pic) const {
    const QImage& image = pic.Art == Artwork::TitleBanner ? banner_ : pic.Art == Artwork::Player1 ? player1_ : player2_;
    p.drawImage(Px(pic.Left, pic.Top, pic.Width, pic.Height), image);
}

}  // namespace quondra::qt
