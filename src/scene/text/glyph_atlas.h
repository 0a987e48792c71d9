#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quondra::qt {

// The text faces the game draws, rasterised ahead of time: drawing from it
// needs no font library at run time, which is most of what text costs at
// start-up. Plain data, no toolkit; the bytes come from the build.
struct FaceKey {
    std::uint8_t Face = 0;  // a FontFace
    std::uint16_t PixelSize = 0;
    bool Bold = false;
    bool operator==(const FaceKey&) const = default;
};

// One glyph drawn at one device-pixel ratio, in device pixels.
struct GlyphImage {
    // From the pen on the baseline to the image's top-left corner.
    std::int16_t Left = 0, Top = 0;
    std::uint16_t Width = 0, Height = 0;
    // Where its coverage starts: one byte a pixel, rows of Width bytes.
    std::uint32_t Offset = 0;
};

struct Glyph {
    char32_t Code = 0;
    float Advance = 0;                // logical pixels
    std::vector<GlyphImage> Images;   // one per scale of the atlas
};

struct Kerning {
    char32_t First = 0, Second = 0;
    float Adjust = 0;  // logical pixels added between the two
};

struct AtlasFace {
    FaceKey Key;
    // Logical pixels; the underline's position is below the baseline.
    float Ascent = 0, Descent = 0, Leading = 0, UnderlinePos = 0, LineWidth = 1;
    std::vector<Glyph> Glyphs;       // by code
    std::vector<Kerning> Kernings;   // by (First, Second)

    const Glyph* Find(char32_t code) const;
    float Kern(char32_t first, char32_t second) const;
};

struct GlyphAtlas {
    std::vector<std::uint8_t> Scales;  // the device-pixel ratios drawn, each a whole number
    std::vector<AtlasFace> Faces;
    std::span<const std::uint8_t> Coverage;

    const AtlasFace* Find(const FaceKey& key) const;
    // Which of a glyph's images serves a device-pixel ratio, if any does.
    std::optional<std::size_t> ScaleIndex(double devicePixelRatio) const;
    std::span<const std::uint8_t> Pixels(const GlyphImage& image) const {
        return Coverage.subspan(image.Offset, std::size_t{image.Width} * image.Height);
    }
};

// The atlas as bytes, its coverage appended: the format the build writes.
std::vector<std::uint8_t> Serialize(const GlyphAtlas& atlas);
// Reads an atlas whose coverage stays in `bytes` (they must outlive it).
// Anything truncated, out of order or out of bounds gives nullopt, so a bad
// file can only mean text drawn the slower way.
std::optional<GlyphAtlas> Parse(std::span<const std::uint8_t> bytes);

}  // namespace quondra::qt
