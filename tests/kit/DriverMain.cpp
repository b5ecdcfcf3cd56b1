#include "Driver.h"

#include <windows.h>

#include <cstdio>

namespace kit {

namespace {
std::wstring Program;
}

int Usage() {
  std::fprintf(stderr, "usage: %ls <path\\to\\Vantrel.exe>%s%s\n", Program.c_str(), *kDriverArguments ? " " : "",
               kDriverArguments);
  return 2;
}

}  // namespace kit

int wmain(int argc, wchar_t** argv) {
  // The report goes to a terminal or a pipe, read as it comes.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const std::wstring self = argc > 0 ? argv[0] : L"driver";
  kit::Program = self.substr(self.find_last_of(L"\\/") + 1);
  if (argc < 2) return kit::Usage();
  kit::TDriverArgs args;
  args.exe = argv[1];
  args.dir = args.exe.substr(0, args.exe.find_last_of(L"\\/") + 1);
  args.more.assign(argv + 2, argv + argc);
  return Drive(args);
}
