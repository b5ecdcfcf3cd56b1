#include "Report.h"

#include <windows.h>

namespace kit {

namespace {
int Passed = 0, FailedChecks = 0, KnownDifferences = 0;

void Line(const char* text) {
  std::fputs(text, stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}
}  // namespace

std::string Format(const char* fmt, ...) {
  char buf[1024];
  va_list ap;
  va_start(ap, fmt);
  std::vsnprintf(buf, sizeof buf, fmt, ap);
  va_end(ap);
  return buf;
}

bool Check(bool good, const std::string& what, const std::string& expected, const std::string& got) {
  if (good) {
    ++Passed;
    Line(("ok - " + what).c_str());
  } else {
    ++FailedChecks;
    Line(("FAIL - " + what + ": expected " + expected + ", got " + got).c_str());
  }
  return good;
}

bool Check(bool good, const std::string& what, const std::string& expected,
           const std::function<std::string()>& got) {
  return Check(good, what, expected, good ? std::string() : got());
}

void Known(const std::string& what, const std::string& why) {
  ++KnownDifferences;
  Line(("known - " + what + ": " + why).c_str());
}

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

bool KnownWineDifference(const std::string& what, long windowsFigure, long wineFigure, long got,
                         long tolerance) {
  const auto within = [&](long figure) { return got >= figure - tolerance && got <= figure + tolerance; };
  if (!UnderWine()) return Check(within(windowsFigure), what, std::to_string(windowsFigure), std::to_string(got));
  if (within(wineFigure) && !within(windowsFigure)) {
    Known(what, Format("Windows gives %ld, Wine gives %ld", windowsFigure, wineFigure));
    return true;
  }
  if (within(windowsFigure))
    return Check(false, what,
                 Format("Wine's known %ld", wineFigure),
                 Format("Windows' %ld: the known Wine difference is gone, the check can now require it",
                        windowsFigure));
  return Check(false, what, Format("%ld (Windows) or Wine's known %ld", windowsFigure, wineFigure),
               std::to_string(got));
}

void PrintLine(std::FILE* out, const char* prefix, const char* fmt, va_list ap) {
  std::fputs(prefix, out);
  std::vfprintf(out, fmt, ap);
  std::fputc('\n', out);
  std::fflush(out);
}

void Note(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  PrintLine(stdout, "# ", fmt, ap);
  va_end(ap);
}

void Note(const std::string& text) { Note("%s", text.c_str()); }

std::string Escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (static_cast<unsigned char>(c) < 32) out += Format("\\x%02x", static_cast<unsigned char>(c));
    else out += c;
  }
  return out;
}

std::string Shown(const std::string& text) {
  // Quoted by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on "literal" + temporary.
  std::string q(1, '"');
  q += Escaped(text);
  q += '"';
  return q;
}

int Failed() { return FailedChecks; }

int Summary() {
  std::string line = Format("%d passed, %d failed", Passed, FailedChecks);
  if (KnownDifferences) line += Format(", %d known", KnownDifferences);
  Line(line.c_str());
  return FailedChecks == 0 && Passed + KnownDifferences > 0 ? 0 : 1;
}

}  // namespace kit
