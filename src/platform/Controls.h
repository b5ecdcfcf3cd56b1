// Child controls inside a window (made, as every window, by IWindows::CreateWindowFrom): the
// messages they take, the keyboard focus and the mouse capture, painting, bitmap resources
// and the few measurements a control needs (text metrics, system metrics, the locale's
// decimal separator).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Environment.h"
#include "platform/Shell.h"  // the mouse message numbers
#include "platform/Types.h"
#include "platform/Windows.h"

using TBitmapHandle = std::uintptr_t;  // an HBITMAP's value; 0 is no bitmap
using TFontHandle = std::uintptr_t;    // an HFONT's value; 0 is the system font

namespace win {
// edit styles
constexpr std::uint32_t ES_LEFT = 0x0000;
constexpr std::uint32_t ES_CENTER = 0x0001;
constexpr std::uint32_t ES_RIGHT = 0x0002;
constexpr std::uint32_t ES_MULTILINE = 0x0004;
constexpr std::uint32_t ES_AUTOVSCROLL = 0x0040;
constexpr std::uint32_t ES_AUTOHSCROLL = 0x0080;
constexpr std::uint32_t ES_READONLY = 0x0800;
// window messages
constexpr std::uint32_t WM_SETFOCUS = 0x0007;
constexpr std::uint32_t WM_KILLFOCUS = 0x0008;
constexpr std::uint32_t WM_PAINT = 0x000F;
constexpr std::uint32_t WM_ERASEBKGND = 0x0014;
constexpr std::uint32_t WM_CANCELMODE = 0x001F;
constexpr std::uint32_t WM_SETFONT = 0x0030;
constexpr std::uint32_t WM_DRAWITEM = 0x002B;
constexpr std::uint32_t WM_MEASUREITEM = 0x002C;
constexpr std::uint32_t WM_NOTIFY = 0x004E;
constexpr std::uint32_t WM_GETDLGCODE = 0x0087;
constexpr std::uint32_t WM_KEYDOWN = 0x0100;
constexpr std::uint32_t WM_KEYUP = 0x0101;
constexpr std::uint32_t WM_CHAR = 0x0102;
constexpr std::uint32_t WM_COMMAND = 0x0111;
constexpr std::uint32_t WM_IME_COMPOSITION = 0x010F;
constexpr std::uint32_t WM_CTLCOLORMSGBOX = 0x0132;
constexpr std::uint32_t WM_CTLCOLOREDIT = 0x0133;
constexpr std::uint32_t WM_CTLCOLORLISTBOX = 0x0134;
constexpr std::uint32_t WM_CTLCOLORBTN = 0x0135;
constexpr std::uint32_t WM_CTLCOLORDLG = 0x0136;
constexpr std::uint32_t WM_CTLCOLORSCROLLBAR = 0x0137;
constexpr std::uint32_t WM_CTLCOLORSTATIC = 0x0138;
constexpr std::uint32_t WM_CAPTURECHANGED = 0x0215;
constexpr std::uint32_t WM_IME_CHAR = 0x0286;
constexpr std::uint32_t WM_CUT = 0x0300;
constexpr std::uint32_t WM_PASTE = 0x0302;
// edit messages
constexpr std::uint32_t EM_GETSEL = 0x00B0;
constexpr std::uint32_t EM_SETSEL = 0x00B1;
constexpr std::uint32_t EM_LIMITTEXT = 0x00C5;
constexpr std::uint32_t EM_SETREADONLY = 0x00CF;
// WM_GETDLGCODE answers
constexpr TLResult DLGC_WANTARROWS = 0x0001;
constexpr TLResult DLGC_WANTTAB = 0x0002;
constexpr TLResult DLGC_WANTALLKEYS = 0x0004;
constexpr TLResult DLGC_HASSETSEL = 0x0008;
constexpr TLResult DLGC_WANTCHARS = 0x0080;
// owner-drawn item types (DRAWITEMSTRUCT, MEASUREITEMSTRUCT)
constexpr std::uint32_t ODT_MENU = 1;
constexpr std::uint32_t ODT_BUTTON = 4;
// mouse message key flags (wParam)
constexpr TWParam MK_LBUTTON = 0x0001;
constexpr TWParam MK_RBUTTON = 0x0002;
constexpr TWParam MK_MBUTTON = 0x0010;
// WM_IME_COMPOSITION: the composition is finished and its result is in the message
constexpr TLParam GCS_RESULTSTR = 0x0800;
// virtual keys
constexpr std::uint8_t VK_TAB = 0x09;
constexpr std::uint8_t VK_SPACE = 0x20;
constexpr std::uint8_t VK_UP = 0x26;
constexpr std::uint8_t VK_DOWN = 0x28;
// GetSystemMetrics
constexpr int SM_CYBORDER = 6;
// button styles, messages and notifications
constexpr std::uint32_t BS_PUSHBUTTON = 0x0000;
constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x0001;
constexpr std::uint32_t BS_CHECKBOX = 0x0002;
constexpr std::uint32_t BS_GROUPBOX = 0x0007;
constexpr std::uint32_t BS_AUTORADIOBUTTON = 0x0009;
constexpr std::uint32_t BM_SETCHECK = 0x00F1;
constexpr TWParam BST_UNCHECKED = 0;
constexpr TWParam BST_CHECKED = 1;
constexpr std::uint16_t BN_CLICKED = 0;
// static styles
constexpr std::uint32_t SS_LEFT = 0x0000;
// dialog navigation
constexpr std::uint32_t WM_ACTIVATE = 0x0006;
constexpr std::uint32_t WM_NEXTDLGCTL = 0x0028;
constexpr std::uint32_t DM_GETDEFID = 0x0400;  // WM_USER
constexpr TLResult DC_HASDEFID = 0x534B;
constexpr std::uint16_t WA_INACTIVE = 0;
constexpr std::uint32_t IDOK = 1;
constexpr std::uint32_t IDCANCEL = 2;
// system colours
constexpr int COLOR_BTNFACE = 15;
// font character sets
constexpr std::uint8_t SHIFTJIS_CHARSET = 128;
}  // namespace win

