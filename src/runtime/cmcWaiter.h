#pragma once
// A short blocking wait on the GUI thread: the clone drivers' fixed pauses (the line
// settling before an exchange, echo detection) and a sheet's auto-repeat delays.
// It returns after ms milliseconds have passed on the caller's clock; tests advance a
// virtual clock or record the waits.
#include <cstdint>

class cmcWaiter {
 public:
  virtual ~cmcWaiter() = default;
  virtual void Wait(uint32_t ms) = 0;
};
