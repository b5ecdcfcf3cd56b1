#include "ui/Spin.h"

#include <algorithm>
#include <limits>

#include "framework/StrToInt.h"

TSpinEdit::TSpinEdit(TComponent* owner, std::string name) : TCustomEdit(owner, std::move(name)) {
  SetText("0");
}

std::int32_t TSpinEdit::Value() const { return StrToIntDef(Text(), MinValue); }

void TSpinEdit::SetValue(std::int32_t v) { SetText(std::to_string(ClampValue(v))); }

std::int32_t TSpinEdit::ClampValue(std::int32_t v) const {
  if (MinValue == MaxValue) return v;
  if (v < MinValue) return MinValue;
  if (v > MaxValue) return MaxValue;
  return v;
}

// A step near the 32-bit limits saturates instead of wrapping round to the other end, then
// meets the range rule.
void TSpinEdit::Step(std::int64_t delta) {
  if (ReadOnly) {
    if (Beep) Beep();
    return;
  }
  const std::int64_t sum = std::int64_t{Value()} + delta;
  SetValue(static_cast<std::int32_t>(std::clamp<std::int64_t>(
      sum, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max())));
}

void TSpinEdit::StepUp() { Step(Increment); }
void TSpinEdit::StepDown() { Step(-std::int64_t{Increment}); }

bool TSpinEdit::IsAcceptedChar(char ch) const {
  const auto c = static_cast<unsigned char>(ch);
  const bool accepted = (c >= '0' && c <= '9') || c == '+' || c == '-' ||
                        c == static_cast<unsigned char>(DecimalSeparator) || (c < 32 && c != 13);
  if (!EditorEnabled && (c >= 32 || c == 8)) return false;
  return accepted;
}

void TSpinEdit::KeyDown(std::uint8_t vk) {
  if (vk == win::VK_UP) StepUp();
  if (vk == win::VK_DOWN) StepDown();
}

bool TSpinEdit::KeyPress(char c) {
  if (IsAcceptedChar(c)) return true;
  if (Beep) Beep();
  return false;
}

void TSpinEdit::DoExit() {
  const std::int32_t v = Value();
  if (ClampValue(v) != v) SetValue(v);
}

namespace SpinLayout {

int MinimumHeight(int fontHeight, int systemFontHeight, int cyBorder) {
  return fontHeight + std::min(systemFontHeight, fontHeight) / 4 + 4 * cyBorder + 2;
}

int AutoHeight(int fontHeight, int cyBorder, bool look3D) {
  return fontHeight + (look3D ? 8 : 6) * cyBorder;
}

TRect ArrowPairBounds(int fieldWidth, int fieldHeight, bool look3D) {
  const int bw = ArrowPairWidth;
  if (look3D) return {fieldWidth - bw - 5, 0, fieldWidth - 5, fieldHeight - 5};
  return {fieldWidth - bw, 1, fieldWidth, 1 + fieldHeight - 3};
}

TRect EditRect(int clientWidth, int clientHeight) {
  return {0, 0, clientWidth - ArrowPairWidth - 2, clientHeight + 1};
}

TArrowLayout FitArrows(int width, int height) {
  const int w = std::max(width, ArrowPairWidth);
  const int u = height / 2;
  return {w, height, {0, 0, w, u}, {0, u - 1, w, u - 1 + (height - u + 1)}};
}

std::uint32_t AlignmentStyle(TAlignment alignment) {
  switch (alignment) {
    case TAlignment::taLeftJustify: return 4;   // ES_LEFT | ES_MULTILINE
    case TAlignment::taRightJustify: return 6;  // ES_RIGHT | ES_MULTILINE
    case TAlignment::taCenter: return 5;        // ES_CENTER | ES_MULTILINE
  }
  return 4;
}

}  // namespace SpinLayout