// What CreateFontIndirect is given: a face, a height in pixels (negative: the character
// height, as LOGFONT's lfHeight) and a character set; normal weight, upright.
struct TFontSpec {
  std::string Face;
  int Height = 0;
  std::uint8_t CharSet = 0;
};

// A paint session of one window (BeginPaint to EndPaint); coordinates are client pixels.
class ICanvas {
public:
  virtual ~ICanvas() = default;
  // DrawFrameControl(DFC_BUTTON, DFCS_BUTTONPUSH, plus DFCS_PUSHED when pressed): a push
  // button's face, edges and the button-face colour inside.
  virtual void DrawButtonFace(const TRect& rect, bool pressed) = 0;
  // The part source of bitmap, drawn with its top-left at (x, y); pixels of the colour of
  // the bitmap's lower-left pixel are left out (transparent). A disabled glyph is drawn as
  // its shape, embossed in the highlight and shadow colours of buttons.
  virtual void DrawGlyph(TBitmapHandle bitmap, const TRect& source, int x, int y, bool enabled) = 0;
  // DrawFocusRect: the dotted focus frame, drawn by inverting (drawing it twice removes it).
  virtual void DrawFocusRect(const TRect& rect) = 0;
};

class IControls {
public:
  virtual ~IControls() = default;

  // The child window a notification to parent is about: WM_COMMAND's and WM_CTLCOLOR*'s
  // lParam (0 for a menu or an accelerator), WM_NOTIFY's NMHDR hwndFrom, WM_DRAWITEM's
  // hwndItem and WM_MEASUREITEM's control by its CtlID (GetDlgItem); 0 for an item of a menu
  // (ODT_MENU) and for any other message.
  virtual TWnd NotificationSource(TWnd parent, std::uint32_t msg, TWParam wParam, TLParam lParam) = 0;
  // SendMessage: through the window's subclass hooks to its procedure, at once.
  virtual TLResult SendMessageTo(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) = 0;
  // GetWindowText / SetWindowText (WM_SETTEXT), as UTF-8.
  virtual std::string ReadText(TWnd window) = 0;
  virtual void WriteText(TWnd window, const std::string& text) = 0;

