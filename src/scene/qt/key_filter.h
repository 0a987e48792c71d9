#pragma once

#include <cstdint>
#include <functional>
#include <set>

namespace quondra::qt {

// Turns the toolkit's key events into the key-downs and key-ups the game
// sees: auto-repeat is dropped both ways, so a held key is one key-down and,
// at its real release, one key-up; a key-up reaches the game only for a key
// whose key-down it received.
class KeyFilter {
public:
    using Sink = std::function<void(bool down, std::int16_t code)>;
    explicit KeyFilter(Sink sink) : sink_(std::move(sink)) {}

    void Press(std::int16_t code, bool autoRepeat);
    void Release(std::int16_t code, bool autoRepeat);
    // The window lost the keyboard: every key still held is released now.
    void ReleaseAll();

    bool IsHeld(std::int16_t code) const { return held_.contains(code); }
    bool AnyHeld() const { return !held_.empty(); }

private:
    Sink sink_;
    std::set<std::int16_t> held_;
};

}  // namespace quondra::qt
