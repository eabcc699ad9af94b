#pragma once
// A Qt-free message loop for the command-line programs: the monotonic millisecond
// clock and timers that fire on the calling thread while RunUntil or RunFor runs,
// sleeping between due timers. Same contract as the GUI's timer host.
#include <cstdint>
#include <functional>
#include <list>
#include <memory>

#include "runtime/cmcClock.h"

class cmcEventLoop : public cmcClock, public cmcTimerHost {
 public:
  cmcEventLoop();
  ~cmcEventLoop() override;

  uint32_t NowMs() const override;
  std::unique_ptr<cmcTimer> CreateTimer(std::function<void()> onFire) override;

  // Runs due timers until done() is true or limitMs have passed; true when done.
  bool RunUntil(const std::function<bool()>& done, uint32_t limitMs);
  // Runs due timers for ms milliseconds.
  void RunFor(uint32_t ms);

 private:
  struct Slot;
  class Timer;
  Slot* NextDue();
  uint64_t NowUs() const;

  std::list<std::shared_ptr<Slot>> slots_;
  uint64_t order_ = 0;
};
