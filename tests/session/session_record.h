#pragma once

#include <cstdint>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "game/frm_game.h"
#include "game_input.h"

namespace quondra::qt {

class GameWindow;

// Writes what the real window gave the game as a script of the scene
// console: each input as its command, with the random numbers and box
// answers it drew queued before it, and after each step (a period with the
// keys given in it, or an input between periods) the state as `expect`
// lines exact to the last bit. `quondra-sim RECORD` plays the session again
// and stops agreeing where the console's game would leave the window's.
class SessionRecord {
public:
    SessionRecord(std::ostream& out, FrmGame& frm);
    SessionRecord(const SessionRecord&) = delete;
    SessionRecord& operator=(const SessionRecord&) = delete;
    ~SessionRecord();

    // Follows the window's signals for as long as the window lives.
    void Follow(GameWindow& window);

    void Given(const GameInput& input);
    void Drawn(float r);
    void Answered(std::int16_t answer);
    // The window has given the game all it had for now: the state is
    // written, and the steps reach the file whole, where a test may be
    // reading them; a record cut short still ends with a whole step.
    void Settled();

private:
    void WriteState();

    std::ostream& out_;
    std::ostringstream steps_;
    FrmGame& frm_;
    std::vector<std::string> queued_;
    // The state as the last input left it, written once the step is over.
    std::string state_;
    bool stateDue_ = false;
};

}  // namespace quondra::qt
