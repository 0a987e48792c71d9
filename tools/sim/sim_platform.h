#pragma once

#include <cstdint>
#include <deque>
#include <ostream>
#include <string>

#include "scene/platform.h"
#include "scene/random_source.h"

namespace quondra::sim {

// The console's platform: writes each service the game uses as a transcript
// line, answers message boxes from the script's queue and serves random
// numbers from the script's queue before the seeded source.
class SimPlatform : public Platform {
public:
    explicit SimPlatform(std::ostream& transcript) : out_(&transcript) {}

    // Services used while muted are not written (the start-up Form_Load).
    void SetMuted(bool muted) { muted_ = muted; }

    void QueueAnswer(std::int16_t answer) { answers_.push_back(answer); }
    void QueueRandom(float r) { randoms_.push_back(r); }

    // A Yes/No box with no answer queued throws ScriptError.
    std::int16_t MsgBox(std::string_view text, std::string_view title, std::int16_t style) override;
    void End() override;
    void BringToFront(std::string_view name) override;
    void SetFocus(std::string_view name) override;
    void SetPointer(std::int16_t style) override;
    // The console's clock reads midnight, so every run draws the same numbers.
    double TimeOfDay() override { return 0; }
    void Randomize(double seed) override { random_.Seed(seed); }
    float Rnd() override;

private:
    void Write(const std::string& line);

    std::ostream* out_;
    bool muted_ = false;
    std::deque<std::int16_t> answers_;
    std::deque<float> randoms_;
    RandomSource random_;
};

}  // namespace quondra::sim
