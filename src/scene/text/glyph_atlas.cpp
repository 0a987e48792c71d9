#include "glyph_atlas.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <tuple>

namespace quondra::qt {
namespace {

constexpr std::array<std::uint8_t, 4> kMagic = {'Q', 'G', 'L', 'Y'};
constexpr std::uint32_t kVersion = 1;
// Far above what the game draws; a count beyond them means a damaged file,
// not a reason to reserve gigabytes.
constexpr std::uint32_t kMaxFaces = 64;
constexpr std::uint32_t kMaxGlyphs = 4096;
constexpr std::uint32_t kMaxKernings = 1 << 20;
constexpr std::uint32_t kMaxScales = 8;

class Writer {
public:
    void Bytes(std::span<const std::uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); }
    void U8(std::uint8_t v) { out_.push_back(v); }
    void U16(std::uint16_t v) { Little(v, 2); }
    void U32(std::uint32_t v) { Little(v, 4); }
    void I16(std::int16_t v) { U16(static_cast<std::uint16_t>(v)); }
    void F32(float v) { U32(std::bit_cast<std::uint32_t>(v)); }
    std::vector<std::uint8_t> Take() { return std::move(out_); }

private:
    void Little(std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    std::vector<std::uint8_t> out_;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> in) : in_(in) {}
    bool Ok() const { return ok_; }
    std::span<const std::uint8_t> Bytes(std::size_t n) {
        if (!Need(n)) return {};
        auto b = in_.subspan(at_, n);
        at_ += n;
        return b;
    }
    std::uint8_t U8() { return static_cast<std::uint8_t>(Little(1)); }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Little(2)); }
    std::uint32_t U32() { return Little(4); }
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
    float F32() {
        const float v = std::bit_cast<float>(U32());
        if (!std::isfinite(v)) ok_ = false;
        return v;
    }
    void Fail() { ok_ = false; }

private:
    bool Need(std::size_t n) {
        if (!ok_ || in_.size() - at_ < n) ok_ = false;
        return ok_;
    }
    std::uint32_t Little(int n) {
        if (!Need(static_cast<std::size_t>(n))) return 0;
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i) v |= std::uint32_t{in_[at_ + static_cast<std::size_t>(i)]} << (8 * i);
        at_ += static_cast<std::size_t>(n);
        return v;
    }
    std::span<const std::uint8_t> in_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

bool ByCode(const Glyph& a, const Glyph& b) { return a.Code < b.Code; }
bool ByPair(const Kerning& a, const Kerning& b) {
    return std::tie(a.First, a.Second) < std::tie(b.First, b.Second);
}

}  // namespace

const Glyph* AtlasFace::Find(char32_t code) const {
    const auto it = std::lower_bound(Glyphs.begin(), Glyphs.end(), Glyph{code, 0, {}}, ByCode);
    return it != Glyphs.end() && it->Code == code ? &*it : nullptr;
}

float AtlasFace::Kern(char32_t first, char32_t second) const {
    const Kerning key{first, second, 0};
    const auto it = std::lower_bound(Kernings.begin(), Kernings.end(), key, ByPair);
    return it != Kernings.end() && it->First == first && it->Second == second ? it->Adjust : 0;
}

const AtlasFace* GlyphAtlas::Find(const FaceKey& key) const {
    for (const AtlasFace& f : Faces)
        if (f.Key == key) return &f;
    return nullptr;
}

std::optional<std::size_t> GlyphAtlas::ScaleIndex(double devicePixelRatio) const {
    for (std::size_t i = 0; i < Scales.size(); ++i)
        if (Scales[i] == devicePixelRatio) return i;
    return std::nullopt;
}

