#pragma once
// The blocking wait of the clone drivers' short fixed pauses (drain, echo detection,
// reopening the port in a script). It returns after ms milliseconds have passed on the
// driver's clock; tests advance a virtual clock, so timers due meanwhile still fire.
#include <cstdint>

class cmcWaiter {
 public:
  virtual ~cmcWaiter() = default;
  virtual void Wait(uint32_t ms) = 0;
};
