// The create parameters of the program's windows that have no control of their own: the
// hidden application and form windows and the shared utility windows of timers and tray
// icons. Everything is made by IWindows::CreateWindowFrom; these only fill its record.
#pragma once

#include <string>

#include "platform/Windowing.h"

// A top-level popup that is never shown: unlike a message-only window it gets the broadcasts
// (end of session, shell restart).
TCreateParams HiddenWindowParams(const std::string& className, const std::string& title);
// A tool window (WS_EX_TOOLWINDOW, WS_POPUP) of zero size at (0, 0) without a title, never
// shown: the shared window that timers or tray icons of the process receive their messages on.
TCreateParams UtilityWindowParams(const std::string& className);

// The windows above, of a class of our own, served by handler. 0 on failure.
TWnd CreateHiddenWindow(IWindows& windows, const std::string& className, const std::string& title,
                        IMessageHandler& handler);
TWnd CreateUtilityWindow(IWindows& windows, const std::string& className, IMessageHandler& handler);
