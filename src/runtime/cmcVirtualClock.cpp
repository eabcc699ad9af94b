#include "runtime/cmcVirtualClock.h"

#include <algorithm>

struct cmcVirtualClock::Slot {
  std::function<void()> onFire;
  bool active = false;
  bool alive = true;
  int period = 1;
  uint64_t due = 0;
  uint64_t order = 0;
};

class cmcVirtualClock::Timer : public cmcTimer {
 public:
  Timer(cmcVirtualClock& clock, std::shared_ptr<Slot> slot) : clock_(clock), slot_(std::move(slot)) {}
  ~Timer() override {
    slot_->alive = false;
    slot_->active = false;
    slot_->onFire = nullptr;
  }
  void Start(int periodMs) override {
    slot_->period = std::max(1, periodMs);
    slot_->due = clock_.elapsed_ + static_cast<uint64_t>(slot_->period);
    slot_->order = clock_.startOrder_++;
    slot_->active = true;
  }
  void Stop() override { slot_->active = false; }
  bool IsActive() const override { return slot_->active; }

 private:
  cmcVirtualClock& clock_;
  std::shared_ptr<Slot> slot_;
};

cmcVirtualClock::cmcVirtualClock(uint32_t startMs) : now_(startMs) {}
cmcVirtualClock::~cmcVirtualClock() = default;

std::unique_ptr<cmcTimer> cmcVirtualClock::CreateTimer(std::function<void()> onFire) {
  // Forget slots whose timers are gone.
  slots_.remove_if([](const std::shared_ptr<Slot>& s) { return !s->alive; });
  auto slot = std::make_shared<Slot>();
  slot->onFire = std::move(onFire);
  slots_.push_back(slot);
  return std::make_unique<Timer>(*this, slot);
}

std::shared_ptr<cmcVirtualClock::Slot> cmcVirtualClock::NextDue(uint64_t limit) const {
  std::shared_ptr<Slot> best;
  for (const auto& s : slots_) {
    if (!s->alive || !s->active || s->due > limit) continue;
    if (!best || s->due < best->due || (s->due == best->due && s->order < best->order)) best = s;
  }
  return best;
}

void cmcVirtualClock::MoveTo(uint64_t moment) {
  // A callback that runs a nested loop (Advance inside a callback) may already have
  // moved time past this moment; time never goes back.
  if (moment <= elapsed_) return;
  now_ += static_cast<uint32_t>(moment - elapsed_);
  elapsed_ = moment;
}

void cmcVirtualClock::Advance(uint32_t ms) {
  const uint64_t target = elapsed_ + ms;
  // The shared pointer keeps the slot alive while its callback stops or destroys
  // any timer, this one included.
  while (std::shared_ptr<Slot> s = NextDue(target)) {
    MoveTo(s->due);
    s->due += static_cast<uint64_t>(s->period);
    s->order = startOrder_++;
    auto fire = s->onFire;
    if (fire) fire();
  }
  MoveTo(target);
}

int cmcVirtualClock::ActiveTimers() const {
  return static_cast<int>(std::count_if(slots_.begin(), slots_.end(),
                                        [](const std::shared_ptr<Slot>& s) { return s->alive && s->active; }));
}
