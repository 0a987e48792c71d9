// Random play against the core with invariants checked after every step.
// On a violation it prints the seed and the shortest event prefix it could
// find that shows it, as a scene-console script.
#include <algorithm>
#include <charconv>
#include <chrono>
#include <deque>
#include <iostream>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "event_stream.h"
#include "game/events.h"
#include "game/frm_game.h"
#include "invariants.h"
#include "recording_platform.h"
#include "scene/random_source.h"

namespace quondra::soak {
namespace {

constexpr std::size_t kEventsPerGame = 10000;
constexpr int kShrinkReplays = 20000;

// An unanswered quit question marks the prefix as one the console would refuse.
using SoakPlatform = testing::SilentPlatform;

OptionButton* OptionNamed(FrmGame& frm, const std::string& name) {
    const ObjectRef* found = frm.Find(name);
    if (found == nullptr) return nullptr;
    auto* const* o = std::get_if<OptionButton*>(found);
    return o ? *o : nullptr;
}

// One game being played; Step returns false when the event is not one the
// console would accept now (shrinking can make such prefixes).
struct Session {
    Session() : checker(Started(frm)) {}
    static const FrmGame& Started(FrmGame& frm) {
        Load(frm);
        return frm;
    }

    SoakPlatform platform;
    FrmGame frm{platform};
    InvariantChecker checker;
    std::optional<std::string> violation;
    std::int64_t periods = 0;

    bool Step(const Event& e) {
        switch (e.kind) {
            case Event::Kind::KeyDown: KeyDown(frm, static_cast<std::int16_t>(e.value)); break;
            case Event::Kind::KeyUp: KeyUp(frm, static_cast<std::int16_t>(e.value)); break;
            case Event::Kind::Answer: platform.answers.push_back(static_cast<std::int16_t>(e.value)); break;
            case Event::Kind::Click:
                if (e.control == "cmdPlay") {
                    if (!IsShown(frm.cmdPlay)) return false;
                    ClickPlay(frm);
                } else {
                    OptionButton* o = OptionNamed(frm, e.control);
                    if (o == nullptr || !IsShown(*o)) return false;
                    ClickOption(frm, *o);
                }
                break;
            case Event::Kind::Run:
                for (int i = 0; i < e.value && !frm.Ended; ++i) {
                    // Checked after every handler, not only at the end of the period.
                    RunPeriods(frm, 1, [&] {
                        if (!violation && !frm.Ended) violation = checker.Check(frm, e);
                    });
                    ++periods;
                    if (platform.unanswered) return false;
                    if (violation) return true;
                }
                return true;
        }
        if (platform.unanswered) return false;
        if (!frm.Ended) violation = checker.Check(frm, e);
        return true;
    }
};

// Replays events on a fresh game: the violation, if the prefix is valid and shows one.
std::optional<std::string> Replay(const std::vector<Event>& events) {
    Session s;
    for (const Event& e : events) {
        if (s.frm.Ended || !s.Step(e)) return std::nullopt;
        if (s.violation) return s.violation;
    }
    return std::nullopt;
}

// Removes chunks of events, then shortens runs, while the rest still shows a
// violation; repeated while either helps.
std::vector<Event> Shrink(std::vector<Event> events) {
    int replays = 0;
    for (bool shrunk = true; shrunk && replays < kShrinkReplays;) {
        shrunk = false;
        for (std::size_t chunk = events.size() / 2; chunk >= 1 && replays < kShrinkReplays; chunk /= 2) {
            for (std::size_t at = 0; at + chunk <= events.size() && replays < kShrinkReplays;) {
                std::vector<Event> candidate(events.begin(), events.begin() + at);
                candidate.insert(candidate.end(), events.begin() + at + chunk, events.end());
                ++replays;
                if (Replay(candidate)) events = std::move(candidate), shrunk = true;
                else at += chunk;
            }
        }
        for (std::size_t at = 0; at < events.size() && replays < kShrinkReplays; ++at) {
            if (events[at].kind != Event::Kind::Run) continue;
            for (int periods = events[at].value / 2; periods >= 1 && replays < kShrinkReplays; periods /= 2) {
                std::vector<Event> candidate = events;
                candidate[at].value = periods;
                ++replays;
                if (!Replay(candidate)) break;
                events = std::move(candidate), shrunk = true;
            }
        }
    }
    return events;
}

std::vector<Event> OpeningClicks(std::uint64_t game) {
    // Every match kind, gravity and speed comes round in turn.
    static const char* kKinds[] = {"optComputer", "optHuman"};
    static const char* kGravities[] = {"optLow", "optMedium", "optHigh"};
    static const char* kSpeeds[] = {"optSlow", "optAverage", "optFast"};
    return {{Event::Kind::Click, 0, kKinds[game % 2]},
            {Event::Kind::Click, 0, kGravities[(game / 2) % 3]},
            {Event::Kind::Click, 0, kSpeeds[(game / 6) % 3]},
            {Event::Kind::Click, 0, "cmdPlay"}};
}

struct SeedRun {
    std::uint64_t events = 0, periods = 0, games = 0, quits = 0, points = 0, matchesWon = 0;
    int longestRimWalk = 0;
    bool passed = true;

