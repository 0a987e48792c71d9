// Arbitrary bytes as a console script: the console must answer every input
// with an outcome, never a crash, a hang or a leak, and every complaint must
// name the script and the line at fault. The console's own limit on a
// script's work (kMaxScriptSteps) is what rules out a hang.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "console.h"

static_assert(static_cast<int>(quondra::sim::Outcome::ScriptFault) == 2, "a bad script exits with 2");

namespace {

constexpr std::string_view kScriptName = "fuzz";
constexpr std::string_view kGameFault = "the game failed";

[[noreturn]] void Fail(const char* what, const std::string& messages) {
    std::fprintf(stderr, "console fuzz: %s\n--- messages ---\n%s", what, messages.c_str());
    std::abort();
}

// "fuzz:LINE: text" with LINE a whole number from 1 and a non-empty text;
// returns the text.
bool Located(std::string_view line, std::string_view& text) {
    if (!line.starts_with(kScriptName) || line.size() <= kScriptName.size() ||
        line[kScriptName.size()] != ':')
        return false;
    std::size_t i = kScriptName.size() + 1;
    const std::size_t digits = i;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
    if (i == digits || line[digits] == '0') return false;
    if (line.substr(i, 2) != ": " || i + 2 == line.size()) return false;
    text = line.substr(i + 2);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using quondra::sim::Outcome;
    std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out, err;
    const Outcome outcome = quondra::sim::RunScript(script, kScriptName, out, err);
    const std::string messages = err.str();
    // Whatever bytes the script holds, what reaches a terminal is printable text.
    const auto printable = [](const std::string& text) {
        for (const char c : text)
            if (c != '\n' && (c < ' ' || c > '~')) return false;
        return true;
    };
    const std::string transcript = out.str();
    if (!printable(transcript)) Fail("a byte that is not printable in the transcript", transcript);
    // What the console prints reads back: no transcript line is longer than
    // a script line may be. (The work limit of RunScript keeps each input
    // short in time as well.)
    for (std::string_view left = transcript; !left.empty();) {
        const std::size_t end = std::min(left.find('\n'), left.size());
        if (end > quondra::sim::kMaxLineBytes) Fail("a transcript line too long to read back", messages);
        left.remove_prefix(std::min(end + 1, left.size()));
    }
    if (!printable(messages)) Fail("a byte that is not printable in a message", messages);

    std::string_view rest = messages, text;
    std::size_t lines = 0;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos) Fail("a message without its line end", messages);
        if (!Located(rest.substr(0, end), text)) Fail("a message without FILE:LINE:", messages);
        rest.remove_prefix(end + 1);
        ++lines;
    }
    switch (outcome) {
        case Outcome::Passed:
            if (lines != 0) Fail("a passed script with messages", messages);
            break;
        case Outcome::ExpectFailed:
            if (lines == 0) Fail("a failed expectation without its message", messages);
            break;
        case Outcome::ScriptFault:
            // A bad script stops at its first fault, so that is the last message.
            if (lines == 0) Fail("a bad script without its message", messages);
            if (text.starts_with(kGameFault)) Fail("the game itself failed", messages);
            break;
        default: Fail("an outcome that is not 0, 1 or 2", messages);
    }
    return 0;
}
