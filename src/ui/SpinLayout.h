// The numeric field's geometry: where its arrow pair goes, how high it must be for its font,
// the edit's formatting rectangle and its alignment styles. Plain integer formulas, shared by
// the field and the arrow pair.
#pragma once

#include <cstdint>

#include "framework/StandardControls.h"
#include "platform/Types.h"

// Layout of the field and its arrow pair, in pixels.
namespace SpinLayout {
constexpr int ArrowPairWidth = 15;
// The lowest height that shows the field's font: f + min(s, f) / 4 + 4 * border + 2, with f
// the font's and s the system font's tmHeight.
int MinimumHeight(int fontHeight, int systemFontHeight, int cyBorder);
// The edit's own automatic height for a font.
int AutoHeight(int fontHeight, int cyBorder, bool look3D);
// Where the arrow pair goes in a field of the given size.
TRect ArrowPairBounds(int fieldWidth, int fieldHeight, bool look3D);
// The formatting rectangle: one pixel taller than the client area, clear of the arrows.
TRect EditRect(int clientWidth, int clientHeight);
// The pair's size rule: at least 15 wide; the two arrows share one pixel row.
struct TArrowLayout {
  int Width, Height;
  TRect Up, Down;
};
TArrowLayout FitArrows(int width, int height);
// ES_* alignment style bits together with ES_MULTILINE.
std::uint32_t AlignmentStyle(TAlignment alignment);
}  // namespace SpinLayout
