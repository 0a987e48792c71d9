#pragma once

#include "scene/platform.h"
#include "scene/random_source.h"

namespace quondra::qt {

class GameWindow;

// The platform services in a real desktop window.
class QtPlatform : public Platform {
public:
    void Attach(GameWindow* window) { window_ = window; }

    std::int16_t MsgBox(std::string_view text, std::string_view title, std::int16_t style) override;
    void End() override;
    // The window repaints from the scene's drawing order after every call.
    void BringToFront(std::string_view) override {}
    void SetFocus(std::string_view name) override;
    void SetPointer(std::int16_t style) override;
    double TimeOfDay() override;
    void Randomize(double seed) override { random_.Seed(seed); }
    float Rnd() override { return random_.Next(); }

private:
    GameWindow* window_ = nullptr;
    RandomSource random_;
};

}  // namespace quondra::qt
