#include "framework/StrToInt.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool TryStrToInt(std::string_view s, std::int32_t& value) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

  bool hex = false;
  if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == s.size()) return false;  // empty, a sign or a prefix alone

  std::uint64_t magnitude = 0;
  int significant = 0;
  for (; i < s.size(); ++i) {
    const int d = hex ? HexDigit(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
    if (d < 0) return false;
    if (hex) {
      if (significant > 0 || d != 0) ++significant;
      if (significant > 8) return false;
      magnitude = magnitude * 16 + static_cast<unsigned>(d);
    } else {
      magnitude = magnitude * 10 + static_cast<unsigned>(d);
      if (magnitude > 2147483648ull) return false;
    }
  }
  if (hex) {
    // The digits are a bit pattern: FFFFFFFF is -1, and a sign applies to that value.
    const std::int32_t pattern = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
    value = negative ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(pattern)) : pattern;
    return true;
  }
  if (!negative && magnitude > 2147483647ull) return false;
  value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                   : static_cast<std::int32_t>(magnitude);
  return true;
}

std::int32_t StrToIntDef(std::string_view text, std::int32_t defaultValue) {
  std::int32_t value;
  return TryStrToInt(text, value) ? value : defaultValue;
}

std::optional<std::int64_t> WholeNumber(std::string_view text) {
  constexpr std::int64_t limit = std::int64_t{1} << 62;
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = std::min(limit, value * 10 + (c - '0'));
  }
  return negative ? -value : value;
}
