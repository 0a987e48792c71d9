#pragma once

#include "scene/platform.h"
#include "scene/random_source.h"

namespace quondra::bench {

// A silent platform: every box answered at once, No to the quit question.
class BenchPlatform : public Platform {
public:
    std::int16_t MsgBox(std::string_view, std::string_view, std::int16_t style) override {
        return style == kMsgBoxYesNo ? kAnswerNo : kAnswerOk;
    }
    void End() override {}
    void BringToFront(std::string_view) override {}
    void SetFocus(std::string_view) override {}
    void SetPointer(std::int16_t) override {}
    double TimeOfDay() override { return 0; }
    void Randomize(double seed) override { random.Seed(seed); }
    float Rnd() override { return random.Next(); }

    RandomSource random;
};

}  // namespace quondra::bench
