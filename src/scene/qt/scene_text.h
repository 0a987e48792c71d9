#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <optional>

#include "glyph_atlas.h"
#include "scene/objects.h"

namespace quondra::qt {

// Draws the scene's text. Text the glyph atlas can draw (its face, its
// characters, a whole device-pixel ratio it was drawn at) is copied from
// the atlas; anything else goes through the font library, which is then
// loaded on first use. A game that shows only atlas text never loads it.
class SceneText {
public:
    // With the atlas built into the game.
    SceneText();
    explicit SceneText(std::optional<GlyphAtlas> atlas) : atlas_(std::move(atlas)) {}

    // Text in a box, aligned (left, centre or right; top or centred
    // vertically) and wrapped at words. Clipping is the caller's.
    void Draw(QPainter& p, const QRectF& box, const Font& font, const QColor& colour, Qt::Alignment align,
              const QString& text) const;
    // The same from the atlas alone: false, with nothing drawn, if it cannot.
    bool DrawFromAtlas(QPainter& p, const QRectF& box, const Font& font, const QColor& colour, Qt::Alignment align,
                       const QString& text) const;
    // The same through the font library.
    static void DrawWithFont(QPainter& p, const QRectF& box, const Font& font, const QColor& colour,
                             Qt::Alignment align, const QString& text);

    bool HasAtlas() const { return atlas_.has_value(); }

private:
    std::optional<GlyphAtlas> atlas_;
};

}  // namespace quondra::qt