    void Add(const SeedRun& r) {
        events += r.events, periods += r.periods, games += r.games, quits += r.quits;
        points += r.points, matchesWon += r.matchesWon;
        longestRimWalk = std::max(longestRimWalk, r.longestRimWalk);
    }
    std::string Summary() const {
        return std::to_string(events) + " events, " + std::to_string(periods) + " periods, " +
               std::to_string(games) + " games (" + std::to_string(quits) + " quit), " +
               std::to_string(points) + " points, " + std::to_string(matchesWon) + " matches won, longest rim walk " +
               std::to_string(longestRimWalk) + " passes";
    }
};

SeedRun Soak(std::uint64_t seed, std::uint64_t events) {
    EventGenerator generator(seed);
    SeedRun run;
    while (run.events < events) {
        Session session;
        generator.StartGame();
        std::vector<Event> played;
        for (const Event& e : OpeningClicks(run.games)) {
            played.push_back(e);
            session.Step(e);
        }
        while (!session.frm.Ended && played.size() < kEventsPerGame && run.events < events) {
            const Event e = generator.Next(session.frm);
            played.push_back(e);
            ++run.events;
            if (!session.Step(e)) {
                // The game was never checked after it: a fault of the generator.
                std::cout << "SOAK FAULT seed " << seed << " game " << run.games << ": event "
                          << played.size() << " is one the console would refuse\n"
                          << ToScript(played);
                run.passed = false;
                return run;
            }
            if (session.violation) {
                const auto shortest = Shrink(played);
                std::cout << "VIOLATION seed " << seed << " game " << run.games << " after "
                          << played.size() << " events: " << *session.violation << "\n"
                          << "# shortest script found (" << shortest.size() << " events):\n"
                          << "# " << Replay(shortest).value_or("?") << "\n"
                          << ToScript(shortest);
                run.passed = false;
                return run;
            }
        }
        run.periods += static_cast<std::uint64_t>(session.periods);
        run.quits += session.frm.Ended ? 1 : 0;
        run.points += session.checker.Points();
        run.matchesWon += session.checker.MatchesWon();
        run.longestRimWalk = std::max(run.longestRimWalk, session.checker.LongestRimWalk());
        ++run.games;
    }
    return run;
}

}  // namespace
}  // namespace quondra::soak

// quondra-soak [--events N] [--seed S]...: N events in all, shared evenly
// between the seeds given (seed 1 when none is).
namespace {

constexpr std::uint64_t kDefaultEvents = 200000;

std::string Usage() {
    return "usage: quondra-soak [--events N] [--seed S]...\n"
           "  N: the events in all, a whole number from 1 (default " + std::to_string(kDefaultEvents) + ")\n"
           "  S: a seed, a whole number from 0 to " + std::to_string(std::numeric_limits<std::uint64_t>::max()) +
           " (default 1)\n";
}

// The whole text as a decimal number that fits: no sign, no exponent, no rest.
std::optional<std::uint64_t> WholeNumber(std::string_view text) {
    std::uint64_t value = 0;
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(text.data(), last, value);
    if (text.empty() || ec != std::errc{} || end != last) return std::nullopt;
    return value;
}

int Refuse(const std::string& why) {
    std::cerr << "quondra-soak: " << why << '\n' << Usage();
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace quondra::soak;
    std::uint64_t events = kDefaultEvents;
    std::vector<std::uint64_t> seeds;
    for (int i = 1; i < argc; i += 2) {
        const std::string_view flag = argv[i];
        if (flag != "--events" && flag != "--seed") return Refuse("unknown argument " + std::string(flag));
        if (i + 1 == argc) return Refuse(std::string(flag) + " needs a value");
        const auto value = WholeNumber(argv[i + 1]);
        if (flag == "--events") {
            if (!value || *value == 0) return Refuse("--events takes a whole number from 1");
            events = *value;
        } else {
            if (!value) return Refuse("--seed takes a whole number that fits 64 bits");
            seeds.push_back(*value);
        }
    }
    if (seeds.empty()) seeds.push_back(1);
    const auto start = std::chrono::steady_clock::now();
    SeedRun total;
    for (std::size_t k = 0; k < seeds.size(); ++k) {
        const std::uint64_t share = events / seeds.size() + (k < events % seeds.size() ? 1 : 0);
        const auto seedStart = std::chrono::steady_clock::now();
        const SeedRun run = Soak(seeds[k], share);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - seedStart).count();
        std::cout << "soak: seed " << seeds[k] << ": " << run.Summary() << ", " << seconds << " s"
                  << std::endl;
        if (!run.passed) return 1;
        total.Add(run);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "soak: total " << total.Summary() << ", " << seeds.size() << " seeds, " << seconds
              << " s, no violation\n";
    return 0;
}
