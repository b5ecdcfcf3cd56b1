// The program's integer conversions. StrToInt, shared by the settings file and the numeric
// fields' reading: a signed 32-bit number in decimal, or in hexadecimal behind "$", "x", "X",
// "0x" or "0X" (at most eight significant digits, taken as the 32-bit pattern), with an
// optional sign before either form; leading spaces are skipped, nothing may follow the
// digits. WholeNumber, for what the program takes as a value a user meant (a field's value,
// the advanced settings' keys): decimal only, saturating instead of failing on a long one.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

bool TryStrToInt(std::string_view text, std::int32_t& value);
// A whole number as a user types one: blanks, an optional sign, decimal digits, blanks;
// nothing else. Beyond what 62 bits hold it saturates. Empty when the text is no such number.
std::optional<std::int64_t> WholeNumber(std::string_view text);
std::int32_t StrToIntDef(std::string_view text, std::int32_t defaultValue);
