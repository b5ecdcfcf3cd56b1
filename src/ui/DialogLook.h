// The look the program's windows share: "ＭＳ Ｐゴシック" at 12 pixels, or where that face is
// missing (most systems without Japanese support, Wine) the first installed face with
// Japanese glyphs at the same height; the last one is the system's.
#pragma once

#include "framework/Form.h"
#include "platform/WinApi.h"

inline void UseDialogLook(TCustomForm& form) {
  form.DesignFont = {"ＭＳ Ｐゴシック", -12, win::SHIFTJIS_CHARSET};
  form.FallbackFaces = {"MS PGothic", "MS UI Gothic", "Meiryo UI", "Yu Gothic UI", "IPAPGothic",
                        "IPAGothic", "VL PGothic", "Noto Sans CJK JP", "MS Shell Dlg 2"};
}
