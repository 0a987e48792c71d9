#include "scene_painter.h"

namespace quondra::qt {
namespace {

constexpr double kOutlineUnits = 15;  // one pixel at the scene's scale
// Points to scene units at 96 dots per inch: 1440 units an inch, 72 points an inch.
constexpr double kUnitsPerPoint = 1440.0 / 72;

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
    p.setPen(QPen(ToQColor(s.BorderColor), kOutlineUnits));
    p.setBrush(s.FillColor ? QBrush(ToQColor(*s.FillColor)) : Qt::NoBrush);
    // The outline is drawn inside the box, as the shape's own size.
    const double inset = kOutlineUnits / 2;
    const QRectF box(s.Left + inset, s.Top + inset, s.Width - 2 * inset, s.Height - 2 * inset);
    if (s.Form == ShapeForm::Circle) p.drawEllipse(box);
    else p.drawRect(box);
}

void ScenePainter::Paint(QPainter& p, const Line& l) const {
    p.setPen(QPen(Qt::black, kOutlineUnits));
    p.drawLine(QPointF(l.X1, l.Y1), QPointF(l.X2, l.Y2));
}

void ScenePainter::Paint(QPainter& p, const Label& l) const {
    const QRectF box(l.Left, l.Top, l.Width, l.Height);
    if (l.BackColor) p.fillRect(box, ToQColor(*l.BackColor));
    p.setPen(ToQColor(l.ForeColor));
    p.setFont(ToQFont(l.Font, kUnitsPerPoint));
    const Qt::Alignment horizontal = l.Align == Alignment::Center ? Qt::AlignHCenter
                                     : l.Align == Alignment::Right ? Qt::AlignRight
                                                                   : Qt::AlignLeft;
    p.drawText(box, static_cast<int>(horizontal | Qt::AlignTop), QString::fromStdString(l.Caption));
}

void ScenePainter::Paint(QPainter& p, const Picture& pic) const {
    const QImage& image = pic.Art == Artwork::TitleBanner ? banner_ : pic.Art == Artwork::Player1 ? player1_ : player2_;
    p.drawImage(QRectF(pic.Left, pic.Top, pic.Width, pic.Height), image);
}

}  // namespace quondra::qt
