// The numeric field: an edit that holds one signed 32-bit integer as decimal text, within a
// range. Reading Value converts the text and applies no range; writing it does.
#pragma once

#include "framework/Controls.h"

class TSpinEdit : public TCustomEdit {
public:
  TSpinEdit(TComponent* owner, std::string name);

  std::int32_t MinValue = 0;
  std::int32_t MaxValue = 0;
  std::int32_t Increment = 1;
  int MaxLength = 0;

  // The text converted; a text that is no number reads as MinValue.
  std::int32_t Value() const;
  // The text becomes the decimal form of ClampValue(v).
  void SetValue(std::int32_t v);
  // No range at all while MinValue equals MaxValue.
  std::int32_t ClampValue(std::int32_t v) const;
};

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TSpEdit : public TSpinEdit {
public:
  TSpEdit(TComponent* owner, std::string name) : TSpinEdit(owner, std::move(name)) {}
  TAlignment Alignment = TAlignment::taRightJustify;
};
