#pragma once

#include <cstdint>

#include "scene/handler.h"
#include "scene/objects.h"

namespace quondra {

// Where each rally starts: both players 4200 units from the net's centre
// line, the ball at rest above Yellow.
inline constexpr float kYellowStartLeft = 1440;
inline constexpr float kRedStartLeft = 9840;
inline constexpr float kServeTop = 1500;
inline constexpr int kWinningScore = 10;

// Puts the ball at the serve place: centred above Yellow's rounded centre.
void PlaceBallAtServe(FrmGame& frm);
// Puts both players back at their start places.
void PlacePlayersAtStart(FrmGame& frm);
// Stops the four movement timers, Yellow's then Red's.
void StopMovement(FrmGame& frm);
// Shows (or hides) the settings screen's own objects.
void ShowSettingsScreen(FrmGame& frm, bool visible);
// Shows (or hides) the playing field's extras on the ground strip.
void ShowPlayingFieldExtras(FrmGame& frm, bool visible);
// A score label's caption read back as a number: 0 for text that is not
// one, the nearest int for a number beyond an int. A scripted caption may be
// long, so its bytes count as steps of the game's loops.
int Score(FrmGame& frm, const Label& score);

}  // namespace quondra
