#include "scene_fonts.h"

#include <QFontInfo>
#include <algorithm>
#include <map>
#include <variant>

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

std::vector<FaceStandIn> FaceStandIns(const Scene& scene) {
    // Asked in the size and weight of a caption the frame has drawn, the
    // toolkit answers from its cache and reads no font file.
    std::map<FontFace, QFont> shown;
    for (const ObjectRef& object : scene.Objects()) {
        if (const auto* label = std::get_if<Label*>(&object); label && IsShown(**label))
            shown.try_emplace((*label)->Font.Face, ToQFont((*label)->Font));
        if (const auto* button = std::get_if<Button*>(&object); button && IsShown(**button))
            shown.try_emplace((*button)->Font.Face, ToQFont((*button)->Font));
    }
    std::vector<FaceStandIn> standIns;
    for (const auto& [face, font] : shown) {
        const QString got = QFontInfo(font).family();
        if (got != InstalledFamily(face)) standIns.push_back({InstalledFamily(face), got});
    }
    return standIns;
}

}  // namespace quondra::qt
