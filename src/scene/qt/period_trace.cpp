#include "period_trace.h"

#include <cstdlib>

namespace quondra::qt {
namespace {

constexpr double kNsPerMs = 1e6;

std::string PathFromEnvironment() {
    const char* path = std::getenv(PeriodTrace::kVariable);
    return path != nullptr ? path : "";
}

}  // namespace

PeriodTrace::PeriodTrace() : PeriodTrace(PathFromEnvironment()) {}

PeriodTrace::PeriodTrace(const std::string& path) {
    if (!path.empty()) file_.reset(std::fopen(path.c_str(), "w"));
}

// Each line is flushed: the process under measurement may be killed.
void PeriodTrace::Periods(std::int64_t nowNs, std::int64_t periods, double ballLeft, double ballTop) {
    if (!On()) return;
    std::fprintf(file_.get(), "%.3f periods %lld ball %.4f %.4f\n", nowNs / kNsPerMs,
                 static_cast<long long>(periods), ballLeft, ballTop);
    std::fflush(file_.get());
}

void PeriodTrace::Modal(std::int64_t nowNs, std::string_view what) {
    if (!On()) return;
    std::fprintf(file_.get(), "%.3f modal %.*s\n", nowNs / kNsPerMs, static_cast<int>(what.size()), what.data());
    std::fflush(file_.get());
}

}  // namespace quondra::qt
