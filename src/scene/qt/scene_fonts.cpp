#include "scene_fonts.h"

#include <QStringList>

namespace quondra::qt {
namespace {

// Points to pixels at 96 dots per inch.
constexpr double kPixelsPerPoint = 96.0 / 72;

}  // namespace

QString InstalledFamily(FontFace face) {
    return face == FontFace::ComicSansMS ? QStringLiteral("Comic Neue") : QStringLiteral("Liberation Sans");
}

QFont ToQFont(const Font& f) {
    QFont font;
    // The original name second: a desktop that has it may use it.
    font.setFamilies({InstalledFamily(f.Face), f.Face == FontFace::ComicSansMS ? QStringLiteral("Comic Sans MS")
                                                                                : QStringLiteral("Arial")});
    font.setPixelSize(qRound(f.Points * kPixelsPerPoint));
    font.setBold(f.Bold);
    font.setUnderline(f.Underline);
    return font;
}

}  // namespace quondra::qt
