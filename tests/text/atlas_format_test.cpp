// Reading the atlas the build writes, and refusing damaged bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

#include "glyph_atlas.h"

using namespace quondra::qt;

namespace {

// Two faces at two scales; glyph 'B' of the first face has ink.
struct Sample {
    std::vector<std::uint8_t> coverage{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110};
    GlyphAtlas atlas;
    Sample() {
        atlas.Scales = {1, 2};
        AtlasFace a;
        a.Key = {0, 21, true};
        a.Ascent = 19, a.Descent = 4.5f, a.Leading = 0.25f, a.UnderlinePos = 2, a.LineWidth = 1;
        a.Glyphs.push_back({U' ', 5.75f, {{}, {}}});
        a.Glyphs.push_back({U'B', 14, {{1, -15, 2, 1, 0}, {2, -30, 3, 3, 2}}});
        a.Kernings.push_back({U'B', U'B', -0.5f});
        AtlasFace b;
        b.Key = {1, 37, false};
        b.Glyphs.push_back({U'P', 20, {{0, -20, 1, 1, 11}, {0, -40, 0, 0, 0}}});
        atlas.Faces = {a, b};
        atlas.Coverage = coverage;
    }
};

// Offsets of fields in the sample's bytes, found by value so the test does
// not restate the layout of the format.
std::size_t FindU32(const std::vector<std::uint8_t>& bytes, std::uint32_t value, std::size_t from = 0) {
    for (std::size_t i = from; i + 4 <= bytes.size(); ++i) {
        std::uint32_t v;
        std::memcpy(&v, bytes.data() + i, 4);
        if (v == value) return i;
    }
    ADD_FAILURE() << "value " << value << " not in the bytes";
    return 0;
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    std::memcpy(bytes.data() + at, &value, 4);
}

}  // namespace

TEST(AtlasFormat, ReadsBackWhatItWrote) {
    const Sample s;
    const std::vector<std::uint8_t> bytes = Serialize(s.atlas);
    const std::optional<GlyphAtlas> read = Parse(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Scales, s.atlas.Scales);
    ASSERT_EQ(read->Faces.size(), 2u);
    const AtlasFace& a = read->Faces[0];
    EXPECT_EQ(a.Key, (FaceKey{0, 21, true}));
    EXPECT_EQ(a.Descent, 4.5f);
    EXPECT_EQ(a.Leading, 0.25f);
    ASSERT_NE(a.Find(U'B'), nullptr);
    EXPECT_EQ(a.Find(U'B')->Advance, 14);
    EXPECT_EQ(a.Find(U'C'), nullptr);
    EXPECT_EQ(a.Kern(U'B', U'B'), -0.5f);
    EXPECT_EQ(a.Kern(U' ', U'B'), 0);
    const GlyphImage& big = a.Find(U'B')->Images[1];
    EXPECT_EQ(big.Top, -30);
    const std::span<const std::uint8_t> pixels = read->Pixels(big);
    EXPECT_EQ(std::vector<std::uint8_t>(pixels.begin(), pixels.end()),
              std::vector<std::uint8_t>(s.coverage.begin() + 2, s.coverage.begin() + 11));
    // The coverage is read where it lies, not copied.
    EXPECT_EQ(read->Coverage.data(), bytes.data() + bytes.size() - s.coverage.size());
    EXPECT_EQ(read->Find({1, 37, false}), &read->Faces[1]);
    EXPECT_EQ(read->Find({1, 37, true}), nullptr);
    EXPECT_EQ(read->ScaleIndex(2.0), std::optional<std::size_t>(1));
    EXPECT_FALSE(read->ScaleIndex(1.5));
    EXPECT_FALSE(read->ScaleIndex(3.0));
}

TEST(AtlasFormat, EveryTruncationIsRefused) {
    const std::vector<std::uint8_t> bytes = Serialize(Sample().atlas);
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_FALSE(Parse(std::span(bytes).first(n))) << "accepted the first " << n << " bytes";
}

TEST(AtlasFormat, DamagedFieldsAreRefused) {
    const Sample sample;
    const std::vector<std::uint8_t> good = Serialize(sample.atlas);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Damage {
        const char* what;
        std::function<void(std::vector<std::uint8_t>&)> apply;
    };
    const std::vector<Damage> damages = {
        {"magic", [](auto& b) { b[0] = 'X'; }},
        {"version", [](auto& b) { PutU32(b, 4, 2); }},
        {"no scales", [](auto& b) { PutU32(b, 8, 0); }},
        {"a scale of zero", [](auto& b) { b[12] = 0; }},
        {"a face count beyond reason", [](auto& b) { PutU32(b, 14, 1'000'000); }},
        {"a glyph's coverage past the end",
         [](auto& b) { PutU32(b, FindU32(b, 11), 12); }},
        {"a glyph too big for the coverage",
         [](auto& b) {
             // 'P' at scale 1: one by one pixel at offset 11, made two wide.
             const std::size_t offset = FindU32(b, 11);
             b[offset - 4] = 2;
         }},
        {"glyphs out of order", [](auto& b) { PutU32(b, FindU32(b, U'B'), U'\x10'); }},
        {"a metric that is not a number",
         [nan](auto& b) {
             std::uint32_t bits;
             std::memcpy(&bits, &nan, 4);
             PutU32(b, FindU32(b, std::bit_cast<std::uint32_t>(19.0f)), bits);
         }},
        {"coverage longer than the bytes", [](auto& b) { PutU32(b, b.size() - 16, 13); }},
    };
    ASSERT_TRUE(Parse(good));
    for (const Damage& d : damages) {
        std::vector<std::uint8_t> bytes = good;
        d.apply(bytes);
        EXPECT_FALSE(Parse(bytes)) << d.what;
    }
}
