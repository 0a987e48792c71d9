#pragma once

#include <string>

#include "game/named_access.h"
#include "script_parser.h"

namespace quondra::sim {

// Reads a script word as a value of the property's stored type: a number that
// fits it, true or false, or a quoted text. Anything else throws ScriptError.
Value ParseValue(ValueType type, const Word& word);

// The shortest text that reads back to the same stored value: float digits for
// a Single, double digits for a Double, integers, true/false, quoted texts.
std::string FormatValue(ValueType type, const Value& value);

// Whether a stored value matches an expected one; numbers within tolerance.
bool Matches(ValueType type, const Value& actual, const Value& expected, double tolerance);

const char* TypeName(ValueType type);

}  // namespace quondra::sim
