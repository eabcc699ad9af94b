#pragma once
// A one-shot millisecond countdown on the system millisecond counter. It counts
// correctly across the counter's 32-bit wrap-around and disarms itself once run out.
// Linux timers need no resolution request, so the tick holds no system resource.
#include <cstdint>

#include "runtime/cmcClock.h"

class cmcTick {
 public:
  // A new tick is disarmed.
  explicit cmcTick(const cmcClock& clock) : clock_(clock) {}

  // Arms the tick to run out ms milliseconds from now.
  void Start(uint32_t ms);
  // The milliseconds left; 0 when disarmed. A tick found run out is disarmed.
  uint32_t Remaining();
  bool IsArmed() const { return armed_; }

 private:
  const cmcClock& clock_;
  uint32_t duration_ = 0;
  uint32_t start_ = 0;
  bool armed_ = false;
};
