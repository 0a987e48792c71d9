#pragma once

#include <cstdint>
#include <string_view>

namespace quondra {

// Message box styles and answers, and the window's pointer styles, as the
// game passes and reads them: plain Integers, named.
enum MsgBoxStyle : std::int16_t { kMsgBoxOk = 0, kMsgBoxYesNo = 4 };
enum MsgBoxAnswer : std::int16_t { kAnswerOk = 1, kAnswerYes = 6, kAnswerNo = 7 };
enum PointerStyle : std::int16_t { kPointerArrow = 0, kPointerHidden = 99 };

// The services the game asks of the system it runs on: the real window in
// the game, a scripted one in the scene console and the tests.
class Platform {
public:
    virtual ~Platform() = default;

    // Modal; returns kAnswerOk, kAnswerYes or kAnswerNo.
    virtual std::int16_t MsgBox(std::string_view text, std::string_view title,
                                std::int16_t style) = 0;
    // Ends the program; the game's own code returns at once after it.
    virtual void End() = 0;
    // The scene has already moved the object to the front; this tells the
    // platform, which may need to repaint.
    virtual void BringToFront(std::string_view name) = 0;
    virtual void SetFocus(std::string_view name) = 0;
    virtual void SetPointer(std::int16_t style) = 0;

    // Seconds since midnight, with their fraction.
    virtual double TimeOfDay() = 0;
    virtual void Randomize(double seed) = 0;
    // Uniform in [0, 1).
    virtual float Rnd() = 0;
};

}  // namespace quondra
