// Sizes given for 96 pixels per inch (the form's layout, the menus' geometry) and their
// size on the screen at hand.
#pragma once

#include <cmath>
#include <cstdint>

// v × numerator / denominator, rounded to the nearest integer (halves away from zero).
inline std::int32_t ScaleValue(std::int32_t v, std::int32_t numerator, std::int32_t denominator) {
  if (denominator == 0) return v;
  return static_cast<std::int32_t>(std::llround(static_cast<double>(v) * numerator / denominator));
}
