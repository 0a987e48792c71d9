#include "console.h"

#include <exception>
#include <ios>
#include <streambuf>
#include <string>
#include <system_error>

#include "game/events.h"

namespace quondra::sim {

Session::Session(std::ostream& transcript, std::uint64_t maxSteps)
    : out(transcript), platform(transcript), frm(platform), maxSteps_(maxSteps) {
    // The transcript starts with the script: what start-up did is not part of it.
    platform.SetMuted(true);
    Load(frm);
    platform.SetMuted(false);
    loopStepsAtStart_ = frm.LoopSteps;
}

void Session::Charge(std::uint64_t steps) {
    charged_ += steps;
    if (charged_ + (frm.LoopSteps - loopStepsAtStart_) > maxSteps_)
        throw ScriptError("the script's work passes its limit of " + std::to_string(maxSteps_) +
                          " steps (periods, timer handlers, passes round a rim, bytes of a score read)");
}

namespace {

enum class LineRead { Line, End, TooLong };

// Reads one line without its line end, never more than kMaxLineBytes of it.
// An input error throws, as the stream buffer reports it.
LineRead ReadLine(std::streambuf& in, std::string& line) {
    using Traits = std::streambuf::traits_type;
    line.clear();
    bool any = false;
    for (;;) {
        const Traits::int_type c = in.sbumpc();
        if (Traits::eq_int_type(c, Traits::eof())) return any ? LineRead::Line : LineRead::End;
        any = true;
        if (Traits::to_char_type(c) == '\n') return LineRead::Line;
        if (line.size() == kMaxLineBytes) return LineRead::TooLong;
        line += Traits::to_char_type(c);
    }
}

// Why a read failed, in the system's words when it gave them.
std::string ReadFailure(const std::exception& e) {
    if (const auto* failure = dynamic_cast<const std::ios_base::failure*>(&e);
        failure != nullptr && failure->code().category() == std::generic_category())
        return failure->code().message();
    return e.what();
}

}  // namespace

Outcome RunScript(std::istream& script, std::string_view name, std::ostream& out, std::ostream& err,
                  std::uint64_t maxSteps) {
    Session session(out, maxSteps);
    Outcome outcome = Outcome::Passed;
    std::string line;
    long lineNumber = 0;
    const auto report = [&](const std::string& message) {
        err << Escape(name) << ':' << lineNumber << ": " << message << '\n';
    };
    std::streambuf* const in = script.rdbuf();
    if (in == nullptr) {
        report("cannot read the script: there is no input");
        return Outcome::ScriptFault;
    }
    while (!session.Ended()) {
        ++lineNumber;
        LineRead read = LineRead::End;
        try {
            read = ReadLine(*in, line);
        } catch (const std::exception& e) {
            report("cannot read the script: " + ReadFailure(e));
            return Outcome::ScriptFault;
        }
        if (read == LineRead::End) break;
        if (read == LineRead::TooLong) {
            report("line longer than " + std::to_string(kMaxLineBytes) + " bytes");
            return Outcome::ScriptFault;
        }
        try {
            auto failure = session.Execute(SplitLine(line));
            // The game's loops may have run in any command (a `do`, a key).
            session.Charge(0);
            if (failure) {
                report(*failure);
                outcome = Outcome::ExpectFailed;
            }
        } catch (const ScriptError& e) {
            report(e.what());
            return Outcome::ScriptFault;
        } catch (const std::exception& e) {
            // A fault inside the game is not the script's, but the run cannot go on.
            report(std::string("the game failed: ") + e.what());
            return Outcome::ScriptFault;
        }
    }
    out.flush();
    return outcome;
}

}  // namespace quondra::sim
