#include "sim_platform.h"

#include <string>

#include "script_parser.h"

namespace quondra::sim {

void SimPlatform::Write(const std::string& line) {
    if (!muted_) *out_ << line << '\n';
}

std::int16_t SimPlatform::MsgBox(std::string_view text, std::string_view title, std::int16_t style) {
    std::int16_t answer = kAnswerOk;
    // Only a Yes/No box takes an answer: an OK box leaves the queue alone.
    if (style == kMsgBoxYesNo) {
        if (answers_.empty())
            throw ScriptError("a Yes/No message box " + Quote(text) + " opened with no answer queued");
        answer = answers_.front();
        answers_.pop_front();
    }
    Write("msgbox " + Quote(text) + " " + Quote(title) + " " + std::to_string(style) + " -> " +
          std::to_string(answer));
    return answer;
}

void SimPlatform::End() { Write("end"); }

void SimPlatform::BringToFront(std::string_view name) { Write("front " + std::string(name)); }

void SimPlatform::SetFocus(std::string_view name) { Write("focus " + std::string(name)); }

void SimPlatform::SetPointer(std::int16_t style) { Write("pointer " + std::to_string(style)); }

float SimPlatform::Rnd() {
    if (randoms_.empty()) return random_.Next();
    const float r = randoms_.front();
    randoms_.pop_front();
    return r;
}

}  // namespace quondra::sim
