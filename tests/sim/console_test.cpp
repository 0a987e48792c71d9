#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "console.h"
#include "script_parser.h"
#include "sim_platform.h"
#include "values.h"

namespace quondra::sim {
namespace {

std::vector<std::string> Texts(const std::vector<Word>& words) {
    std::vector<std::string> texts;
    for (const Word& w : words) texts.push_back((w.Quoted ? "q:" : "") + w.Text);
    return texts;
}

struct SplitCase {
    const char* line;
    std::vector<std::string> words;
};

class SplitLineCases : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLineCases, GivesTheWordsOfTheLine) { EXPECT_EQ(Texts(SplitLine(GetParam().line)), GetParam().words); }

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitLineCases,
    ::testing::Values(SplitCase{"", {}}, SplitCase{"   \t ", {}}, SplitCase{"# all comment", {}},
                      SplitCase{"get  Gravity", {"get", "Gravity"}},
                      SplitCase{"run 3# no space before the comment", {"run", "3"}},
                      SplitCase{"set a \"x # y\"", {"set", "a", "q:x # y"}},
                      SplitCase{"set a \"\"", {"set", "a", "q:"}},
                      SplitCase{"set a \"\\\"\\\\\"\r", {"set", "a", "q:\"\\"}},
                      SplitCase{"set a \"\\x1b[2J\\x00\\xFf\"", {"set", "a", std::string("q:\x1b[2J") + '\0' + "\xff"}}));

class SplitLineFaults : public ::testing::TestWithParam<const char*> {};

TEST_P(SplitLineFaults, IsAScriptError) { EXPECT_THROW(SplitLine(GetParam()), ScriptError); }

INSTANTIATE_TEST_SUITE_P(Lines, SplitLineFaults,
                         ::testing::Values("set a \"open", "set a \"x\\", "set a \"x\\n\"", "set a \"x\"y",
                                           "set a b\"c", "set a \"\\x1\"", "set a \"\\xg0\"", "set a \"\\x4"));

TEST(Numbers, RefuseWhatIsNotOneFiniteNumber) {
    for (const char* text : {"", "1e999", "0x10", "1.5.2", "1,5", " 1", "nan ", "-", "in"})
        EXPECT_THROW(ParseDouble(Word{text}), ScriptError) << text;
    EXPECT_THROW(ParseSingle(Word{"1e39"}), ScriptError);
    EXPECT_THROW(ParseDouble(Word{"4", true}), ScriptError);
    EXPECT_EQ(ParseDouble(Word{"-2.5e-3"}), -0.0025);
}

TEST(Numbers, ReadTheNonFiniteValuesThatArePrinted) {
    EXPECT_TRUE(std::isnan(ParseDouble(Word{"nan"})));
    EXPECT_TRUE(std::isnan(ParseSingle(Word{"-nan"})));
    EXPECT_EQ(ParseDouble(Word{"-inf"}), -HUGE_VAL);
    EXPECT_EQ(ParseSingle(Word{"inf"}), HUGE_VALF);
}

TEST(Numbers, WholeNumbersStayWithinTheirBounds) {
    EXPECT_EQ(ParseWhole(Word{"-7"}, -7, 7), -7);
    EXPECT_THROW(ParseWhole(Word{"8"}, -7, 7), ScriptError);
    EXPECT_THROW(ParseWhole(Word{"99999999999999999999"}, 0, 1), ScriptError);
    EXPECT_THROW(ParseWhole(Word{"1.0"}, 0, 2), ScriptError);
}

TEST(Formatting, ShortestTextReadsBackToTheStoredValue) {
    for (const float f : {0.1f, 1920.5f, 16777216.0f, -1e-7f, 3.4028235e38f}) {
        const std::string text = FormatValue(ValueType::Single, Value{static_cast<double>(f)});
        EXPECT_EQ(ParseSingle(Word{text}), f) << text;
    }
    EXPECT_EQ(FormatValue(ValueType::Single, Value{0.1}), "0.1");
    EXPECT_EQ(FormatValue(ValueType::Double, Value{0.1 + 0.2}), "0.30000000000000004");
    EXPECT_EQ(FormatValue(ValueType::Integer, Value{-1.0}), "-1");
    EXPECT_EQ(FormatValue(ValueType::Boolean, Value{false}), "false");
    EXPECT_EQ(FormatValue(ValueType::Text, Value{std::string("a\"b")}), "\"a\\\"b\"");
    // A NaN prints without the sign the processor happened to give it.
    EXPECT_EQ(FormatValue(ValueType::Double, Value{-std::nan("")}), "nan");
    EXPECT_EQ(FormatValue(ValueType::Single, Value{std::nan("")}), "nan");
    EXPECT_EQ(FormatValue(ValueType::Double, Value{-HUGE_VAL}), "-inf");
    EXPECT_EQ(FormatValue(ValueType::Single, Value{HUGE_VAL}), "inf");
}

