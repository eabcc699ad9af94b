#pragma once
// Waits by moving the virtual clock, so timers due meanwhile fire as in a nested loop.
#include <cstdint>

#include "runtime/cmcVirtualClock.h"
#include "runtime/cmcWaiter.h"

struct VirtualWaiter : cmcWaiter {
  explicit VirtualWaiter(cmcVirtualClock& c) : clock(c) {}
  void Wait(uint32_t ms) override { clock.Advance(ms); }
  cmcVirtualClock& clock;
};
