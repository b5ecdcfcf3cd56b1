// The screen's pixels: rectangles of it to look at, screenshots for a person to look at, and
// Vantrel's tray icon in a Wine virtual desktop's taskbar.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kit {

// A rectangle of pixels, top row first, each 0x00RRGGBB.
struct TScreenPixels {
  int width = 0, height = 0;
  std::vector<std::uint32_t> px;
  std::uint32_t At(int x, int y) const { return px[static_cast<size_t>(y) * width + x]; }
  bool operator==(const TScreenPixels&) const = default;
};

inline int Red(std::uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
inline int Green(std::uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int Blue(std::uint32_t c) { return static_cast<int>(c & 0xFF); }
// The tray icon's outline: dark in all three.
inline bool Dark(std::uint32_t c) { return Red(c) < 90 && Green(c) < 90 && Blue(c) < 90; }

// A rectangle of the screen.
TScreenPixels GrabScreen(const RECT& r);
// The client area of a window, as its own device context has it.
TScreenPixels WindowPixels(HWND w);

// A 24-bit BMP of the screen (or of `area` of it, enlarged `zoom` times pixel by pixel).
bool SaveScreen(const std::wstring& path);
bool SaveScreen(const std::wstring& path, const RECT& area, int zoom = 1);
// The same into shots\<name>.bmp beside this program, where the run scripts collect them
// (tools/wine-session: ws_run) as PNGs for a person to look at.
bool Shot(const std::wstring& name);
bool Shot(const std::wstring& name, const RECT& area, int zoom = 1);

// An icon resource of a program file drawn as the system draws it, at `size` pixels over the
// colour `back`: the picture stored for `size`, or with `stored` the one stored for that size,
// stretched (a picture blurred up from a smaller one).
TScreenPixels IconPicture(const std::wstring& file, const wchar_t* name, int size, std::uint32_t back,
                          int stored = 0);
// Where `picture` shows best in `area`: the fewest of its pixels that differ there (by more
// than 24 in a colour), and that place's top-left corner; -1 when there is nothing to compare.
int Differing(const TScreenPixels& area, const TScreenPixels& picture, POINT& at);

// The notification area of a Wine virtual desktop's taskbar: its right end, 64 pixels wide
// (empty: no taskbar).
RECT TrayArea();
// The tray icon: the centre of the dark pixels (its outline) in the tray area; returns how
// many there are (0: no taskbar).
int TrayIconPixels(POINT& centre);
// Whether the icon shows there (20 dark pixels or more), and where.
bool TrayIcon(POINT& centre);
// Whether the tray area shows `picture` all through the next `ms`, looked at every 100 ms: an
// animation's absence can only be watched for.
bool TrayStays(const TScreenPixels& picture, double ms);

}  // namespace kit
