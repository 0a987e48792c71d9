#include "scene_fonts.h"

#include <QFontInfo>

namespace quondra::qt {
namespace {

// Points to pixels at 96 dots per inch.
constexpr double kPixelsPerPoint = 96.0 / 72;

}  // namespace

QString InstalledFamily(FontFace face) {
    return face == FontFace::ComicSansMS ? QStringLiteral("Comic Neue") : QStringLiteral("Liberation Sans");
}

QFont ToQFont(const Font& f) {
    // One family only: the package depends on both faces, and each further
    // family makes the toolkit work out a fallback list for it at start-up.
    QFont font(InstalledFamily(f.Face));
    font.setPixelSize(qRound(f.Points * kPixelsPerPoint));
    font.setBold(f.Bold);
    font.setUnderline(f.Underline);
    return font;
}

std::vector<FaceStandIn> FaceStandIns() {
    std::vector<FaceStandIn> standIns;
    for (const FontFace face : {FontFace::Arial, FontFace::ComicSansMS}) {
        const QString asked = InstalledFamily(face);
        const QString got = QFontInfo(ToQFont(Font{face})).family();
        if (got != asked) standIns.push_back({asked, got});
    }
    return standIns;
}

}  // namespace quondra::qt
