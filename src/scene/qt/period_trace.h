#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace quondra::qt {

// A diagnostic log of the game loop, for measuring it from outside the
// process (stalls, message boxes, the rate over a long run). Off unless the
// environment variable QUONDRA_TRACE names a file; then each wake that runs
// periods writes "T periods N ball LEFT TOP" and each modal box writes
// "T modal begin" and "T modal end", T in milliseconds of the clock.
class PeriodTrace {
public:
    static constexpr const char* kVariable = "QUONDRA_TRACE";

    PeriodTrace();  // reads the variable
    explicit PeriodTrace(const std::string& path);

    bool On() const { return file_ != nullptr; }
    void Periods(std::int64_t nowNs, std::int64_t periods, double ballLeft, double ballTop);
    void Modal(std::int64_t nowNs, std::string_view what);

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
};

}  // namespace quondra::qt
