#include "ui/SpinLayout.h"

#include <algorithm>

#include "platform/WinApi.h"

using namespace win;

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
    case TAlignment::taLeftJustify: return ES_LEFT | ES_MULTILINE;
    case TAlignment::taRightJustify: return ES_RIGHT | ES_MULTILINE;
    case TAlignment::taCenter: return ES_CENTER | ES_MULTILINE;
  }
  return ES_LEFT | ES_MULTILINE;
}

}  // namespace SpinLayout
