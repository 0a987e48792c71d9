#include "scene_text.h"

#include <algorithm>
#include <QImage>
#include <QList>
#include <QResource>

#include "scene_fonts.h"
#include "text_layout.h"

namespace quondra::qt {
namespace {

constexpr int kCoverageLevels = 256;

// Whole-pixel arithmetic done inline: the maths library's entry points lie
// on pages of their own, which start-up need not touch.
double Floor(double v) {
    const double whole = static_cast<double>(static_cast<long long>(v));
    return whole > v ? whole - 1 : whole;
}
double Ceil(double v) { return -Floor(-v); }
double Round(double v) { return Floor(v + 0.5); }

std::optional<GlyphAtlas> BuiltInAtlas() {
    // Uncompressed in the binary, so the coverage is used where it lies.
    const QResource resource(QStringLiteral(":/glyphs.bin"));
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression) return std::nullopt;
    return Parse({resource.data(), static_cast<std::size_t>(resource.size())});
}

TextAlign HorizontalOf(Qt::Alignment align) {
    if (align & Qt::AlignHCenter) return TextAlign::Center;
    if (align & Qt::AlignRight) return TextAlign::Right;
    return TextAlign::Left;
}

// Coverage 0..255 as the colour at that opacity.
QList<QRgb> ColourRamp(const QColor& colour) {
    QList<QRgb> ramp(kCoverageLevels);
    for (int i = 0; i < kCoverageLevels; ++i) ramp[i] = qRgba(colour.red(), colour.green(), colour.blue(), i);
    return ramp;
}

}  // namespace

SceneText::SceneText() : atlas_(BuiltInAtlas()) {}

void SceneText::Draw(QPainter& p, const QRectF& box, const Font& font, const QColor& colour, Qt::Alignment align,
                     const QString& text) const {
    if (!DrawFromAtlas(p, box, font, colour, align, text)) DrawWithFont(p, box, font, colour, align, text);
}

void SceneText::DrawWithFont(QPainter& p, const QRectF& box, const Font& font, const QColor& colour,
                             Qt::Alignment align, const QString& text) {
    p.save();
    p.setPen(colour);
    p.setFont(ToQFont(font));
    p.drawText(box, static_cast<int>(align | Qt::TextWordWrap), text);
    p.restore();
}

bool SceneText::DrawFromAtlas(QPainter& p, const QRectF& box, const Font& font, const QColor& colour,
                              Qt::Alignment align, const QString& text) const {
    if (!atlas_) return false;
    const AtlasFace* face = atlas_->Find(FaceKeyOf(font));
    const double ratio = p.device()->devicePixelRatio();
    const std::optional<std::size_t> scale = atlas_->ScaleIndex(ratio);
    // Glyphs are copied pixel for pixel: only a shifted painter keeps them on the device grid.
    if (face == nullptr || !scale || p.transform().type() > QTransform::TxTranslate) return false;
    const std::u32string codes = text.toStdU32String();
    const std::optional<TextBlock> block = LayOutText(*face, codes, static_cast<float>(box.width()), HorizontalOf(align));
    if (!block) return false;

    const double lineHeight = face->Ascent + face->Descent;
    const double lines = static_cast<double>(block->Lines.size());
    const double height = lines * lineHeight + (lines - 1) * face->Leading;
    const double top = box.top() + ((align & Qt::AlignVCenter) ? (box.height() - height) / 2 : 0);
    auto baseline = [&](int line) { return top + line * (lineHeight + face->Leading) + face->Ascent; };
    // Whole device pixels, counted from the device's origin.
    const QPointF origin = p.transform().map(QPointF(0, 0));
    auto device = [&](double logical, double shift) { return Round((logical + shift) * ratio) / ratio - shift; };

    const QList<QRgb> ramp = ColourRamp(colour);
    for (const PlacedGlyph& g : block->Glyphs) {
        const GlyphImage& image = g.Shape->Images[*scale];
        if (image.Width == 0) continue;
        const std::span<const std::uint8_t> pixels = atlas_->Pixels(image);
        QImage glyph(pixels.data(), image.Width, image.Height, image.Width, QImage::Format_Indexed8);
        glyph.setColorTable(ramp);
        glyph.setDevicePixelRatio(ratio);
        const double x = device(box.left() + g.X, origin.x()) + image.Left / ratio;
        const double y = device(baseline(g.Line), origin.y()) + image.Top / ratio;
        p.drawImage(QPointF(x, y), glyph);
    }
    if (font.Underline) {
        // As the toolkit places it: centred a whole pixel and a half below
        // the baseline (further if the face says so), yet within the descent.
        const double below = std::min(Ceil(face->UnderlinePos) + 0.5, face->Descent - 0.5);
        for (std::size_t i = 0; i < block->Lines.size(); ++i) {
            const TextLine& l = block->Lines[i];
            const double centre = baseline(static_cast<int>(i)) + below;
            const double left = Floor(box.left() + l.Left);
            const double right = Floor(box.left() + l.Left + l.Width);
            p.fillRect(QRectF(left, centre - face->LineWidth / 2, right - left, face->LineWidth), colour);
        }
    }
    return true;
}

}  // namespace quondra::qt
