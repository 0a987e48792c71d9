#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "game/frm_game.h"
#include "scene/platform.h"
#include "scene/random_source.h"

namespace quondra::testing {

// The platform of the core's tests, the soak and the benches: it records
// every service the game uses, one line each in the console's words,
// answers message boxes from a queue and serves queued random numbers
// before those of its seeded source.
class RecordingPlatform : public Platform {
public:
    // `unanswered` is what a Yes/No box returns when no answer is queued.
    explicit RecordingPlatform(std::int16_t unanswered = kAnswerYes) : unansweredReply_(unanswered) {}

    std::int16_t MsgBox(std::string_view text, std::string_view title, std::int16_t style) override;
    void End() override;
    void BringToFront(std::string_view name) override;
    void SetFocus(std::string_view name) override;
    void SetPointer(std::int16_t style) override;
    double TimeOfDay() override { return timeOfDay; }
    void Randomize(double seed) override;
    float Rnd() override;

    // Off for long runs that never read the log.
    bool recording = true;
    std::vector<std::string> log;
    std::deque<std::int16_t> answers;
    std::deque<float> randoms;
    // The console's seed, so that a finding replays as a script.
    double timeOfDay = 0;
    RandomSource random;
    // Set once a Yes/No box found no answer queued.
    bool unanswered = false;

private:
    void Record(std::string line);

    std::int16_t unansweredReply_;
};

// For long runs: no log, and No to a Yes/No box with nothing queued, so that
// the quit question never ends the run.
class SilentPlatform : public RecordingPlatform {
public:
    SilentPlatform() : RecordingPlatform(kAnswerNo) { recording = false; }
};

// A fresh game as the window stands after start-up, its log empty.
struct Game {
    Game();
    RecordingPlatform platform;
    FrmGame frm{platform};
};

}  // namespace quondra::testing
