// Environment queries: which Windows this is, who is logged on, and one item of a file's
// version resource.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Environment.h"

// 0 Windows 95, 1 98, 2 Me, 3 NT 3.x, 4 NT 4.0, 5 2000, 6 XP, 7 anything else.
std::uint8_t WindowsVersionClass(IEnvironment& env);
// The logon name; empty when the system cannot tell, which leaves the settings section to
// fall back to the program's file name.
std::string GetUserNameText(IEnvironment& env);
// "Key : value", "Key : None" when the string is missing or empty, or "unidentified" when the
// file has no version resource or no translation table. Index 0..7 picks the key
// (CompanyName … ProductVersion); 8 or more picks FileVersion.
std::string GetVersionItem(IEnvironment& env, const std::string& path, unsigned index);
