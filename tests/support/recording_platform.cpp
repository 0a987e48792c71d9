#include "recording_platform.h"

#include "game/events.h"

namespace quondra::testing {

std::int16_t RecordingPlatform::MsgBox(std::string_view text, std::string_view title, std::int16_t style) {
    std::int16_t answer = kAnswerOk;
    if (style == kMsgBoxYesNo) {
        if (answers.empty()) {
            unanswered = true;
            answer = unansweredReply_;
        } else {
            answer = answers.front();
            answers.pop_front();
        }
    }
    Record("msgbox \"" + std::string(text) + "\" \"" + std::string(title) + "\" " + std::to_string(style) +
           " -> " + std::to_string(answer));
    return answer;
}

void RecordingPlatform::End() { Record("end"); }
void RecordingPlatform::BringToFront(std::string_view name) { Record("front " + std::string(name)); }
void RecordingPlatform::SetFocus(std::string_view name) { Record("focus " + std::string(name)); }
void RecordingPlatform::SetPointer(std::int16_t style) { Record("pointer " + std::to_string(style)); }

void RecordingPlatform::Randomize(double seed) {
    Record("randomize " + std::to_string(seed));
    random.Seed(seed);
}

float RecordingPlatform::Rnd() {
    if (randoms.empty()) return random.Next();
    const float r = randoms.front();
    randoms.pop_front();
    return r;
}

void RecordingPlatform::Record(std::string line) {
    if (recording) log.push_back(std::move(line));
}

Game::Game() {
    Load(frm);
    platform.log.clear();
}

}  // namespace quondra::testing
