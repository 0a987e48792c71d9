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

// Most periods one `run` may advance: a bound that keeps any script finite.
inline constexpr std::int64_t kMaxRunPeriods = 10'000'000;
// Longest script line, its line end not counted: what one line may cost in
// memory stays bounded whatever the script is (a file of zero bytes without
// a line end, a line of millions of words).
inline constexpr std::size_t kMaxLineBytes = 64 * 1024;

// One script's game: the window as it stands after start-up, on a platform
// that writes the transcript.
class Session {
public:
    explicit Session(std::ostream& transcript);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Runs one command line's words. Returns the message of a failed
    // expectation; throws ScriptError when the command itself is at fault.
    std::optional<std::string> Execute(const std::vector<Word>& words);

    // After the program's end the rest of the script is not run.
    bool Ended() const { return frm.Ended; }

    std::ostream& out;
    SimPlatform platform;
    FrmGame frm;
};

// Runs one script against a fresh game. The transcript goes to `out`; errors
// and failed expectations go to `err` as "NAME:LINE: message". A script that
// cannot be read to its end (an input error, a line over kMaxLineBytes) is a
// script fault at the line that could not be read.
Outcome RunScript(std::istream& script, std::string_view name, std::ostream& out, std::ostream& err);

}  // namespace quondra::sim
