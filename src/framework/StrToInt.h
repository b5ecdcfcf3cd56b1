// The one integer conversion of the program, shared by the settings file and the numeric
// fields: a signed 32-bit number in decimal, or in hexadecimal behind "$", "x", "X", "0x" or
// "0X" (at most eight significant digits, taken as the 32-bit pattern), with an optional sign
// before either form. Leading spaces are skipped; nothing may follow the digits.
#pragma once

#include <cstdint>
#include <string_view>

bool TryStrToInt(std::string_view text, std::int32_t& value);
std::int32_t StrToIntDef(std::string_view text, std::int32_t defaultValue);
