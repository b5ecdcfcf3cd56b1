// Fake child controls: windows of the fake system with a parent, a style and bounds, an edit
// control that behaves as the system's does in what the tests need (text, selection, limit,
// read-only, typing, paste and cut through its own messages, focus on a press), the focus
// and the capture with their notifications, and paint sessions recorded as data.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "support/FakeCanvas.h"
#include "support/FakePorts.h"

// Made, it serves the "EDIT" class of windows and keeps the state of every child window.
class TFakeControls : public IControls, private TFakeWindows::IObserver {
public:
  explicit TFakeControls(TFakeWindows& windows);
  ~TFakeControls() override;

  TLResult SendMessageTo(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;
  std::string ReadText(TWnd window) override;
  void WriteText(TWnd window, const std::string& text) override;
  TRect Bounds(TWnd window) override;
  TRect ClientRect(TWnd window) override;
  void MoveWindow(TWnd window, const TRect& bounds) override;
  void SetEditRect(TWnd edit, const TRect& rect) override;
  void Invalidate(TWnd window) override;
  void Paint(TWnd window, const std::function<void(ICanvas&)>& paint) override;
  TWnd GetFocus() override { return FFocus; }
  void SetFocus(TWnd window) override;
  bool CanFocus(TWnd window) override;
  TWnd NextTabStop(TWnd window, bool previous) override;
  std::int16_t GetKeyState(int vk) override { return KeysDown.count(vk) ? -128 : 0; }
  bool DialogQueryMessage(TLParam lParam, std::uint32_t& msg, TWParam& wParam) override;
  TWnd NotificationSource(TWnd parent, std::uint32_t msg, TWParam wParam, TLParam lParam) override;
  void SetCapture(TWnd window) override;
  void ReleaseCapture() override;
  TWnd GetCapture() override { return FCapture; }
  void MessageBeep(std::uint32_t type) override { Beeps.push_back(type); }
  char DecimalSeparator() override { return Separator; }
  TBitmapHandle LoadBitmapResource(const std::string& name) override;
  void ReleaseBitmap(TBitmapHandle bitmap) override;
  bool BitmapSize(TBitmapHandle bitmap, int& width, int& height) override;
  int FontHeight(TFontHandle font) override;
  int SystemMetric(int index) override { return index == win::SM_CYBORDER ? CyBorder : 0; }
  int ScreenDpi() override { return Dpi; }
  bool FontFamilyExists(const std::string& face) override { return InstalledFonts.count(face) > 0; }
  TFontHandle MakeFont(const TFontSpec& spec) override;
  void ReleaseFont(TFontHandle font) override;
  // Each character (a UTF-8 sequence, "&" left out) is half the font's height wide.
  TPoint TextExtent(TFontHandle font, const std::string& text) override;
  // A caption 20 pixels high over a 3-pixel frame.
  TRect WindowRectForClient(const TRect& client, std::uint32_t style, std::uint32_t exStyle) override;
  std::uint32_t GetStyle(TWnd window) override;
  void SetStyle(TWnd window, std::uint32_t style) override;
  bool IsChild(TWnd parent, TWnd window) override;

  // What WM_GETDLGCODE's lParam points to in a test: the key the dialog manager asks about.
  struct TQueriedMessage {
    std::uint32_t Msg;
    TWParam WParam;
  };

  // What WM_NOTIFY's, WM_DRAWITEM's and WM_MEASUREITEM's lParam points to in a test: the
  // parts of NMHDR, DRAWITEMSTRUCT and MEASUREITEMSTRUCT that name the control.
  struct TNotice {
    TWnd Window = 0;            // hwndFrom, hwndItem (MEASUREITEMSTRUCT has none)
    std::uint32_t CtlType = 0;  // ODT_MENU for a menu's item
    std::uint32_t CtlId = 0;
  };

  struct TChild {
    std::string ClassName;
    TWnd Parent = 0;
    std::uint32_t Style = 0;
    std::uint32_t ExStyle = 0;
    std::uint32_t Id = 0;
    TRect Bounds;
    bool Enabled = true;
    // the edit's state
    std::string Text;
    TRect EditRect;
    std::size_t Limit = 0;  // 0: none of its own
    bool ReadOnly = false;
    std::size_t SelStart = 0, SelEnd = 0;
    TFontHandle Font = 0;
    bool DialogMode = false;                  // a dialog manager asked it about a key
    std::vector<std::uint32_t> EditMessages;  // what reached the edit's own procedure
    int Invalidations = 0;
  };
  const TChild* Child(TWnd window) const;
  TChild* Child(TWnd window);
  std::vector<TWnd> Children(TWnd parent) const;
  TWnd ChildOf(TWnd parent, const std::string& className) const;
  bool Exists(TWnd window) const { return FChildren.count(window) > 0; }

  // One element drawn in a paint session.
  struct TPaintOp {
    enum TKind { Face, Glyph, FocusFrame } Kind;
    TWnd Window;
    TRect Rect;                // face and focus frame; the glyph's place
    bool Pressed = false;      // face
    TBitmapHandle Bitmap = 0;  // glyph
    TRect Source;              // glyph
    bool Enabled = true;       // glyph
    friend bool operator==(const TPaintOp&, const TPaintOp&) = default;
  };
  std::vector<TPaintOp> Painted;
  // Everything else drawn on the fake canvases (menus' items among them).
  std::vector<TCanvasOp> CanvasOps;

  // A bitmap of the test's own, live until released.
  TBitmapHandle MakeBitmap(int width, int height);
  std::string BitmapName(TBitmapHandle bitmap) const;
  std::size_t LiveBitmaps() const { return FBitmaps.size(); }
  int BadBitmapReleases = 0;
  // The program's bitmap resources by upper-case name, with their sizes.
  std::map<std::string, std::pair<int, int>> BitmapResources{{"SPINUP", {9, 6}}, {"SPINDOWN", {9, 6}}};

  // The user: a key pressed and released on the window with the focus, with the character
  // TranslateMessage makes of it sent to that same window (0: none).
  void PressKey(std::uint8_t vk, unsigned ch = 0);
  // Characters typed one by one, each as its key and its character.
  void TypeText(const std::string& text);

  int Dpi = 96;
  std::set<std::string> InstalledFonts{"ＭＳ Ｐゴシック"};
  // The fonts made and not yet released, with what they were made from.
  std::map<TFontHandle, TFontSpec> LiveFonts;

  std::vector<std::uint32_t> Beeps;
  char Separator = '.';
  int SystemFontHeight = 16;
  std::map<TFontHandle, int> FontHeights;
  int CyBorder = 1;
  std::set<int> KeysDown;
  std::string Clipboard;

private:
  class TEditProc;
  class TCanvas;
  void WindowCreated(TWnd window, const TCreateParams& params) override;
  void WindowDestroying(TWnd window) override;
  void WindowDestroyed(TWnd window) override;
  TWnd Root(TWnd window) const;
  void Descendants(TWnd parent, std::vector<TWnd>& out) const;

  TFakeWindows& FWindows;
  std::map<TWnd, TChild> FChildren;
  std::unique_ptr<TEditProc> FEditProc;
  TWnd FFocus = 0;
  TWnd FCapture = 0;
  struct TBitmap {
    std::string Name;
    int Width, Height;
  };
  std::map<TBitmapHandle, TBitmap> FBitmaps;
  TBitmapHandle FNextBitmap = 0xB0000;
  TFontHandle FNextFont = 0xF0000;
};
