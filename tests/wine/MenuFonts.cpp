// The tray menus' captions against the fonts they are drawn in, on the real system under
// Wine: the options window made as Vantrel makes it, with its two menus; each caption's font
// asked of its menu, and that font's glyph indices for the caption's characters. None may be
// the missing glyph (0xFFFF with GGI_MARK_NONEXISTING_GLYPHS): the menu would draw it as an
// empty box.
//
//   wine_menu_fonts.exe <path\to\Vantrel.exe>
//
// Run with an ordinary Wine's fonts and in the C locale (run-wine-tests.sh: no Japanese face
// linked behind the UI fonts), where the menu font has no Japanese: Tahoma has "A" and no "環"
// there, and so has the menu font.
//
// Prints "ok - ..." / "FAIL - ..." lines and a final "N passed, M failed".
#include "app/Vantrel.h"
#include "platform/win32/Win32System.h"
#include "ui/Form1.h"

#include "platform/win32/Win32.h"

#include "kit/Report.h"

#include <vector>

using namespace kit;

namespace {

// The face of a font and the caption's characters it has no glyph for (as \uXXXX).
std::string Missing(TFontHandle font, const std::wstring& text, std::string& face) {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(font));
  wchar_t name[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, name);
  face = Narrow(name);
  std::vector<WORD> glyphs(text.size());
  const bool read = GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                                     GGI_MARK_NONEXISTING_GLYPHS) == text.size();
  std::string missing = read ? "" : "no glyph indices";
  for (size_t i = 0; read && i < text.size(); ++i)
    if (glyphs[i] == 0xFFFF) missing += Format("\\u%04X ", static_cast<unsigned>(text[i]));
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return missing;
}

}  // namespace

int wmain(int, wchar_t**) {
  TWin32System win32;
  TApplication application(win32.System, ApplicationTitle);
  TForm1 form(application, win32.System);
  std::string face;
  for (TPopupMenu* menu : {static_cast<TPopupMenu*>(form.MenuR), form.MenuL})
    for (const TMenuItem* item : menu->Items()) {
      if (item->IsSeparator()) continue;
      std::wstring text;  // as shown: "&" marks the accelerator
      for (const wchar_t c : Widen(item->Caption))
        if (c != L'&') text += c;
      const std::string missing = Missing(menu->CaptionFont(item->Caption), text, face);
      Check(missing.empty(), "\"" + item->Caption + "\" is drawn in " + face + ", which has every glyph of it",
            "no missing glyph", missing);
    }
  const std::string menuMissing = Missing(win32.Menus.MenuFont(), L"環", face);
  Check(!menuMissing.empty(), "the menu font (" + face + ") has no glyph for 環", "missing", "a glyph");
  TFontSpec tahoma;
  tahoma.Face = "Tahoma";
  tahoma.Height = -11;
  tahoma.CharSet = 1;  // DEFAULT_CHARSET
  const TOwnedFont font(win32.Drawing, win32.Drawing.MakeFont(tahoma));
  Missing(font.Get(), L"A", face);
  const bool latin = win32.Drawing.FontHasGlyphs(font.Get(), "A"), kanji = win32.Drawing.FontHasGlyphs(font.Get(), "環");
  Check(latin && !kanji, "FontHasGlyphs: Tahoma (" + face + " here) has \"A\" and no \"環\"", "A yes, 環 no",
        Format("A %s, 環 %s", latin ? "yes" : "no", kanji ? "yes" : "no"));
  // Without a taskbar, as in this session, Wine takes 2 s to take a tray icon away: the
  // program ends here, its report printed, without taking the form down.
  ExitProcess(static_cast<UINT>(Summary()));
}
