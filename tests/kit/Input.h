// Injected input as a hand makes it: keys and chords through SendInput, the cursor, the mouse
// buttons, and what Wine needs before held keys stay held.
#pragma once

#include <windows.h>

#include <string>

namespace kit {

enum class Btn { Left, Right, Middle };

// One key going down or up. The navigation keys (Home, End, the arrows, ...) are extended
// keys, as a real keyboard sends them.
void Key(WORD vk, bool up);
void Tap(WORD vk);
// vk pressed and released with the given MOD_ flags held, released in reverse order.
void Chord(UINT mods, WORD vk);
std::string ChordName(UINT mods, WORD vk);

bool KeyDown(int vk);
// Releases every modifier the window system believes is down.
void ReleaseModifiers();
bool ModifiersUp();
// ReleaseModifiers, then a check that Shift, Ctrl and Alt are up.
void EnsureModifiersUp(const char* when);

// SetCursorPos, then a wait until the cursor is there.
bool MoveCursor(POINT p);
POINT Cursor();
std::string Pt(POINT p);

// An injected move to p (a WM_MOUSEMOVE follows it, which SetCursorPos does not promise).
void MouseTo(POINT p);
// A button going down or up at p. Every event carries p: under Wine a move warps the X
// pointer, and another program that reads the X events of an earlier warp late puts the
// cursor back there, where a click at the cursor would then land.
bool MouseButton(POINT p, Btn b, bool down);
// A button going down or up where the cursor is.
bool MouseButton(Btn b, bool down);
bool MouseClick(POINT p, Btn b = Btn::Left);

// Under Wine a window that comes under the X pointer brings its process an EnterNotify and a
// KeymapNotify, and Wine answers the latter by setting every key's state to what the X
// server knows. The X server knows nothing of injected keys: a held, injected Ctrl goes up.
// Keys may be held once the crossings of this thread's windows are handled. Showing a window
// makes Wine handle this thread's X events until the window's MapNotify, which the X server
// sends after every event of the requests before it.
void HandleCrossings();

}  // namespace kit