  // The window's rectangle in its parent's client coordinates.
  virtual TRect Bounds(TWnd window) = 0;
  // GetClientRect: left and top are 0.
  virtual TRect ClientRect(TWnd window) = 0;
  // MoveWindow with repainting, in the parent's client coordinates. A change of size reaches
  // the window as WM_SIZE before this returns.
  virtual void MoveWindow(TWnd window, const TRect& bounds) = 0;
  // EM_SETRECTNP: a multi-line edit's formatting rectangle, set without redrawing.
  virtual void SetEditRect(TWnd edit, const TRect& rect) = 0;
  // InvalidateRect(window, whole client area, no erase).
  virtual void Invalidate(TWnd window) = 0;
  // BeginPaint, paint on a canvas of the window, EndPaint (also when paint throws).
  virtual void Paint(TWnd window, const std::function<void(ICanvas&)>& paint) = 0;

  // GetFocus / SetFocus. The window losing the focus gets WM_KILLFOCUS, then the one
  // gaining it WM_SETFOCUS.
  virtual TWnd GetFocus() = 0;
  virtual void SetFocus(TWnd window) = 0;
  // Whether the window can take the focus: it and every parent up to its top-level window
  // are visible and enabled.
  virtual bool CanFocus(TWnd window) = 0;
  // GetNextDlgTabItem in the window's top-level window: the next tab stop after window (the
  // previous one when previous is set), in the order the controls were made; window itself
  // when it is the only one.
  virtual TWnd NextTabStop(TWnd window, bool previous) = 0;
  // GetKeyState: negative while the key was down when the message being handled was sent.
  virtual std::int16_t GetKeyState(int vk) = 0;
  // WM_GETDLGCODE's lParam: the message the dialog manager asks about (a MSG); false when
  // the query names none.
  virtual bool DialogQueryMessage(TLParam lParam, std::uint32_t& msg, TWParam& wParam) = 0;

  // SetCapture / ReleaseCapture / GetCapture. The window losing the capture gets
  // WM_CAPTURECHANGED with the new holder (or 0) in lParam.
  virtual void SetCapture(TWnd window) = 0;
  virtual void ReleaseCapture() = 0;
  virtual TWnd GetCapture() = 0;

  // MessageBeep(type); 0 is the default sound.
  virtual void MessageBeep(std::uint32_t type) = 0;
  // The user's locale's decimal separator (LOCALE_SDECIMAL) when it is one ASCII character,
  // else a full stop.
  virtual char DecimalSeparator() = 0;

  // LoadBitmap on the program's own module (names compare without regard to case); 0 when
  // the program has no such bitmap. The caller releases it (DeleteObject).
  virtual TBitmapHandle LoadBitmapResource(const std::string& name) = 0;
  virtual void ReleaseBitmap(TBitmapHandle bitmap) = 0;
  // GetObject: the bitmap's size in pixels; false when it is no bitmap.
  virtual bool BitmapSize(TBitmapHandle bitmap, int& width, int& height) = 0;
  // tmHeight of the font selected into the screen's device context; for font 0, of the
  // context's default font (the system font).
  virtual int FontHeight(TFontHandle font) = 0;
  // GetSystemMetrics.
  virtual int SystemMetric(int index) = 0;

  // GetDeviceCaps(LOGPIXELSY) of the screen: 96 unless the user chose larger text and the
  // program declares itself DPI-aware.
  virtual int ScreenDpi() = 0;
  // Whether a font family of that face name is installed (EnumFontFamiliesEx).
  virtual bool FontFamilyExists(const std::string& face) = 0;
  // CreateFontIndirect; 0 on failure. The caller releases it (DeleteObject).
  virtual TFontHandle MakeFont(const TFontSpec& spec) = 0;
  virtual void ReleaseFont(TFontHandle font) = 0;
  // The size of one line of text in the font, "&" marking the next character's underline
  // as a static control or a button shows it (DrawText with DT_CALCRECT | DT_SINGLELINE).
  virtual TPoint TextExtent(TFontHandle font, const std::string& text) = 0;
  // AdjustWindowRectEx: the outer rectangle of a top-level window (no menu) with the given
  // styles whose client area is client.
  virtual TRect WindowRectForClient(const TRect& client, std::uint32_t style, std::uint32_t exStyle) = 0;
  // GetWindowLong / SetWindowLong of GWL_STYLE.
  virtual std::uint32_t GetStyle(TWnd window) = 0;
  virtual void SetStyle(TWnd window, std::uint32_t style) = 0;
  // IsChild: window is a descendant of parent.
  virtual bool IsChild(TWnd parent, TWnd window) = 0;
};

