#include "test_platform.h"

#include "game/events.h"

namespace quondra::testing {

std::int16_t TestPlatform::MsgBox(std::string_view text, std::string_view title, std::int16_t style) {
    std::int16_t answer = kAnswerOk;
    if (style == kMsgBoxYesNo) {
        answer = answers.empty() ? kAnswerYes : answers.front();
        if (!answers.empty()) answers.pop_front();
    }
    log.push_back("msgbox \"" + std::string(text) + "\" \"" + std::string(title) + "\" " +
                  std::to_string(style) + " -> " + std::to_string(answer));
    return answer;
}

void TestPlatform::End() { log.emplace_back("end"); }
void TestPlatform::BringToFront(std::string_view name) { log.push_back("front " + std::string(name)); }
void TestPlatform::SetFocus(std::string_view name) { log.push_back("focus " + std::string(name)); }
void TestPlatform::SetPointer(std::int16_t style) { log.push_back("pointer " + std::to_string(style)); }

float TestPlatform::Rnd() {
    if (randoms.empty()) return random.Next();
    const float r = randoms.front();
    randoms.pop_front();
    return r;
}

Game::Game() {
    Load(frm);
    platform.log.clear();
}

}  // namespace quondra::testing
