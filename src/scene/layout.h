#pragma once

#include "scene/objects.h"

namespace quondra {

class Scene;

// Client area in scene units (15 to a pixel): 849 x 588 pixels.
inline constexpr float kClientWidth = 12735;
inline constexpr float kClientHeight = 8820;
inline constexpr int kUnitsPerPixel = 15;
// The reference window's outer width: the client area plus a 45-unit frame on
// each side. The right wall and Red's limit rest on it, keeping the court
// symmetric whatever frame the desktop draws.
inline constexpr float kOuterWidth = 12825;
// The Play button's caption. The title banner is drawn from this face at
// this size too, so the window loads one font for both.
inline constexpr Font kPlayFont{FontFace::ComicSansMS, 27.75f, true, false};

// Gives every object of the scene its name, container, place and look.
void BuildLayout(Scene& scene);

}  // namespace quondra
