#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "game/frm_game.h"
#include "script_parser.h"
#include "sim_platform.h"

namespace quondra::sim {

// How a script ended, worst last; the console exits with the worst of its
// scripts' outcomes.
enum class Outcome { Passed = 0, ExpectFailed = 1, ScriptFault = 2 };

// Most periods one `run` may advance.
inline constexpr std::int64_t kMaxRunPeriods = 10'000'000;
// Most steps of work one script may do: a period of the clock, a timer's
// handler, and a step of the game's loops (FrmGame::LoopSteps). Each costs
// tens of nanoseconds at most, so a script's runs take well under a second
// whatever it sets (a rim walked whole in every period, a score caption of
// many kilobytes read at every point), yet a script may still play a
// hundred matches. Counted, not timed, so a script stops at the same line on
// every machine.
inline constexpr std::uint64_t kMaxScriptSteps = 20'000'000;

// One script's game: the window as it stands after start-up, on a platform
// that writes the transcript.
class Session {
public:
    explicit Session(std::ostream& transcript, std::uint64_t maxSteps = kMaxScriptSteps);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Runs one command line's words. Returns the message of a failed
    // expectation; throws ScriptError when the command itself is at fault.
    std::optional<std::string> Execute(const std::vector<Word>& words);

    // After the program's end the rest of the script is not run.
    bool Ended() const { return frm.Ended; }

    // Counts `steps` more of the script's work, with the game's loop steps so
    // far; throws ScriptError once the work passes the limit.
    void Charge(std::uint64_t steps);

    std::ostream& out;
    SimPlatform platform;
    FrmGame frm;

private:
    std::uint64_t maxSteps_;
    std::uint64_t charged_ = 0;
    // What start-up did is not the script's.
    std::uint64_t loopStepsAtStart_ = 0;
};

// Runs one script against a fresh game. The transcript goes to `out`; errors
// and failed expectations go to `err` as "NAME:LINE: message". A script that
// cannot be read to its end (an input error, a line over kMaxLineBytes) is a
// script fault at the line that could not be read; so is one whose work
// passes `maxSteps`, at the line that passed it.
Outcome RunScript(std::istream& script, std::string_view name, std::ostream& out, std::ostream& err,
                  std::uint64_t maxSteps = kMaxScriptSteps);

}  // namespace quondra::sim
