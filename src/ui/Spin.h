// The numeric field: an edit that holds one signed 32-bit integer as decimal text, within a
// range, with a pair of arrow buttons inside its right edge. This unit holds the value rules
// (conversion, range, steps, character filter, focus leave) and the layout formulas; they use
// nothing but integers and characters, so they run without a window.
#pragma once

#include <functional>

#include "framework/Controls.h"

namespace win {
constexpr std::uint8_t VK_UP = 0x26;
constexpr std::uint8_t VK_DOWN = 0x28;
}  // namespace win

class TSpinEdit : public TCustomEdit {
public:
  TSpinEdit(TComponent* owner, std::string name);

  std::int32_t MinValue = 0;
  std::int32_t MaxValue = 0;
  std::int32_t Increment = 1;
  bool EditorEnabled = true;
  int MaxLength = 0;
  bool ReadOnly = false;
  bool AutoSelect = true;
  // The locale's decimal separator, which the filter lets through.
  char DecimalSeparator = '.';
  // The default beep (MessageBeep(0)) for refused input.
  std::function<void()> Beep;

  // The text converted; a text that is no number reads as MinValue. No range applies.
  std::int32_t Value() const;
  // The text becomes the decimal form of ClampValue(v).
  void SetValue(std::int32_t v);
  // No range at all while MinValue equals MaxValue.
  std::int32_t ClampValue(std::int32_t v) const;

  virtual bool IsAcceptedChar(char c) const;
  virtual void StepUp();
  virtual void StepDown();

  // Key-down hook: Up and Down step; the key then goes on to the edit either way.
  void KeyDown(std::uint8_t vk);
  // Key-press hook: false when the character is refused (it is dropped, with the beep).
  bool KeyPress(char c);
  // Paste and cut are carried out only on an editable field; otherwise ignored silently.
  bool CanPasteOrCut() const { return EditorEnabled && !ReadOnly; }
  // Leaving the field brings a reading outside the range into it; any other text stays.
  void DoExit();

private:
  void Step(std::int64_t delta);
};

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TSpEdit : public TSpinEdit {
public:
  TSpEdit(TComponent* owner, std::string name) : TSpinEdit(owner, std::move(name)) {}
  TAlignment Alignment = TAlignment::taRightJustify;
};

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
