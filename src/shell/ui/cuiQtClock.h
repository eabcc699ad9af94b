#pragma once
// The production clock and timer host: the monotonic millisecond counter since
// boot, truncated to 32 bits as the core expects, and precise QTimers that fire on
// the GUI thread.
#include "runtime/cmcClock.h"

class cuiQtClock : public cmcClock, public cmcTimerHost {
 public:
  uint32_t NowMs() const override;
  std::unique_ptr<cmcTimer> CreateTimer(std::function<void()> onFire) override;
};
