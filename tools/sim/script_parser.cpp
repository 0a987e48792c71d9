#include "script_parser.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace quondra::sim {
namespace {

constexpr char kQuote = '"';
constexpr char kEscape = '\\';
constexpr char kComment = '#';
// "\xHH" writes any byte in a text, so every text the console prints reads back.
constexpr char kByteEscape = 'x';
constexpr char kHex[] = "0123456789abcdef";
constexpr unsigned char kFirstPrintable = 0x20, kDelete = 0x7f;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Control bytes and bytes beyond ASCII as "\xHH": a terminal shown the
// transcript obeys none of them, and the text stays one line.
void AppendEscaped(std::string& out, unsigned char c, bool quoted) {
    if (c < kFirstPrintable || c >= kDelete) {
        out += kEscape;
        out += kByteEscape;
        out += kHex[c >> 4];
        out += kHex[c & 0xf];
        return;
    }
    if (quoted && (c == kQuote || c == kEscape)) out += kEscape;
    out += static_cast<char>(c);
}

template <typename Number>
Number ParseFloating(const Word& word, std::string_view typeName) {
    if (word.Quoted) throw ScriptError("expected a number, got the text " + Show(word));
    const char* first = word.Text.data();
    const char* last = first + word.Text.size();
    Number value{};
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range)
        throw ScriptError("number " + Show(word) + " does not fit a " + std::string(typeName));
    // "nan", "inf" and "-inf" are read too: the game's sums can reach them, the
    // console prints them, and what it prints must read back.
    if (ec != std::errc{} || end != last) throw ScriptError("expected a number, got " + Show(word));
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
                    if (i < line.size() && (line[i] == kQuote || line[i] == kEscape)) {
                        word.Text += line[i++];
                        continue;
                    }
                    if (i + 2 < line.size() && line[i] == kByteEscape && HexDigit(line[i + 1]) >= 0 &&
                        HexDigit(line[i + 2]) >= 0) {
                        word.Text += static_cast<char>(HexDigit(line[i + 1]) * 16 + HexDigit(line[i + 2]));
                        i += 3;
                        continue;
                    }
                    throw ScriptError("in a text only \\\", \\\\ and \\xHH may follow a backslash");
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
    for (const char c : text) AppendEscaped(quoted, static_cast<unsigned char>(c), true);
    quoted += kQuote;
    return quoted;
}

std::string Escape(std::string_view text) {
    std::string escaped;
    for (const char c : text) AppendEscaped(escaped, static_cast<unsigned char>(c), false);
    return escaped;
}

std::string Show(const Word& word) {
    // Messages stay one readable line whatever bytes a script holds.
    constexpr std::size_t kShownChars = 40;
    std::string shown;
    if (word.Quoted) shown += kQuote;
    for (std::size_t i = 0; i < word.Text.size() && i < kShownChars; ++i)
        AppendEscaped(shown, static_cast<unsigned char>(word.Text[i]), word.Quoted);
    if (word.Text.size() > kShownChars) shown += "...";
    if (word.Quoted) shown += kQuote;
    return shown;
}

}  // namespace quondra::sim
