// Time and waiting: every wait is for a condition, while this thread's messages are handled,
// with a limit; a fixed span only where an absence is to be shown.
#pragma once

#include <functional>

namespace kit {

// The performance counter: now, ticks as milliseconds, milliseconds as ticks.
long long Now();
double Ms(long long ticks);
long long Ticks(double ms);
double NowMs();

// Handles this thread's queued messages for at most 50 ms: a program that floods the input
// stream (a click loop that never sleeps) would otherwise keep the queue full and no wait
// would end.
void PumpQueue();
// Handles what is queued: through the loop set with SetPump, else PumpQueue.
void Pump();
// A program's own message loop for Pump (the spin harness's, which gives dialog navigation);
// an empty one restores PumpQueue.
void SetPump(std::function<void()> pump);

// Pumps until cond() holds or timeoutMs passes; returns cond()'s last value.
bool WaitFor(const std::function<bool()>& cond, double timeoutMs = 10000);
// Pumps for a fixed span: used only to show that nothing happens.
void Observe(double ms);

}  // namespace kit
