// Rasterises every face the layout table uses into the glyph atlas the game
// draws its text from. The build runs it under the offscreen platform:
//   make_glyphs <output file>
// It draws each glyph exactly as the window would (same font, same
// antialiasing) at each device-pixel ratio, and keeps the coverage.
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <set>
#include <string_view>

#include "glyph_atlas.h"
#include "scene/layout.h"
#include "scene/scene.h"
#include "scene_fonts.h"

using namespace quondra;
using namespace quondra::qt;

namespace {

// The scores count up from "0", so every face carries the digits besides
// the characters of the captions; text with any other character is drawn
// with the font library. Fewer glyphs keep the atlas compact: a window
// touches less of it.
constexpr std::u32string_view kDigits = U"0123456789";
constexpr std::uint8_t kScales[] = {1, 2, 3};
constexpr int kPadPx = 3;
constexpr float kNoKerning = 1.0f / 128;

struct FaceUse {
    Font SceneFont;
    std::set<char32_t> Codes;
};

// Every face the layout's labels and buttons use, with their characters.
std::vector<FaceUse> FacesOfLayout() {
    Scene scene;
    BuildLayout(scene);
    std::vector<FaceUse> faces;
    auto add = [&](const Font& f, const std::string& caption) {
        auto it = std::find_if(faces.begin(), faces.end(),
                               [&](const FaceUse& u) { return FaceKeyOf(u.SceneFont) == FaceKeyOf(f); });
        if (it == faces.end()) it = faces.insert(faces.end(), {f, {kDigits.begin(), kDigits.end()}});
        for (char32_t c : QString::fromStdString(caption).toStdU32String()) it->Codes.insert(c);
    };
    for (const ObjectRef& object : scene.Objects()) {
        if (auto* const* label = std::get_if<Label*>(&object)) add((*label)->Font, (*label)->Caption);
        else if (auto* const* button = std::get_if<Button*>(&object)) add((*button)->Font, (*button)->Caption);
    }
    return faces;
}

// Draws one glyph in white on transparent and keeps the alpha of its inked
// box; an empty glyph (a space) keeps nothing.
GlyphImage Rasterise(const QFont& font, char32_t code, int scale, std::vector<std::uint8_t>& coverage) {
    const QFontMetricsF metrics(font);
    const QString text = QString::fromUcs4(&code, 1);
    const QRectF ink = metrics.boundingRect(text);
    // The pen stands on whole logical pixels, so on whole device pixels too.
    const int penX = kPadPx + static_cast<int>(std::ceil(-ink.left()));
    const int penY = kPadPx + static_cast<int>(std::ceil(-ink.top()));
    const int width = penX + static_cast<int>(std::ceil(ink.right())) + kPadPx;
    const int height = penY + static_cast<int>(std::ceil(ink.bottom())) + kPadPx;

    QImage image(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QPointF(penX, penY), text);
    }
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    if (right < 0) return {};
    if (left == 0 || top == 0 || right == image.width() - 1 || bottom == image.height() - 1)
        std::fprintf(stderr, "make_glyphs: U+%04X of %s may be cut off\n", static_cast<unsigned>(code),
                     qPrintable(font.family()));

    GlyphImage g;
    g.Left = static_cast<std::int16_t>(left - penX * scale);
    g.Top = static_cast<std::int16_t>(top - penY * scale);
    g.Width = static_cast<std::uint16_t>(right - left + 1);
    g.Height = static_cast<std::uint16_t>(bottom - top + 1);
    g.Offset = static_cast<std::uint32_t>(coverage.size());
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) coverage.push_back(static_cast<std::uint8_t>(qAlpha(image.pixel(x, y))));
    return g;
}

// Coverage kept apart for each scale until the end, so that a window at one
// device-pixel ratio reads one compact stretch of the atlas.
using CoverageByScale = std::vector<std::vector<std::uint8_t>>;

AtlasFace MakeFace(const FaceUse& use, CoverageByScale& coverage) {
    Font plain = use.SceneFont;
    plain.Underline = false;
    const QFont font = ToQFont(plain);
    const QFontMetricsF metrics(font);
    AtlasFace face;
    face.Key = FaceKeyOf(use.SceneFont);
    face.Ascent = static_cast<float>(metrics.ascent());
    face.Descent = static_cast<float>(metrics.descent());
    face.Leading = static_cast<float>(metrics.leading());
    face.UnderlinePos = static_cast<float>(metrics.underlinePos());
    face.LineWidth = static_cast<float>(metrics.lineWidth());

    auto advance = [&](std::u32string_view s) {
        return metrics.horizontalAdvance(QString::fromUcs4(s.data(), static_cast<qsizetype>(s.size())));
    };
    for (char32_t c : use.Codes) {
        Glyph& g = face.Glyphs.emplace_back();
        g.Code = c;
        g.Advance = static_cast<float>(advance(std::u32string_view(&c, 1)));
        for (std::size_t i = 0; i < std::size(kScales); ++i)
            g.Images.push_back(Rasterise(font, c, kScales[i], coverage[i]));
    }
    // Whatever the shaper adds or takes between two characters.
    for (char32_t a : use.Codes)
        for (char32_t b : use.Codes) {
            const char32_t pair[] = {a, b};
            const double adjust = advance(std::u32string_view(pair, 2)) - face.Find(a)->Advance - face.Find(b)->Advance;
            if (std::abs(adjust) > kNoKerning) face.Kernings.push_back({a, b, static_cast<float>(adjust)});
        }
    return face;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_glyphs <output file>\n");
        return 2;
    }
    CoverageByScale byScale(std::size(kScales));
    GlyphAtlas atlas;
    atlas.Scales.assign(std::begin(kScales), std::end(kScales));
    for (const FaceUse& use : FacesOfLayout()) atlas.Faces.push_back(MakeFace(use, byScale));
    std::vector<std::uint8_t> coverage;
    std::vector<std::uint32_t> start;
    for (const std::vector<std::uint8_t>& part : byScale) {
        start.push_back(static_cast<std::uint32_t>(coverage.size()));
        coverage.insert(coverage.end(), part.begin(), part.end());
    }
    for (AtlasFace& face : atlas.Faces)
        for (Glyph& g : face.Glyphs)
            for (std::size_t i = 0; i < g.Images.size(); ++i) g.Images[i].Offset += start[i];
    atlas.Coverage = coverage;

    const std::vector<std::uint8_t> bytes = Serialize(atlas);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "make_glyphs: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
