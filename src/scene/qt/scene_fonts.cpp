#include "scene_fonts.h"

#include <QStringList>

namespace quondra::qt {
namespace {

// Points to pixels at 96 dots per inch.
constexpr double kPixelsPerPoint = 96.0 / 72;

int PixelSize(const Font& f) { return qRound(f.Points * kPixelsPerPoint); }

}  // namespace

QFont ToQFont(const Font& f) {
    QFont font;
    if (f.Face == FontFace::ComicSansMS)
        font.setFamilies({QStringLiteral("Comic Neue"), QStringLiteral("Comic Sans MS")});
    else
        font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPixelSize(PixelSize(f));
    font.setBold(f.Bold);
    font.setUnderline(f.Underline);
    return font;
}

FaceKey FaceKeyOf(const Font& f) {
    return {static_cast<std::uint8_t>(f.Face), static_cast<std::uint16_t>(PixelSize(f)), f.Bold};
}

}  // namespace quondra::qt
