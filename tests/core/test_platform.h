#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "game/frm_game.h"
#include "scene/platform.h"
#include "scene/random_source.h"

namespace quondra::testing {

// A platform that records every service the game uses and answers message
// boxes from a queue (Yes when it is empty).
class TestPlatform : public Platform {
public:
    std::int16_t MsgBox(std::string_view text, std::string_view title, std::int16_t style) override;
    void End() override;
    void BringToFront(std::string_view name) override;
    void SetFocus(std::string_view name) override;
    void SetPointer(std::int16_t style) override;
    double TimeOfDay() override { return 0; }
    void Randomize(double seed) override { random.Seed(seed); }
    float Rnd() override;

    std::vector<std::string> log;
    std::deque<std::int16_t> answers;
    std::deque<float> randoms;
    RandomSource random;
};

// A fresh game as the window stands after start-up.
struct Game {
    Game();
    TestPlatform platform;
    FrmGame frm{platform};
};

}  // namespace quondra::testing
