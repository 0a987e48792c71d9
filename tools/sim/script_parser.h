#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quondra::sim {

// Longest script line, its line end not counted: what one line may cost in
// memory stays bounded whatever the script is (a file of zero bytes without
// a line end, a line of millions of words).
inline constexpr std::size_t kMaxLineBytes = 64 * 1024;
// Longest a text may be as the console prints it, quoted and escaped: a line
// that sets or expects it, under any name the game has (the longest has 21
// bytes), then stays within kMaxLineBytes, so every text the console prints
// reads back.
inline constexpr std::size_t kLineRoomBesideAText = 256;
inline constexpr std::size_t kMaxPrintedTextBytes = kMaxLineBytes - kLineRoomBesideAText;

// A fault in the script itself (as opposed to a failed expectation): the
// console reports it and stops the script with exit status 2.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One word of a command line; a quoted word is a text value, kept without
// its quotes and with its escapes (\", \\ and \xHH for any byte) resolved.
struct Word {
    std::string Text;
    bool Quoted = false;
};

// Splits one script line into words. A '#' outside quotes starts a comment;
// a blank or comment-only line gives no words.
std::vector<Word> SplitLine(std::string_view line);

// Numbers as a script writes them: decimal, optionally signed and with an
// exponent, or nan, inf and -inf. Text that is not one number that fits the
// type throws.
double ParseDouble(const Word& word);
float ParseSingle(const Word& word);
// An integer within [lo, hi]; fractions are refused.
std::int64_t ParseWhole(const Word& word, std::int64_t lo, std::int64_t hi);

// A text as a script writes it: in double quotes, with \" and \\, and every
// byte outside printable ASCII as \xHH, so that it reads back and prints no
// control byte.
std::string Quote(std::string_view text);
// The same escapes without the quotes, for names that are not the script's
// words (a file name).
std::string Escape(std::string_view text);
// How a word is shown in messages: texts in double quotes, other words bare,
// both escaped and cut short.
std::string Show(const Word& word);

}  // namespace quondra::sim
