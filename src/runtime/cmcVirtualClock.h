#pragma once
// A deterministic clock and timer host for tests and simulations: time advances
// only through Advance(), which fires every due timer in order of its due time
// (timers due at the same moment fire in the order they were started or last
// fired). Advance may be called from inside a callback, as a nested message loop.
#include <cstdint>
#include <list>
#include <memory>

#include "runtime/cmcClock.h"

class cmcVirtualClock : public cmcClock, public cmcTimerHost {
 public:
  explicit cmcVirtualClock(uint32_t startMs = 0);
  ~cmcVirtualClock() override;

  uint32_t NowMs() const override { return now_; }
  std::unique_ptr<cmcTimer> CreateTimer(std::function<void()> onFire) override;

  // Moves time forward by ms, firing due timers as their moments pass.
  void Advance(uint32_t ms);
  // Fires the timers due now without moving time.
  void RunDue() { Advance(0); }
  // Number of timers currently running.
  int ActiveTimers() const;

 private:
  struct Slot;
  class Timer;
  friend class Timer;
  std::shared_ptr<Slot> NextDue(uint64_t limit) const;
  void MoveTo(uint64_t moment);

  uint32_t now_;
  uint64_t elapsed_ = 0;  // monotonic time since construction, never wraps
  uint64_t startOrder_ = 0;
  std::list<std::shared_ptr<Slot>> slots_;
};
