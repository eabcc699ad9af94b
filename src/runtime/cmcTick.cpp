#include "runtime/cmcTick.h"

void cmcTick::Start(uint32_t ms) {
  duration_ = ms;
  start_ = clock_.NowMs();
  armed_ = true;
}

uint32_t cmcTick::Remaining() {
  if (!armed_) return 0;
  // Unsigned subtraction gives the elapsed time across the counter's wrap.
  const uint32_t elapsed = clock_.NowMs() - start_;
  if (elapsed < duration_) return duration_ - elapsed;
  armed_ = false;
  return 0;
}
