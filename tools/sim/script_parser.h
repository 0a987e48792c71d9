#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quondra::sim {

// A fault in the script itself (as opposed to a failed expectation): the
// console reports it and stops the script with exit status 2.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One word of a command line; a quoted word is a text value, kept without
// its quotes and with its escapes resolved.
struct Word {
    std::string Text;
    bool Quoted = false;
};

// Splits one script line into words. A '#' outside quotes starts a comment;
// a blank or comment-only line gives no words.
std::vector<Word> SplitLine(std::string_view line);

// Numbers as a script writes them: decimal, optionally signed and with an
// exponent. Text that is not a whole finite number of the type throws.
double ParseDouble(const Word& word);
float ParseSingle(const Word& word);
// An integer within [lo, hi]; fractions are refused.
std::int64_t ParseWhole(const Word& word, std::int64_t lo, std::int64_t hi);

// How a word is quoted in messages: texts in double quotes, other words bare.
std::string Quote(std::string_view text);
std::string Show(const Word& word);

}  // namespace quondra::sim
