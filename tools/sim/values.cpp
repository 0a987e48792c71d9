#include "values.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace quondra::sim {
namespace {

template <typename Number>
std::string Shortest(Number value) {
    // A NaN's sign is whatever the processor's arithmetic left: printed bare,
    // the transcript is the same on every machine.
    if constexpr (std::is_floating_point_v<Number>)
        if (std::isnan(value)) return "nan";
    // Without a precision to_chars writes the fewest digits that read back exactly.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

template <typename Int>
double ParseInt(const Word& word) {
    return static_cast<double>(
        ParseWhole(word, std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max()));
}

double Number(const Value& v) {
    if (const double* d = std::get_if<double>(&v)) return *d;
    return 0;
}

}  // namespace

const char* TypeName(ValueType type) {
    switch (type) {
        case ValueType::Single: return "Single";
        case ValueType::Double: return "Double";
        case ValueType::Integer: return "Integer";
        case ValueType::Long: return "Long";
        case ValueType::Boolean: return "Boolean";
        case ValueType::Text: return "text";
    }
    return "value";
}

Value ParseValue(ValueType type, const Word& word) {
    switch (type) {
        case ValueType::Single: return static_cast<double>(ParseSingle(word));
        case ValueType::Double: return ParseDouble(word);
        case ValueType::Integer: return ParseInt<std::int16_t>(word);
        case ValueType::Long: return ParseInt<std::int32_t>(word);
        case ValueType::Boolean:
            if (!word.Quoted && word.Text == "true") return true;
            if (!word.Quoted && word.Text == "false") return false;
            throw ScriptError("expected true or false, got " + Show(word));
        case ValueType::Text:
            if (!word.Quoted) throw ScriptError("expected a text in double quotes, got " + Show(word));
            // Refused where it is written: printed, it would be a line too
            // long to read back, and cutting or splitting it would print a
            // value that reads back as another.
            if (const std::size_t printed = Quote(word.Text).size(); printed > kMaxPrintedTextBytes)
                throw ScriptError("a text that prints in " + std::to_string(printed) + " bytes, more than the " +
                                  std::to_string(kMaxPrintedTextBytes) + " that read back in one line");
            return word.Text;
    }
    throw ScriptError("value of an unknown type");
}

std::string FormatValue(ValueType type, const Value& value) {
    switch (type) {
        case ValueType::Single: return Shortest(static_cast<float>(Number(value)));
        case ValueType::Double: return Shortest(Number(value));
        case ValueType::Integer:
        case ValueType::Long: return Shortest(static_cast<std::int64_t>(Number(value)));
        case ValueType::Boolean: {
            const bool* b = std::get_if<bool>(&value);
            return b != nullptr && *b ? "true" : "false";
        }
        case ValueType::Text: {
            const std::string* s = std::get_if<std::string>(&value);
            return Quote(s != nullptr ? *s : std::string());
        }
    }
    return {};
}

bool Matches(ValueType type, const Value& actual, const Value& expected, double tolerance) {
    // An infinity matches only itself and a NaN only a NaN: their difference
    // is never within a tolerance.
    const auto near = [tolerance](double a, double e) {
        if (std::isnan(a) || std::isnan(e)) return std::isnan(a) && std::isnan(e);
        return a == e || std::fabs(a - e) <= tolerance;
    };
    switch (type) {
        case ValueType::Single:
            // Compared as stored: both sides are floats, so "0.1" means 0.1f.
            return near(static_cast<double>(static_cast<float>(Number(actual))),
                        static_cast<double>(static_cast<float>(Number(expected))));
        case ValueType::Double:
        case ValueType::Integer:
        case ValueType::Long: return near(Number(actual), Number(expected));
        case ValueType::Boolean:
        case ValueType::Text: return actual == expected;
    }
    return false;
}

}  // namespace quondra::sim
