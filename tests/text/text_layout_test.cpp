// Placing glyphs in a box: spacing, kerning, alignment and word wrap.
#include <gtest/gtest.h>

#include <string>

#include "text_layout.h"

using namespace quondra::qt;

namespace {

// Every glyph is 10 pixels wide, a space 4; "AV" kerns in by 2.
AtlasFace TestFace() {
    AtlasFace f;
    f.Glyphs.push_back({U' ', 4, {}});
    for (char32_t c = U'A'; c <= U'Z'; ++c) f.Glyphs.push_back({c, 10, {}});
    f.Kernings.push_back({U'A', U'V', -2});
    return f;
}

// "x@line" for each placed glyph, in order.
std::string Positions(const TextBlock& b) {
    std::string out;
    for (const PlacedGlyph& g : b.Glyphs)
        out += (out.empty() ? "" : " ") + std::to_string(static_cast<int>(g.X)) + "@" + std::to_string(g.Line);
    return out;
}

struct Case {
    const char* what;
    std::u32string text;
    float width;
    TextAlign align;
    const char* positions;
    std::vector<float> lineWidths;
};

}  // namespace

TEST(TextLayout, PlacesGlyphsAsTheToolkitWould) {
    const AtlasFace face = TestFace();
    const std::vector<Case> cases = {
        {"advances add up", U"AB", 100, TextAlign::Left, "0@0 10@0", {20}},
        {"a kerned pair moves closer", U"AVA", 100, TextAlign::Left, "0@0 8@0 18@0", {28}},
        {"spaces advance the pen but draw nothing", U"A B", 100, TextAlign::Left, "0@0 14@0", {24}},
        {"centred", U"AB", 100, TextAlign::Center, "40@0 50@0", {20}},
        {"right-aligned", U"AB", 100, TextAlign::Right, "80@0 90@0", {20}},
        {"trailing spaces do not count for the alignment", U"AB  ", 100, TextAlign::Right, "80@0 90@0", {20}},
        {"a word that just fits stays", U"AB CD", 44, TextAlign::Left, "0@0 10@0 24@0 34@0", {44}},
        {"a word that would cross the edge moves down", U"AB CD", 43, TextAlign::Left, "0@0 10@0 0@1 10@1",
         {20, 20}},
        {"each wrapped line is aligned on its own", U"AB CDE", 40, TextAlign::Right, "20@0 30@0 10@1 20@1 30@1",
         {20, 30}},
        {"a word wider than the box stands alone", U"ABCDEF GH", 30, TextAlign::Left,
         "0@0 10@0 20@0 30@0 40@0 50@0 0@1 10@1", {60, 20}},
        {"a newline always breaks", U"A\nB", 100, TextAlign::Left, "0@0 0@1", {10, 10}},
        {"an empty text is one empty line", U"", 100, TextAlign::Center, "", {0}},
    };
    for (const Case& c : cases) {
        const std::optional<TextBlock> block = LayOutText(face, c.text, c.width, c.align);
        ASSERT_TRUE(block) << c.what;
        EXPECT_EQ(Positions(*block), c.positions) << c.what;
        std::vector<float> widths;
        for (const TextLine& l : block->Lines) widths.push_back(l.Width);
        EXPECT_EQ(widths, c.lineWidths) << c.what;
    }
}

TEST(TextLayout, ACharacterTheFaceLacksGivesNoLayout) {
    const AtlasFace face = TestFace();
    EXPECT_FALSE(LayOutText(face, U"AB\u00e9", 100, TextAlign::Left));
    EXPECT_FALSE(LayOutText(face, U"ab", 100, TextAlign::Left));
    // Even where it would wrap onto a line of its own.
    EXPECT_FALSE(LayOutText(face, U"AB 1", 15, TextAlign::Left));
}
