// Arbitrary bytes as a console script: the console must answer every input
// with an outcome, never a crash, a hang or a leak.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "console.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out, err;
    quondra::sim::RunScript(script, "fuzz", out, err);
    return 0;
}