TEST(Formatting, EveryTextPrintsWithoutControlBytesAndReadsBack) {
    std::string everyByte;
    for (int c = 0; c < 256; ++c) everyByte += static_cast<char>(c);
    for (const std::string& text : {everyByte, std::string("\x1b]0;title\x07\x1b[2J"), std::string("\\x41")}) {
        const std::string printed = FormatValue(ValueType::Text, Value{text});
        for (const char c : printed) EXPECT_TRUE(c >= ' ' && c <= '~') << static_cast<int>(c);
        const auto words = SplitLine("set lblRed.Caption " + printed);
        ASSERT_EQ(words.size(), 3u);
        EXPECT_EQ(words[2].Text, text);
        EXPECT_TRUE(words[2].Quoted);
    }
    EXPECT_EQ(Escape("a\x1b\n"), "a\\x1b\\x0a");
}

TEST(Matching, ComparesSinglesAsStoredAndNumbersWithinTolerance) {
    EXPECT_TRUE(Matches(ValueType::Single, Value{static_cast<double>(0.1f)}, Value{0.1}, 0));
    EXPECT_FALSE(Matches(ValueType::Double, Value{static_cast<double>(0.1f)}, Value{0.1}, 0));
    EXPECT_TRUE(Matches(ValueType::Double, Value{1.0}, Value{1.5}, 0.5));
    EXPECT_FALSE(Matches(ValueType::Double, Value{1.0}, Value{1.5}, 0.25));
    EXPECT_FALSE(Matches(ValueType::Text, Value{std::string("0")}, Value{std::string("0 ")}, 0));
    EXPECT_TRUE(Matches(ValueType::Double, Value{std::nan("")}, Value{-std::nan("")}, 0));
    EXPECT_TRUE(Matches(ValueType::Single, Value{HUGE_VAL}, Value{HUGE_VAL}, 0));
    EXPECT_FALSE(Matches(ValueType::Double, Value{std::nan("")}, Value{0.0}, 1e300));
    EXPECT_FALSE(Matches(ValueType::Double, Value{HUGE_VAL}, Value{-HUGE_VAL}, 0));
    EXPECT_FALSE(Matches(ValueType::Double, Value{HUGE_VAL}, Value{1e308}, 1e308));
}

TEST(SimPlatform, AnOkBoxAnswersOneAndLeavesTheQueueAlone) {
    std::ostringstream out;
    SimPlatform platform(out);
    platform.QueueAnswer(kAnswerNo);
    EXPECT_EQ(platform.MsgBox("Red Wins!", "MATCH", kMsgBoxOk), kAnswerOk);
    EXPECT_EQ(platform.MsgBox("Sure?", "Exit Program", kMsgBoxYesNo), kAnswerNo);
    EXPECT_EQ(out.str(), "msgbox \"Red Wins!\" \"MATCH\" 0 -> 1\nmsgbox \"Sure?\" \"Exit Program\" 4 -> 7\n");
}

TEST(SimPlatform, AYesNoBoxWithoutAnAnswerIsAScriptError) {
    std::ostringstream out;
    SimPlatform platform(out);
    EXPECT_THROW(platform.MsgBox("Sure?", "Exit Program", kMsgBoxYesNo), ScriptError);
}

TEST(SimPlatform, QueuedRandomsComeFirstThenTheSeededSourceRepeats) {
    std::ostringstream out;
    SimPlatform a(out), b(out);
    a.Randomize(a.TimeOfDay());
    b.Randomize(b.TimeOfDay());
    a.QueueRandom(0.25f);
    EXPECT_EQ(a.Rnd(), 0.25f);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(a.Rnd(), b.Rnd());
}

