#pragma once

#include <cstdint>

#include "scene/handler.h"

namespace quondra {

// Start-up: the settings screen with its defaults, the players at their places.
void Form_Load(FrmGame& frm);

// The settings screen's controls, each with its handlers. Enter on an option
// starts the match; X or Q on any control ends the program at once.
void cmdPlay_Click(FrmGame& frm);
void cmdPlay_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);
void optHuman_Click(FrmGame& frm);
void optHuman_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);
void optComputer_Click(FrmGame& frm);
void optComputer_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);
void optLow_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);
void optMedium_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);
void optHigh_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);
void optSlow_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);
void optAverage_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);
void optFast_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);

}  // namespace quondra
