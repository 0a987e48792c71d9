#include "scene_fonts.h"

#include <algorithm>

namespace quondra::qt {
namespace {

// Points to pixels at 96 dots per inch.
constexpr double kPixelsPerPoint = 96.0 / 72;

}  // namespace

QString InstalledFamily(FontFace face) {
    return face == FontFace::ComicSansMS ? QStringLiteral("Comic Neue") : QStringLiteral("Liberation Sans");
}

QFont ToQFont(const Font& f, double scale) {
    // One family only: the package depends on both faces, and each further
    // family makes the toolkit work out a fallback list for it at start-up.
    QFont font(InstalledFamily(f.Face));
    font.setPixelSize(std::max(1, qRound(f.Points * kPixelsPerPoint * scale)));
    font.setBold(f.Bold);
    font.setUnderline(f.Underline);
    return font;
}

}  // namespace quondra::qt
