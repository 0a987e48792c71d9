// quondra-sim: runs scene-console scripts against the game's core.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <string>

#include "console.h"

int main(int argc, char** argv) {
    using quondra::sim::Outcome;
    std::ios::sync_with_stdio(false);
    if (argc < 2) return static_cast<int>(quondra::sim::RunScript(std::cin, "<stdin>", std::cout, std::cerr));

    Outcome worst = Outcome::Passed;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        Outcome outcome;
        if (name == "-") {
            outcome = quondra::sim::RunScript(std::cin, "<stdin>", std::cout, std::cerr);
        } else {
            std::ifstream file(name, std::ios::binary);
            if (!file) {
                std::cerr << name << ":0: cannot open the script\n";
                outcome = Outcome::ScriptFault;
            } else {
                outcome = quondra::sim::RunScript(file, name, std::cout, std::cerr);
            }
        }
        worst = std::max(worst, outcome);
    }
    std::cout.flush();
    return static_cast<int>(worst);
}
