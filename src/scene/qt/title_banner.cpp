#include "title_banner.h"

#include <QGlyphRun>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <vector>

#include "scene/layout.h"
#include "scene_fonts.h"

namespace quondra::qt {
namespace {

// The lettering is laid out on this canvas and scaled to the box it is drawn in.
constexpr QSizeF kCanvas(549, 62);
constexpr double kMargin = 4;
// The dark edge is the lettering itself drawn twice behind the fill: pushed
// down and right, where it reads as a shadow, and up and left, as a rim. Two
// plain fills cost a third less than stroking the outlines did, and the
// lettering stands out from the sky as well.
constexpr QPointF kEdgeShadow(2, 2);
constexpr QPointF kEdgeRim(-1.2, -1.2);
// The lettering is widened a little so that the word fills more of the long banner.
constexpr double kMaxStretch = 1.35;
const QColor kLetterFill(150, 255, 130);
const QColor kLetterEdge(0, 120, 20);

// The lettering on the canvas, one outline a letter. The
// rasteriser's cost grows with the outline's length times the number of
// bands it cuts the area into, and a wide outline needs many narrow bands:
// letter by letter the same pixels cost about a third.
std::vector<QPainterPath> Lettering() {
    // The Play caption's font: its outlines scale up as well as any size's,
    // and it is loaded for the first frame anyway.
    const QFont font = ToQFont(kPlayFont);
    QTextLayout layout(QStringLiteral("Quondra"), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    std::vector<QPainterPath> letters;
    QPainterPath word;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QRawFont face = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            QPainterPath letter = face.pathForGlyph(glyphs[i]);
            letter.translate(positions[i]);
            word.addPath(letter);
            letters.push_back(letter);
        }
    }
    const QRectF bounds = word.boundingRect();
    const double scale = (kCanvas.height() - 2 * kMargin) / bounds.height();
    const double widthScale = std::min(scale * kMaxStretch, (kCanvas.width() - 2 * kMargin) / bounds.width());
    QTransform fit;
    fit.translate(kCanvas.width() / 2, kCanvas.height() / 2);
    fit.scale(widthScale, scale);
    fit.translate(-bounds.center().x(), -bounds.center().y());
    for (QPainterPath& letter : letters) letter = fit.map(letter);
    return letters;
}

}  // namespace

void TitleBanner::Paint(QPainter& p, const QRectF& box) const {
    // Drawn straight onto the window at its own resolution; the banner lies
    // where nothing moves, so it is drawn again only when its screen returns
    // or the window is exposed, and keeping a copy would only cost memory.
    static const std::vector<QPainterPath> lettering = Lettering();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(box.topLeft());
    p.scale(box.width() / kCanvas.width(), box.height() / kCanvas.height());
    // Every edge first, then every fill, so that no edge crosses a neighbour.
    p.setPen(Qt::NoPen);
    p.setBrush(kLetterEdge);
    for (const QPainterPath& letter : lettering) {
        p.drawPath(letter.translated(kEdgeShadow));
        p.drawPath(letter.translated(kEdgeRim));
    }
    p.setBrush(kLetterFill);
    for (const QPainterPath& letter : lettering) p.drawPath(letter);
    p.restore();
}

}  // namespace quondra::qt
