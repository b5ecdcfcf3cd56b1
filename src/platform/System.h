// The system services the program uses, handed to every object that needs one. WinMain
// builds it from the Win32 adapters; a test builds it from the fake system.
#pragma once

#include "platform/Clock.h"
#include "platform/Drawing.h"
#include "platform/Environment.h"
#include "platform/HotKeys.h"
#include "platform/Icons.h"
#include "platform/Input.h"
#include "platform/PopupMenus.h"
#include "platform/Process.h"
#include "platform/Profile.h"
#include "platform/Shell.h"
#include "platform/Threads.h"
#include "platform/Windowing.h"

struct TSystem {
  IInput& Input;
  IClock& Clock;
  IThreads& Threads;
  IAtoms& Atoms;
  IHotKeys& HotKeys;
  IWindows& Windows;
  IProcess& Process;
  IProfile& Profile;
  IEnvironment& Environment;
  IShell& Shell;
  IIcons& Icons;
  IDrawing& Drawing;
  IMenus& Menus;
};
