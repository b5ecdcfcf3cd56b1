// The opening every end-to-end driver shares: DriverMain.cpp's wmain takes the path of
// Vantrel.exe (and whatever follows it), sets up the report and calls the driver's Drive.
//
//   <driver>.exe <path\to\Vantrel.exe> [the driver's own arguments]
#pragma once

#include <string>
#include <vector>

namespace kit {

struct TDriverArgs {
  std::wstring exe;                // Vantrel.exe
  std::wstring dir;                // its folder, with the backslash
  std::vector<std::wstring> more;  // the arguments after it
};

// Prints the usage line; returns 2, the exit code for a wrong command line.
int Usage();

}  // namespace kit

// Defined by each driver: its checks; the exit code, Summary() as a rule.
int Drive(const kit::TDriverArgs& args);
// Defined by each driver: its own arguments after the exe's path, for the usage line ("" when
// it takes none).
extern const char kDriverArguments[];
