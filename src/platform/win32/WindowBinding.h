// How a window of ours finds its handler: CreateWindowEx gets a TWindowBinding as
// lpCreateParams, and BoundWindowProc, the procedure of every class we register, keeps a copy
// from WM_NCCREATE to WM_NCDESTROY and hands it every message.
#pragma once

#include "platform/win32/Win32.h"

class TWin32Windows;

struct TWindowBinding {
  IMessageHandler* Handler;
  TWin32Windows* Windows;  // where an exception that reaches the procedure goes
};

LRESULT CALLBACK BoundWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
