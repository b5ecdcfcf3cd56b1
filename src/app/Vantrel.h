// The program: one hidden instance that serves its hotkeys until the main form closes.
#pragma once

#include "platform/System.h"

constexpr const char* ApplicationTitle = "Vantrel";

// Start-up, the message loop and shutdown; returns the process exit code.
int VantrelMain(TSystem& system);
