#include "ui/Spin.h"

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
