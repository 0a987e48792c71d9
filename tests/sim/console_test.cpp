#include <gtest/gtest.h>

#include <cmath>
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

Outcome RunText(const std::string& script, std::string* err = nullptr) {
    std::istringstream in(script);
    std::ostringstream out, errors;
    const Outcome outcome = RunScript(in, "t", out, errors);
    if (err != nullptr) *err = errors.str();
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