std::vector<std::uint8_t> Serialize(const GlyphAtlas& atlas) {
    Writer w;
    w.Bytes(kMagic);
    w.U32(kVersion);
    w.U32(static_cast<std::uint32_t>(atlas.Scales.size()));
    w.Bytes(atlas.Scales);
    w.U32(static_cast<std::uint32_t>(atlas.Faces.size()));
    for (const AtlasFace& f : atlas.Faces) {
        w.U8(f.Key.Face);
        w.U16(f.Key.PixelSize);
        w.U8(f.Key.Bold ? 1 : 0);
        for (float v : {f.Ascent, f.Descent, f.Leading, f.UnderlinePos, f.LineWidth}) w.F32(v);
        w.U32(static_cast<std::uint32_t>(f.Glyphs.size()));
        for (const Glyph& g : f.Glyphs) {
            w.U32(static_cast<std::uint32_t>(g.Code));
            w.F32(g.Advance);
            for (const GlyphImage& i : g.Images) {
                w.I16(i.Left), w.I16(i.Top), w.U16(i.Width), w.U16(i.Height), w.U32(i.Offset);
            }
        }
        w.U32(static_cast<std::uint32_t>(f.Kernings.size()));
        for (const Kerning& k : f.Kernings) {
            w.U32(static_cast<std::uint32_t>(k.First)), w.U32(static_cast<std::uint32_t>(k.Second));
            w.F32(k.Adjust);
        }
    }
    w.U32(static_cast<std::uint32_t>(atlas.Coverage.size()));
    w.Bytes(atlas.Coverage);
    return w.Take();
}

std::optional<GlyphAtlas> Parse(std::span<const std::uint8_t> bytes) {
    Reader r(bytes);
    const auto magic = r.Bytes(kMagic.size());
    if (!r.Ok() || !std::equal(magic.begin(), magic.end(), kMagic.begin()) || r.U32() != kVersion) return std::nullopt;

    GlyphAtlas atlas;
    const std::uint32_t scales = r.U32();
    if (scales == 0 || scales > kMaxScales) return std::nullopt;
    for (std::uint8_t s : r.Bytes(scales)) {
        if (s == 0) r.Fail();
        atlas.Scales.push_back(s);
    }

    const std::uint32_t faces = r.U32();
    if (faces > kMaxFaces) return std::nullopt;
    for (std::uint32_t fi = 0; fi < faces && r.Ok(); ++fi) {
        AtlasFace& f = atlas.Faces.emplace_back();
        f.Key.Face = r.U8();
        f.Key.PixelSize = r.U16();
        f.Key.Bold = r.U8() != 0;
        for (float* v : {&f.Ascent, &f.Descent, &f.Leading, &f.UnderlinePos, &f.LineWidth}) *v = r.F32();
        const std::uint32_t glyphs = r.U32();
        if (glyphs > kMaxGlyphs) return std::nullopt;
        for (std::uint32_t gi = 0; gi < glyphs && r.Ok(); ++gi) {
            Glyph& g = f.Glyphs.emplace_back();
            g.Code = static_cast<char32_t>(r.U32());
            g.Advance = r.F32();
            for (std::uint32_t si = 0; si < scales; ++si) {
                GlyphImage& i = g.Images.emplace_back();
                i.Left = r.I16(), i.Top = r.I16(), i.Width = r.U16(), i.Height = r.U16(), i.Offset = r.U32();
            }
        }
        const std::uint32_t kernings = r.U32();
        if (kernings > kMaxKernings) return std::nullopt;
        for (std::uint32_t ki = 0; ki < kernings && r.Ok(); ++ki) {
            Kerning& k = f.Kernings.emplace_back();
            k.First = static_cast<char32_t>(r.U32());
            k.Second = static_cast<char32_t>(r.U32());
            k.Adjust = r.F32();
        }
        // Lookups are binary searches: the order is part of the format.
        if (!std::is_sorted(f.Glyphs.begin(), f.Glyphs.end(), ByCode) ||
            !std::is_sorted(f.Kernings.begin(), f.Kernings.end(), ByPair))
            return std::nullopt;
    }
    const std::uint32_t coverage = r.U32();
    atlas.Coverage = r.Bytes(coverage);
    if (!r.Ok()) return std::nullopt;
    for (const AtlasFace& f : atlas.Faces)
        for (const Glyph& g : f.Glyphs)
            for (const GlyphImage& i : g.Images)
                if (i.Offset > atlas.Coverage.size() ||
                    std::size_t{i.Width} * i.Height > atlas.Coverage.size() - i.Offset)
                    return std::nullopt;
    return atlas;
}

}  // namespace quondra::qt