TEST(SimPlatform, MutedServicesAreNotWritten) {
    std::ostringstream out;
    SimPlatform platform(out);
    platform.SetMuted(true);
    platform.BringToFront("shpBall");
    platform.SetMuted(false);
    platform.SetFocus("cmdPlay");
    platform.SetPointer(kPointerArrow);
    platform.End();
    EXPECT_EQ(out.str(), "focus cmdPlay\npointer 0\nend\n");
}

Outcome RunText(const std::string& script, std::string* err = nullptr, std::uint64_t maxSteps = kMaxScriptSteps,
                std::string* transcript = nullptr) {
    std::istringstream in(script);
    std::ostringstream out, errors;
    const Outcome outcome = RunScript(in, "t", out, errors, maxSteps);
    if (err != nullptr) *err = errors.str();
    if (transcript != nullptr) *transcript = out.str();
    return outcome;
}

TEST(RunScript, ReportsTheWorstOutcomeOfTheScript) {
    EXPECT_EQ(RunText("expect Gravity 0\n"), Outcome::Passed);
    EXPECT_EQ(RunText("expect Gravity 1\nexpect Gravity 0\n"), Outcome::ExpectFailed);
    std::string err;
    EXPECT_EQ(RunText("expect Gravity 1\n\nbogus\nexpect Gravity 2\n", &err), Outcome::ScriptFault);
    EXPECT_EQ(err, "t:1: expected Gravity = 1, got 0\nt:3: unknown command bogus\n");
}

TEST(RunScript, AStreamWithoutABufferIsAFaultNotAPass) {
    std::istream none(nullptr);
    std::ostringstream out, err;
    EXPECT_EQ(RunScript(none, "t", out, err), Outcome::ScriptFault);
    EXPECT_EQ(err.str(), "t:0: cannot read the script: there is no input\n");
}

// What `get` prints of a text, written back into `expect`, reads back as the
// same text; a text whose printed form could not is refused where it is set.
TEST(RunScript, EveryTextThatIsPrintedReadsBack) {
    // Under the longest name that holds a text.
    std::ostringstream unused;
    const Session session(unused);
    std::string name;
    for (const ObjectRef& object : session.frm.Objects()) {
        std::string_view caption;
        if (const auto* label = std::get_if<Label*>(&object)) caption = (*label)->Name;
        if (const auto* button = std::get_if<Button*>(&object)) caption = (*button)->Name;
        if (caption.size() + sizeof ".Caption" - 1 > name.size()) name = std::string(caption) + ".Caption";
    }
    ASSERT_FALSE(name.empty());
    const std::size_t escapedBytes = 4, quotes = 2;
    const std::size_t longestPrintable = (kMaxPrintedTextBytes - quotes) / escapedBytes;
    for (const std::size_t bytes : {longestPrintable, longestPrintable + 1, std::size_t{16384}}) {
        const std::string set = "set " + name + " \"" + std::string(bytes, '\x01') + "\"\n";
        std::string err, printed;
        const Outcome outcome = RunText(set + "get " + name + "\n", &err, kMaxScriptSteps, &printed);
        if (bytes > longestPrintable) {
            EXPECT_EQ(outcome, Outcome::ScriptFault) << bytes;
            EXPECT_EQ(err, "t:1: a text that prints in " + std::to_string(bytes * escapedBytes + quotes) +
                               " bytes, more than the " + std::to_string(kMaxPrintedTextBytes) +
                               " that read back in one line\n");
            continue;
        }
        ASSERT_EQ(outcome, Outcome::Passed) << err;
        const std::string prefix = name + " = ";
        ASSERT_EQ(printed.substr(0, prefix.size()), prefix);
        const std::string value = printed.substr(prefix.size(), printed.size() - prefix.size() - 1);
        EXPECT_EQ(RunText(set + "expect " + name + " " + value + "\n", &err), Outcome::Passed) << err.substr(0, 200);
    }
}

std::string LimitMessage(std::uint64_t steps) {
    return "the script's work passes its limit of " + std::to_string(steps) +
           " steps (periods, timer handlers, passes round a rim, bytes of a score read)\n";
}

