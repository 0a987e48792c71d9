#include "console.h"

#include <exception>
#include <string>

#include "game/events.h"

namespace quondra::sim {

Session::Session(std::ostream& transcript) : out(transcript), platform(transcript), frm(platform) {
    // The transcript starts with the script: what start-up did is not part of it.
    platform.SetMuted(true);
    Load(frm);
    platform.SetMuted(false);
}

Outcome RunScript(std::istream& script, std::string_view name, std::ostream& out, std::ostream& err) {
    Session session(out);
    Outcome outcome = Outcome::Passed;
    std::string line;
    long lineNumber = 0;
    const auto report = [&](const std::string& message) {
        err << name << ':' << lineNumber << ": " << message << '\n';
    };
    while (!session.Ended() && std::getline(script, line)) {
        ++lineNumber;
        try {
            if (auto failure = session.Execute(SplitLine(line))) {
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
