// The report of every program that runs under Wine, in the style of Wine's conformance tests:
// one "ok - what" or "FAIL - what: expected ..., got ..." line per check, "known - ..." for a
// figure in which Wine is known to differ from Windows, "# ..." notes, and a last line
// "N passed, M failed" (", K known" after it when there were such). The shell's checks print
// the same lines (tools/test-report).
#pragma once

#include <cstdarg>
#include <cstdio>
#include <functional>
#include <string>

namespace kit {

std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

bool Check(bool good, const std::string& what, const std::string& expected, const std::string& got);
// The "got" text computed only after the check itself ran: C++ leaves the order in which
// arguments are evaluated open, and many checks describe a state their own condition has
// just changed.
bool Check(bool good, const std::string& what, const std::string& expected,
           const std::function<std::string()>& got);

// A difference kept on purpose and known: a "known - what: why" line, counted apart.
void Known(const std::string& what, const std::string& why);

// Whether this program runs under Wine (its ntdll exports wine_get_version).
bool UnderWine();

// A figure in which Wine is known to differ from Windows, as Wine's own tests mark theirs:
// on Windows the Windows figure passes; under Wine the Wine figure is reported as known, and
// the Windows figure fails loudly, since the difference has gone and the mark must go too.
// Figures within `tolerance` of each other count as the same.
bool KnownWineDifference(const std::string& what, long windowsFigure, long wineFigure, long got,
                         long tolerance = 0);

void Note(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
void Note(const std::string& text);
// One line to `out`: the prefix, then the formatted text, flushed at once.
void PrintLine(std::FILE* out, const char* prefix, const char* fmt, va_list ap);

// Text on one report line: CR and LF as \r and \n, other control bytes as \xNN.
std::string Escaped(const std::string& text);
// The same, in double quotes.
std::string Shown(const std::string& text);

int Failed();
// Prints the last line; the exit code: 0 only when nothing failed and something was checked.
int Summary();

}  // namespace kit
