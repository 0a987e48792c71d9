#include "text_layout.h"

namespace quondra::qt {
namespace {

constexpr char32_t kSpace = U' ';
constexpr char32_t kNewline = U'\n';

struct Pen {
    float X = 0;
    char32_t Previous = 0;  // for kerning; none at a line's start
};

// Places text[from, to) after the pen, keeping the glyphs from `keepFrom` on.
bool Place(const AtlasFace& face, std::u32string_view text, std::size_t from, std::size_t to, std::size_t keepFrom,
           int line, Pen& pen, std::vector<PlacedGlyph>& out) {
    for (std::size_t i = from; i < to; ++i) {
        const Glyph* g = face.Find(text[i]);
        if (g == nullptr) return false;
        if (pen.Previous != 0) pen.X += face.Kern(pen.Previous, text[i]);
        if (i >= keepFrom) out.push_back({g, pen.X, line});
        pen.X += g->Advance;
        pen.Previous = text[i];
    }
    return true;
}

}  // namespace

std::optional<TextBlock> LayOutText(const AtlasFace& face, std::u32string_view text, float width, TextAlign align) {
    TextBlock block;
    int line = 0;
    Pen pen;
    float inked = 0;  // the line's width up to its last word
    bool hasWord = false;
    auto endLine = [&] {
        block.Lines.push_back({0, inked});
        ++line;
        pen = {};
        inked = 0;
        hasWord = false;
    };

    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == kNewline) {
            endLine();
            ++i;
            continue;
        }
        std::size_t word = i;
        while (word < text.size() && text[word] == kSpace) ++word;
        std::size_t end = word;
        while (end < text.size() && text[end] != kSpace && text[end] != kNewline) ++end;

        std::vector<PlacedGlyph> placed;
        Pen after = pen;
        if (!Place(face, text, i, end, word, line, after, placed)) return std::nullopt;
        if (end > word && hasWord && after.X > width) {
            // The word moves to a line of its own; the spaces before it stay
            // behind as the old line's trailing spaces, which show nothing.
            endLine();
            placed.clear();
            after = pen;
            Place(face, text, word, end, word, line, after, placed);
        }
        block.Glyphs.insert(block.Glyphs.end(), placed.begin(), placed.end());
        pen = after;
        if (end > word) {
            inked = pen.X;
            hasWord = true;
        }
        i = end;
    }
    block.Lines.push_back({0, inked});

    for (TextLine& l : block.Lines)
        l.Left = align == TextAlign::Center ? (width - l.Width) / 2 : align == TextAlign::Right ? width - l.Width : 0;
    for (PlacedGlyph& g : block.Glyphs) g.X += block.Lines[static_cast<std::size_t>(g.Line)].Left;
    return block;
}

}  // namespace quondra::qt
