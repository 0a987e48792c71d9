#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace quondra::qt {

// Turns key events from any source (keyboard, gamepad) into the key-downs and
// key-ups the game sees: auto-repeat is dropped both ways, so a held key is
// one key-down and, at its real release, one key-up; a key-up reaches the
// game only for a key whose key-down it received.
class KeyFilter {
public:
    using Sink = std::function<void(bool down, std::int16_t code)>;
    // A source that gives no event times: its releases are never repeats.
    static constexpr std::uint64_t kNoTime = 0;

    explicit KeyFilter(Sink sink) : sink_(std::move(sink)) {}

    // `time` is the event's timestamp. X11 repeats a held key as a release
    // and a press with one timestamp, and does not always mark them, so a
    // timed release waits for its pair: a press of the same key with the
    // same time makes both a repeat; any other event, or Flush, makes it real.
    void Press(std::int16_t code, bool autoRepeat, std::uint64_t time = kNoTime);
    void Release(std::int16_t code, bool autoRepeat, std::uint64_t time = kNoTime);
    // A release still waiting for its pair is a real one.
    void Flush();
    bool Waiting() const { return waiting_.has_value(); }

    // A key that went down (or repeated) or up while one of the game's
    // message boxes had the keyboard: neither its repeats nor its release
    // reach the game.
    void PressElsewhere(std::int16_t code);
    void ReleaseElsewhere(std::int16_t code);
    // A message box opens and closes. `downNow` is what the display server
    // says of some keys as the box closes: each of them is down exactly when
    // it says so. Any other key down when the box opened and not seen in it
    // is forgotten: its release may have gone to the window while the box
    // blocked it, where the toolkit drops it.
    void BoxOpened();
    void BoxClosed(const std::map<std::int16_t, bool>& downNow = {});
    // A message box takes the keyboard: every held key gets its key-up now,
    // but stays down, so that its repeats are not taken for new presses.
    void ReleaseAll();
    // Another program takes the keyboard: its releases will not be seen here.
    void Forget();

    bool AnyHeld() const;
    // The keys down now, whether or not the game has their key-down.
    std::vector<std::int16_t> Down() const;
    // The caller gives the game a key-down of a key that is down (a held
    // walking key, say, after a message box): its release will reach the game.
    void MarkGiven(std::int16_t code);

private:
    struct Pending {
        std::int16_t code;
        std::uint64_t time;
    };

    Sink sink_;
    // Every key down, and whether the game has its key-down.
    std::map<std::int16_t, bool> down_;
    std::set<std::int16_t> seenInBox_;
    std::optional<Pending> waiting_;
};

}  // namespace quondra::qt
