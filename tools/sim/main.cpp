// quondra-sim: runs scene-console scripts against the game's core.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <string>

#include "console.h"

int main(int argc, char** argv) {
    using quondra::sim::Outcome;
    std::ios::sync_with_stdio(false);
    constexpr const char* kStandardInput = "-";

    Outcome worst = Outcome::Passed;
    // No file given reads standard input, as "-" does.
    for (int i = argc < 2 ? 0 : 1; i < argc; ++i) {
        const std::string name = i == 0 ? kStandardInput : argv[i];
        Outcome outcome;
        if (name == kStandardInput) {
            outcome = quondra::sim::RunScript(std::cin, "<stdin>", std::cout, std::cerr);
        } else {
            std::ifstream file(name, std::ios::binary);
            if (!file) {
                std::cerr << quondra::sim::Escape(name) << ":0: cannot open the script\n";
                outcome = Outcome::ScriptFault;
            } else {
                outcome = quondra::sim::RunScript(file, name, std::cout, std::cerr);
            }
        }
        worst = std::max(worst, outcome);
    }
    std::cout.flush();
    // A transcript that could not be written is no pass (a full disk, a closed pipe).
    if (!std::cout) {
        std::cerr << "quondra-sim: cannot write the transcript\n";
        return static_cast<int>(Outcome::ScriptFault);
    }
    return static_cast<int>(worst);
}
