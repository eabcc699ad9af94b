#pragma once
// The clone drivers' blocking wait on a real clock: it sleeps the calling thread, as
// the short fixed pauses of an exchange are meant to; the serial device keeps
// receiving meanwhile.
#include "runtime/cmcWaiter.h"

class cmcSleepWaiter : public cmcWaiter {
 public:
  void Wait(uint32_t ms) override;
};
