#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace quondra {
class FrmGame;
}

namespace quondra::soak {

// One thing a player could do to the game.
struct Event {
    enum class Kind { KeyDown, KeyUp, Click, Answer, Run };
    Kind kind;
    int value = 0;        // key code, answer or number of periods
    std::string control;  // for Click
};

// Draws events a player could produce: mostly the game's own keys, now and
// then any code 0 to 255, held in any combination, clicks on the controls that
// are shown, answers to the quit question, and runs of periods of any length.
class EventGenerator {
public:
    explicit EventGenerator(std::uint64_t seed) : engine_(seed) {}
    Event Next(const FrmGame& frm);
    // A fresh game: no key is held and no quit key waits for its answer.
    void StartGame() {
        pending_.reset();
        held_.clear();
    }

private:
    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(engine_); }
    int KeyCode();
    Event Answer();

    std::mt19937_64 engine_;
    // A quit key waits behind the answer that its question will take.
    std::optional<Event> pending_;
    // The codes pressed and not let go since.
    std::vector<int> held_;
};

// The events as a scene-console script that replays them on a fresh game.
std::string ToScript(const std::vector<Event>& events);

}  // namespace quondra::soak
