// The Windows numbers the logic speaks in, in one place: message ids, styles, flags, virtual
// keys, system-metric indices. They carry their Win32 names so the logic reads like the
// platform it drives; the adapters pass them through unchanged. Adapters include this (through
// the ports) before <windows.h>, whose macros of the same names would otherwise rewrite these
// declarations.
// Every constant here has its line in platform/WinApiNames.h: the Windows build checks each
// value against the system headers (win32/WinApiCheck.cpp), and a test sees that none is
// missing from the list.
#pragma once

#include <cstdint>

#include "platform/Types.h"

namespace win {

// ---- windows and messages --------------------------------------------------------------

// window messages
constexpr std::uint32_t WM_NULL = 0x0000;
constexpr std::uint32_t WM_DESTROY = 0x0002;
constexpr std::uint32_t WM_SIZE = 0x0005;
constexpr std::uint32_t WM_SETFOCUS = 0x0007;
constexpr std::uint32_t WM_KILLFOCUS = 0x0008;
constexpr std::uint32_t WM_PAINT = 0x000F;
constexpr std::uint32_t WM_CLOSE = 0x0010;
constexpr std::uint32_t WM_QUERYENDSESSION = 0x0011;
constexpr std::uint32_t WM_QUIT = 0x0012;
constexpr std::uint32_t WM_ERASEBKGND = 0x0014;
constexpr std::uint32_t WM_ENDSESSION = 0x0016;
constexpr std::uint32_t WM_SHOWWINDOW = 0x0018;
constexpr std::uint32_t WM_CANCELMODE = 0x001F;
constexpr std::uint32_t WM_DRAWITEM = 0x002B;
constexpr std::uint32_t WM_MEASUREITEM = 0x002C;
constexpr std::uint32_t WM_SETFONT = 0x0030;
constexpr std::uint32_t WM_WINDOWPOSCHANGED = 0x0047;
constexpr std::uint32_t WM_NOTIFY = 0x004E;
constexpr std::uint32_t WM_CONTEXTMENU = 0x007B;
constexpr std::uint32_t WM_NCDESTROY = 0x0082;
constexpr std::uint32_t WM_GETDLGCODE = 0x0087;
constexpr std::uint32_t WM_KEYDOWN = 0x0100;
constexpr std::uint32_t WM_KEYUP = 0x0101;
constexpr std::uint32_t WM_CHAR = 0x0102;
constexpr std::uint32_t WM_IME_COMPOSITION = 0x010F;
constexpr std::uint32_t WM_COMMAND = 0x0111;
constexpr std::uint32_t WM_SYSCOMMAND = 0x0112;
constexpr std::uint32_t WM_TIMER = 0x0113;
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
constexpr std::uint32_t WM_HOTKEY = 0x0312;
constexpr std::uint32_t WM_USER = 0x0400;
// What WM_SIZE, WM_SHOWWINDOW and WM_SYSCOMMAND carry (a tray icon watches these on the
// application and owner windows)
constexpr TWParam SIZE_MINIMIZED = 1;
constexpr TLParam SW_PARENTCLOSING = 1;
constexpr TWParam SC_MINIMIZE = 0xF020;
constexpr TWParam SC_RESTORE = 0xF120;
// window styles
constexpr std::uint32_t WS_OVERLAPPED = 0x00000000;
constexpr std::uint32_t WS_POPUP = 0x80000000;
constexpr std::uint32_t WS_CHILD = 0x40000000;
constexpr std::uint32_t WS_VISIBLE = 0x10000000;
constexpr std::uint32_t WS_DISABLED = 0x08000000;
constexpr std::uint32_t WS_CLIPSIBLINGS = 0x04000000;
constexpr std::uint32_t WS_CLIPCHILDREN = 0x02000000;
constexpr std::uint32_t WS_CAPTION = 0x00C00000;  // WS_BORDER | WS_DLGFRAME
constexpr std::uint32_t WS_BORDER = 0x00800000;
constexpr std::uint32_t WS_DLGFRAME = 0x00400000;
constexpr std::uint32_t WS_SYSMENU = 0x00080000;
constexpr std::uint32_t WS_THICKFRAME = 0x00040000;
constexpr std::uint32_t WS_GROUP = 0x00020000;
constexpr std::uint32_t WS_TABSTOP = 0x00010000;
constexpr std::uint32_t WS_MINIMIZEBOX = 0x00020000;
constexpr std::uint32_t WS_MAXIMIZEBOX = 0x00010000;
// extended window styles
constexpr std::uint32_t WS_EX_DLGMODALFRAME = 0x00000001;
constexpr std::uint32_t WS_EX_TRANSPARENT = 0x00000020;
constexpr std::uint32_t WS_EX_TOOLWINDOW = 0x00000080;
constexpr std::uint32_t WS_EX_CLIENTEDGE = 0x00000200;
constexpr std::uint32_t WS_EX_CONTROLPARENT = 0x00010000;
// SetWindowPos flags and ShowWindow commands
constexpr std::uint32_t SWP_NOSIZE = 0x0001;
constexpr std::uint32_t SWP_NOMOVE = 0x0002;
constexpr std::uint32_t SWP_NOZORDER = 0x0004;
constexpr std::uint32_t SWP_NOACTIVATE = 0x0010;
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;
// message boxes
constexpr std::uint32_t MB_OK = 0x0000;
constexpr std::uint32_t MB_ICONERROR = 0x0010;
constexpr std::uint32_t MB_ICONINFORMATION = 0x0040;
constexpr std::uint32_t MB_YESNO = 0x0004;
constexpr std::uint32_t MB_ICONWARNING = 0x0030;
constexpr std::uint32_t MB_DEFBUTTON2 = 0x0100;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// ---- input and keys --------------------------------------------------------------------

// mouse messages, also what a tray icon's callback carries in lParam (version 0 and 3
// callbacks)
constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
constexpr std::uint32_t WM_RBUTTONDBLCLK = 0x0206;
constexpr std::uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr std::uint32_t WM_MBUTTONUP = 0x0208;
constexpr std::uint32_t WM_MBUTTONDBLCLK = 0x0209;
// mouse message key flags (wParam)
constexpr TWParam MK_LBUTTON = 0x0001;
constexpr TWParam MK_RBUTTON = 0x0002;
constexpr TWParam MK_MBUTTON = 0x0010;
// mouse_event flags
constexpr std::uint32_t MOUSEEVENTF_LEFTDOWN = 0x0002;
constexpr std::uint32_t MOUSEEVENTF_LEFTUP = 0x0004;
constexpr std::uint32_t MOUSEEVENTF_RIGHTDOWN = 0x0008;
constexpr std::uint32_t MOUSEEVENTF_RIGHTUP = 0x0010;
constexpr std::uint32_t MOUSEEVENTF_MIDDLEDOWN = 0x0020;
constexpr std::uint32_t MOUSEEVENTF_MIDDLEUP = 0x0040;
// keybd_event flags
constexpr std::uint32_t KEYEVENTF_KEYUP = 0x0002;
// virtual keys
constexpr std::uint8_t VK_TAB = 0x09;
constexpr std::uint8_t VK_SHIFT = 0x10;
constexpr std::uint8_t VK_CONTROL = 0x11;
constexpr std::uint8_t VK_MENU = 0x12;
constexpr std::uint8_t VK_SPACE = 0x20;
constexpr std::uint8_t VK_END = 0x23;
constexpr std::uint8_t VK_HOME = 0x24;
constexpr std::uint8_t VK_UP = 0x26;
constexpr std::uint8_t VK_DOWN = 0x28;
constexpr std::uint8_t VK_LWIN = 0x5B;
constexpr std::uint8_t VK_RWIN = 0x5C;
constexpr std::uint8_t VK_F1 = 0x70;
constexpr std::uint8_t VK_F12 = 0x7B;
constexpr std::uint8_t VK_LSHIFT = 0xA0;
constexpr std::uint8_t VK_RMENU = 0xA5;
// the common controls' hotkey field: modifier flags in its value's high byte
constexpr std::uint8_t HOTKEYF_SHIFT = 0x01;
constexpr std::uint8_t HOTKEYF_CONTROL = 0x02;
constexpr std::uint8_t HOTKEYF_ALT = 0x04;
constexpr std::uint8_t HOTKEYF_EXT = 0x08;
constexpr std::uint32_t HKM_SETHOTKEY = 0x0401;  // WM_USER + 1
constexpr std::uint32_t HKM_GETHOTKEY = 0x0402;  // WM_USER + 2
// RegisterHotKey modifiers
constexpr std::uint32_t MOD_ALT = 0x0001;
constexpr std::uint32_t MOD_CONTROL = 0x0002;
constexpr std::uint32_t MOD_SHIFT = 0x0004;
constexpr std::uint32_t MOD_WIN = 0x0008;
// WM_IME_COMPOSITION: the composition is finished and its result is in the message
constexpr TLParam GCS_RESULTSTR = 0x0800;

// ---- controls --------------------------------------------------------------------------

// edit styles
constexpr std::uint32_t ES_LEFT = 0x0000;
constexpr std::uint32_t ES_CENTER = 0x0001;
constexpr std::uint32_t ES_RIGHT = 0x0002;
constexpr std::uint32_t ES_MULTILINE = 0x0004;
constexpr std::uint32_t ES_AUTOVSCROLL = 0x0040;
constexpr std::uint32_t ES_AUTOHSCROLL = 0x0080;
constexpr std::uint32_t ES_READONLY = 0x0800;
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
// GetSystemMetrics
constexpr int SM_CYBORDER = 6;
// button styles, messages and notifications
constexpr std::uint32_t BS_PUSHBUTTON = 0x0000;
constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x0001;
constexpr std::uint32_t BS_CHECKBOX = 0x0002;
constexpr std::uint32_t BS_GROUPBOX = 0x0007;
constexpr std::uint32_t BS_AUTORADIOBUTTON = 0x0009;
constexpr std::uint32_t BM_GETCHECK = 0x00F0;
constexpr std::uint32_t BM_SETCHECK = 0x00F1;
constexpr TWParam BST_UNCHECKED = 0;
constexpr TWParam BST_CHECKED = 1;
constexpr std::uint16_t BN_CLICKED = 0;
// static styles
constexpr std::uint32_t SS_LEFT = 0x0000;
// dialog navigation: what the dialog manager asks a dialog's procedure, and the ids it sends
constexpr std::uint32_t WM_ACTIVATE = 0x0006;
constexpr std::uint32_t WM_NEXTDLGCTL = 0x0028;
constexpr std::uint32_t DM_GETDEFID = 0x0400;  // WM_USER
constexpr TLResult DC_HASDEFID = 0x534B;
constexpr std::uint16_t WA_INACTIVE = 0;
constexpr std::uint32_t IDOK = 1;
constexpr std::uint32_t IDCANCEL = 2;
// system colours
constexpr int COLOR_BTNFACE = 15;
// menus: owner-draw states, WM_MENUCHAR, system colours of menus
constexpr std::uint32_t WM_MENUCHAR = 0x0120;
constexpr std::uint32_t WM_MENUSELECT = 0x011F;
constexpr std::uint32_t ODS_SELECTED = 0x0001;
constexpr std::uint32_t ODS_GRAYED = 0x0002;
constexpr std::uint32_t ODS_DISABLED = 0x0004;
constexpr std::uint32_t ODS_CHECKED = 0x0008;
constexpr std::uint32_t ODS_NOACCEL = 0x0100;
constexpr TLResult MNC_IGNORE = 0;
constexpr TLResult MNC_EXECUTE = 2;
constexpr TLResult MNC_SELECT = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int SM_CXMENUCHECK = 71;
constexpr int SM_CYMENUCHECK = 72;
// font character sets
constexpr std::uint8_t DEFAULT_CHARSET = 1;
constexpr std::uint8_t SHIFTJIS_CHARSET = 128;

// ---- shell -----------------------------------------------------------------------------

// Shell_NotifyIcon messages, record flags and callback versions
constexpr std::uint32_t NIM_ADD = 0;
constexpr std::uint32_t NIM_MODIFY = 1;
constexpr std::uint32_t NIM_DELETE = 2;
constexpr std::uint32_t NIM_SETVERSION = 4;
constexpr std::uint32_t NIF_MESSAGE = 0x01;
constexpr std::uint32_t NIF_ICON = 0x02;
constexpr std::uint32_t NIF_TIP = 0x04;
constexpr std::uint32_t NIF_INFO = 0x10;
constexpr std::uint32_t NIIF_WARNING = 0x02;
constexpr std::uint32_t NOTIFYICON_VERSION = 3;
// What a version 3 tray icon's callback carries in lParam besides the mouse messages and
// WM_CONTEXTMENU
constexpr std::uint32_t NIN_SELECT = 0x0400;
constexpr std::uint32_t NIN_KEYSELECT = 0x0401;
constexpr std::uint32_t NIN_BALLOONSHOW = 0x0402;
constexpr std::uint32_t NIN_BALLOONHIDE = 0x0403;
constexpr std::uint32_t NIN_BALLOONTIMEOUT = 0x0404;
constexpr std::uint32_t NIN_BALLOONUSERCLICK = 0x0405;

// ---- threads and waits -----------------------------------------------------------------

// thread priorities
constexpr int THREAD_PRIORITY_IDLE = -15;
constexpr int THREAD_PRIORITY_LOWEST = -2;
constexpr int THREAD_PRIORITY_BELOW_NORMAL = -1;
constexpr int THREAD_PRIORITY_NORMAL = 0;
constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 1;
constexpr int THREAD_PRIORITY_HIGHEST = 2;
constexpr int THREAD_PRIORITY_TIME_CRITICAL = 15;
// waits
constexpr std::uint32_t INFINITE = 0xFFFFFFFF;

// ---- environment -----------------------------------------------------------------------

// GetVersionEx platform ids
constexpr std::uint32_t VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr std::uint32_t VER_PLATFORM_WIN32_NT = 2;

}  // namespace win
