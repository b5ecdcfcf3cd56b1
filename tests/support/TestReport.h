// The report of the test programs that run under Wine, in the style of Wine's conformance
// tests: one "ok - what" or "FAIL - what: expected ..., got ..." line per check, and a last
// line "N passed, M failed".
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

namespace report {

inline int Passed = 0;
inline int Failed = 0;

inline std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
inline std::string Format(const char* fmt, ...) {
  char buf[512];
  va_list ap;
  va_start(ap, fmt);
  std::vsnprintf(buf, sizeof buf, fmt, ap);
  va_end(ap);
  return buf;
}

inline bool Check(bool good, const std::string& what, const std::string& expected,
                  const std::string& got) {
  if (good) {
    ++Passed;
    std::printf("ok - %s\n", what.c_str());
  } else {
    ++Failed;
    std::printf("FAIL - %s: expected %s, got %s\n", what.c_str(), expected.c_str(), got.c_str());
  }
  std::fflush(stdout);
  return good;
}

// Prints the last line; the exit code: 0 only when nothing failed.
inline int Summary() {
  std::printf("%d passed, %d failed\n", Passed, Failed);
  std::fflush(stdout);
  return Failed == 0 ? 0 : 1;
}

}  // namespace report
