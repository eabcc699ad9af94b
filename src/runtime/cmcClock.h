#pragma once
// Time seams of the core: a millisecond counter that wraps at 32 bits, and a host
// that runs periodic timers on the GUI thread. Production code uses the Qt
// implementations; tests use cmcVirtualClock, whose time moves only when told.
#include <cstdint>
#include <functional>
#include <memory>

class cmcClock {
 public:
  virtual ~cmcClock() = default;
  // The system millisecond counter; wraps around after 2^32 ms.
  virtual uint32_t NowMs() const = 0;
};

// One periodic timer. Its callback runs on the GUI thread, every period until stopped.
class cmcTimer {
 public:
  virtual ~cmcTimer() = default;
  // Starts (or restarts) the timer with a period of at least 1 ms.
  virtual void Start(int periodMs) = 0;
  virtual void Stop() = 0;
  virtual bool IsActive() const = 0;
};

class cmcTimerHost {
 public:
  virtual ~cmcTimerHost() = default;
  // A new, stopped timer that calls onFire at each period. The timer may be
  // destroyed from inside its own callback.
  virtual std::unique_ptr<cmcTimer> CreateTimer(std::function<void()> onFire) = 0;
};
