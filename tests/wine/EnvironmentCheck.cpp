// The environment queries against the real system under Wine: the version resource of
// Vantrel.exe as the About box reads it, a file without one, the logon user and the Windows
// version class.
//
//   wine_environment.exe <path\to\Vantrel.exe>
//
// Prints "ok - ..." / "FAIL - ..." lines and a final "N passed, M failed".
#include "environment/BIOS.h"
#include "platform/win32/Win32System.h"

#include "platform/win32/Win32.h"

#include "kit/Report.h"

#include <cstdio>

namespace {

using kit::Check;

void Same(const char* what, const std::string& expected, const std::string& got) {
  Check(expected == got, what, '"' + expected + '"', '"' + got + '"');
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: wine_environment <path\\to\\Vantrel.exe>\n");
    return 2;
  }
  const std::string exe = Narrow(argv[1]);
  TWin32Environment env;

  Same("the file version, as the About box shows it", "FileVersion : " VANTREL_VERSION,
       GetVersionItem(env, exe, 2));
  Same("an index past the keys reads the file version", "FileVersion : " VANTREL_VERSION,
       GetVersionItem(env, exe, 9));
  Same("the Japanese file description", "FileDescription : ゲーム用自動クリックツール",
       GetVersionItem(env, exe, 1));
  Same("the product name", "ProductName : Vantrel", GetVersionItem(env, exe, 6));

  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  Same("a file without a version resource", "unidentified",
       GetVersionItem(env, Narrow(windows) + "\\win.ini", 2));

  wchar_t name[257] = {};
  DWORD size = 256;
  GetUserNameW(name, &size);
  Same("the logon user names the settings section", Narrow(name), GetUserNameText(env));
  Check(!GetUserNameText(env).empty(), "the logon user is known", "a name", "empty");

  // Wine reports a Windows NT of version 6 or later by default: none of the classes that
  // change the program's behaviour.
  const unsigned cls = WindowsVersionClass(env);
  Check(cls == 7, "the version class of this system", "7", std::to_string(cls));

  return kit::Summary();
}
