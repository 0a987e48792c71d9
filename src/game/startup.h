#pragma once

#include <cstdint>

namespace quondra {

class FrmGame;

// Start-up and the settings screen.
void Form_Load(FrmGame& frm);
void optHuman_Click(FrmGame& frm);
void optComputer_Click(FrmGame& frm);
void cmdPlay_Click(FrmGame& frm);

// Key handlers of the settings controls: Enter on an option starts the
// match; X or Q on any of them ends the program at once.
void cmdPlay_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);
void optLow_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);
void optMedium_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);
void optHigh_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);
void optSlow_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);
void optAverage_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);
void optFast_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);
void optComputer_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);
void optHuman_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);

}  // namespace quondra
