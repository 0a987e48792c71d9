#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "glyph_atlas.h"

namespace quondra::qt {

enum class TextAlign { Left, Center, Right };

struct PlacedGlyph {
    const Glyph* Shape = nullptr;
    float X = 0;  // of the pen, logical pixels from the box's left edge
    int Line = 0;
};

struct TextLine {
    float Left = 0, Width = 0;  // without trailing spaces, as aligned
};

struct TextBlock {
    std::vector<PlacedGlyph> Glyphs;
    std::vector<TextLine> Lines;
};

// Lays text out in a box `width` wide the way the toolkit's word wrap does:
// lines break at spaces (or a newline) once a word would cross the right
// edge, a word wider than the box stands alone on its line, and each line
// is aligned without its trailing spaces. Nullopt when the face lacks a
// character, so the caller can draw the text some other way.
std::optional<TextBlock> LayOutText(const AtlasFace& face, std::u32string_view text, float width, TextAlign align);

}  // namespace quondra::qt
