#pragma once

#include <QFont>

#include "glyph_atlas.h"
#include "scene/objects.h"

namespace quondra::qt {

// A scene font at 96 dots per inch: Arial and Comic Sans MS map to their
// installed equivalents of the same size and weight.
QFont ToQFont(const Font& f);
// The face of the glyph atlas that draws a scene font (underlines are drawn
// as lines, so they need no face of their own).
FaceKey FaceKeyOf(const Font& f);

}  // namespace quondra::qt
