#include "Wait.h"

#include <windows.h>

namespace kit {

namespace {
const long long Frequency = [] {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return f.QuadPart;
}();
std::function<void()> ProgramPump;
}  // namespace

long long Now() {
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return c.QuadPart;
}

double Ms(long long ticks) { return 1000.0 * static_cast<double>(ticks) / static_cast<double>(Frequency); }

long long Ticks(double ms) { return static_cast<long long>(ms * static_cast<double>(Frequency) / 1000.0); }

double NowMs() { return Ms(Now()); }

void PumpQueue() {
  const long long end = Now() + Ticks(50);
  MSG m;
  while (Now() < end && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

void Pump() {
  if (ProgramPump) ProgramPump();
  else PumpQueue();
}

void SetPump(std::function<void()> pump) { ProgramPump = std::move(pump); }

bool WaitFor(const std::function<bool()>& cond, double timeoutMs) {
  const long long end = Now() + Ticks(timeoutMs);
  for (;;) {
    Pump();
    if (cond()) return true;
    if (Now() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

void Observe(double ms) {
  const long long end = Now() + Ticks(ms);
  while (Now() < end) {
    Pump();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  Pump();
}

}  // namespace kit
