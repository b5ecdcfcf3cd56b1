// The report's mark for a known Wine difference, seen from outside: this program runs itself
// with one figure to report (`--report <figure>`) and reads what that run printed and how it
// ended. The Wine figure must show as known and pass; the Windows figure, as a difference
// gone, must fail loudly; any other figure must fail too.
//
//   wine_kit_check.exe
//
// Prints "ok - ..." / "FAIL - ..." lines and a final "N passed, M failed".
#include "kit/Files.h"
#include "kit/Report.h"

#include <windows.h>

#include <cwchar>
#include <string>

using namespace kit;

namespace {

const long kWindowsFigure = 21, kWineFigure = 22;

struct TRun {
  std::string output;
  DWORD code = 0xFFFFFFFF;
};

// This program again with --report <figure>, its standard output read through a pipe.
TRun RunReporting(long figure) {
  TRun run;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) return run;
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring cmd = L"\"" + std::wstring(self) + L"\" --report " + std::to_wstring(figure);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = write;
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION pi{};
  const bool started = CreateProcessW(self, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(write);
  if (started) {
    char buf[1024];
    DWORD n = 0;
    while (ReadFile(read, buf, sizeof buf, &n, nullptr) && n > 0) run.output.append(buf, n);
    WaitForSingleObject(pi.hProcess, 30000);
    GetExitCodeProcess(pi.hProcess, &run.code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  CloseHandle(read);
  return run;
}

bool Has(const TRun& run, const std::string& text) { return run.output.find(text) != std::string::npos; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wcscmp(argv[1], L"--report") == 0) {
    KnownWineDifference("the figure", kWindowsFigure, kWineFigure, std::wcstol(argv[2], nullptr, 10));
    return Summary();
  }
  Check(UnderWine(), "this program runs under Wine", "wine_get_version in ntdll", "none");

  const TRun wine = RunReporting(kWineFigure);
  Check(wine.code == 0 && Has(wine, "known - the figure: Windows gives 21, Wine gives 22\r\n") &&
            Has(wine, "0 passed, 0 failed, 1 known\r\n"),
        "Wine's known figure is reported as known and passes", "a known line, exit 0",
        [&] { return Format("exit %lu: ", wine.code) + Shown(wine.output); });

  const TRun windows = RunReporting(kWindowsFigure);
  Check(windows.code == 1 && Has(windows, "FAIL - the figure: expected Wine's known 22, got Windows' 21") &&
            Has(windows, "0 passed, 1 failed\r\n"),
        "the Windows figure under Wine fails: the known difference has gone", "a FAIL line, exit 1",
        [&] { return Format("exit %lu: ", windows.code) + Shown(windows.output); });

  const TRun other = RunReporting(25);
  Check(other.code == 1 && Has(other, "FAIL - the figure: expected 21 (Windows) or Wine's known 22, got 25"),
        "a figure that is neither fails", "a FAIL line, exit 1",
        [&] { return Format("exit %lu: ", other.code) + Shown(other.output); });
  return Summary();
}