TEST(WorkLimit, CountsEveryPeriodAndARunThatWouldPassItDoesNotStart) {
    EXPECT_EQ(RunText("run 60\nrun 40\n", nullptr, 100), Outcome::Passed);
    std::string err;
    EXPECT_EQ(RunText("run 60\nrun 41\nexpect Gravity 1\n", &err, 100), Outcome::ScriptFault);
    EXPECT_EQ(err, "t:2: " + LimitMessage(100));
    std::ostringstream out;
    Session session(out, 40);
    session.Execute(SplitLine("run 30"));
    EXPECT_THROW(session.Execute(SplitLine("run 11")), ScriptError);
    EXPECT_EQ(session.frm.clock.Period(), 30);
}

TEST(WorkLimit, CountsEveryTimerHandler) {
    // In play the ball's timer fires in every period: 50 periods are 100 steps at least.
    std::string err;
    EXPECT_EQ(RunText("click cmdPlay\nrun 50\n", &err, 99), Outcome::ScriptFault);
    EXPECT_EQ(err, "t:2: " + LimitMessage(99));
}

// Two huge players whose rims cross under a net over the whole world: the
// ball overlaps both in every period and walks each rim the whole way round.
constexpr const char* kRimWalkInEveryPeriod =
    "set shpNet.Left -30000\nset shpNet.Width 60000\nset shpNet.Top -30000\nset fraGround.Top 30000\n"
    "set shpCir1.Width 30000\nset shpCir1.Height 30000\nset shpCir1.Left -9949\nset shpCir1.Top 7644\n"
    "set shpCir2.Width 20000\nset shpCir2.Height 20000\nset shpCir2.Left 7698\nset shpCir2.Top 850\n"
    "set shpBall.Left 10012\nset shpBall.Top 14656\nset Gravity 0\nset BallVelX 1\nset BallVelY 1\n";
constexpr int kRimWalkSetupLines = 17;

TEST(WorkLimit, CountsThePassesRoundARim) {
    // One period and its handlers are a few steps; its passes are hundreds.
    const std::string setup = kRimWalkInEveryPeriod;
    const std::string line = std::to_string(kRimWalkSetupLines + 1);
    std::string err;
    EXPECT_EQ(RunText(setup + "set tmrBall.Enabled true\nrun 1\n", &err, 100), Outcome::ScriptFault);
    EXPECT_EQ(err, "t:" + std::to_string(kRimWalkSetupLines + 2) + ": " + LimitMessage(100));
    // Outside a run too.
    EXPECT_EQ(RunText(setup + "do CheckHits\n", &err, 100), Outcome::ScriptFault);
    EXPECT_EQ(err, "t:" + line + ": " + LimitMessage(100));
}

TEST(WorkLimit, CountsTheBytesOfAScoreRead) {
    // The ball lands at once; each point reads the long caption twice, while
    // Red's score stays far below ten and the match goes on.
    const std::string script = "click cmdPlay\nset lblYellow.Caption \"" + std::string(10000, ' ') +
                               "\"\nset lblRed.Caption \"-2000000000\"\nset fraGround.Top -1000\nrun 200\n";
    std::string err;
    EXPECT_EQ(RunText(script, &err, 10000), Outcome::ScriptFault);
    EXPECT_EQ(err, "t:5: " + LimitMessage(10000));
}

TEST(RunScript, NoiseEndsWithoutACrashOrAnEscapingException) {
    // A small deterministic stand-in for the fuzzer: every line of noise
    // must end as a pass, a failed expectation or a script fault.
    const std::string alphabet = "setgrundokyclickexpect \"#\\.-0123456789e\n\t\x01\xff";
    std::uint32_t state = 12345;
    for (int script = 0; script < 300; ++script) {
        std::string text;
        for (int i = 0; i < 80; ++i) {
            state = state * 1664525u + 1013904223u;
            text += alphabet[(state >> 16) % alphabet.size()];
        }
        const Outcome outcome = RunText(text);
        EXPECT_TRUE(outcome == Outcome::Passed || outcome == Outcome::ExpectFailed ||
                    outcome == Outcome::ScriptFault);
    }
}

}  // namespace
}  // namespace quondra::sim
