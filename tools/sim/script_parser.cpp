#include "script_parser.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace quondra::sim {
namespace {

constexpr char kQuote = '"';
constexpr char kEscape = '\\';
constexpr char kComment = '#';

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

template <typename Number>
Number ParseFloating(const Word& word, std::string_view typeName) {
    if (word.Quoted) throw ScriptError("expected a number, got the text " + Show(word));
    const char* first = word.Text.data();
    const char* last = first + word.Text.size();
    Number value{};
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range)
        throw ScriptError("number " + Show(word) + " does not fit a " + std::string(typeName));
    // from_chars reads "nan" and "inf"; neither is a value the game can hold.
    if (ec != std::errc{} || end != last || !std::isfinite(value))
        throw ScriptError("expected a number, got " + Show(word));
    return value;
}

}  // namespace

std::vector<Word> SplitLine(std::string_view line) {
    std::vector<Word> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (IsSpace(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == kComment) break;
        Word word;
        if (line[i] == kQuote) {
            word.Quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == kQuote) {
                    closed = true;
                    break;
                }
                if (c == kEscape) {
                    if (i == line.size() || (line[i] != kQuote && line[i] != kEscape))
                        throw ScriptError("in a text only \\\" and \\\\ may follow a backslash");
                    word.Text += line[i++];
                    continue;
                }
                word.Text += c;
            }
            if (!closed) throw ScriptError("text without its closing double quote");
            if (i < line.size() && !IsSpace(line[i]) && line[i] != kComment)
                throw ScriptError("a space must follow the closing double quote");
        } else {
            while (i < line.size() && !IsSpace(line[i]) && line[i] != kComment) {
                if (line[i] == kQuote) throw ScriptError("a double quote inside a word");
                word.Text += line[i++];
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

double ParseDouble(const Word& word) { return ParseFloating<double>(word, "Double"); }

float ParseSingle(const Word& word) { return ParseFloating<float>(word, "Single"); }

std::int64_t ParseWhole(const Word& word, std::int64_t lo, std::int64_t hi) {
    if (word.Quoted) throw ScriptError("expected a whole number, got the text " + Show(word));
    const char* first = word.Text.data();
    const char* last = first + word.Text.size();
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc{} && end == last) {
        if (value < lo || value > hi)
            throw ScriptError("number " + Show(word) + " is outside " + std::to_string(lo) + " to " +
                              std::to_string(hi));
        return value;
    }
    if (ec == std::errc::result_out_of_range)
        throw ScriptError("number " + Show(word) + " is outside " + std::to_string(lo) + " to " +
                          std::to_string(hi));
    throw ScriptError("expected a whole number, got " + Show(word));
}

std::string Quote(std::string_view text) {
    std::string quoted(1, kQuote);
    for (const char c : text) {
        if (c == kQuote || c == kEscape) quoted += kEscape;
        quoted += c;
    }
    quoted += kQuote;
    return quoted;
}

std::string Show(const Word& word) {
    // Messages stay one readable line whatever bytes a script holds.
    constexpr std::size_t kShownChars = 40;
    constexpr char kHex[] = "0123456789abcdef";
    constexpr unsigned char kFirstPrintable = 0x20, kDelete = 0x7f;
    std::string shown;
    if (word.Quoted) shown += kQuote;
    for (std::size_t i = 0; i < word.Text.size() && i < kShownChars; ++i) {
        const auto c = static_cast<unsigned char>(word.Text[i]);
        if (c < kFirstPrintable || c >= kDelete) {
            shown += "\\x";
            shown += kHex[c >> 4];
            shown += kHex[c & 0xf];
            continue;
        }
        if (word.Quoted && (c == kQuote || c == kEscape)) shown += kEscape;
        shown += static_cast<char>(c);
    }
    if (word.Text.size() > kShownChars) shown += "...";
    if (word.Quoted) shown += kQuote;
    return shown;
}

}  // namespace quondra::sim
