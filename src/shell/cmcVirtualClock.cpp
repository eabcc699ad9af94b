#include "shell/cmcVirtualClock.h"

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

cmcVirtualClock::Slot* cmcVirtualClock::NextDue(uint64_t limit) {
  Slot* best = nullptr;
  for (auto& s : slots_) {
    if (!s->alive || !s->active || s->due > limit) continue;
    if (!best || s->due < best->due || (s->due == best->due && s->order < best->order)) best = s.get();
  }
  return best;
}

void cmcVirtualClock::Advance(uint32_t ms) {
  const uint64_t target = elapsed_ + ms;
  while (Slot* s = NextDue(target)) {
    now_ += static_cast<uint32_t>(s->due - elapsed_);
    elapsed_ = s->due;
    s->due += static_cast<uint64_t>(s->period);
    s->order = startOrder_++;
    // The callback may stop or destroy any timer, this one included.
    std::shared_ptr<Slot> keep;
    for (auto& p : slots_)
      if (p.get() == s) keep = p;
    auto fire = keep->onFire;
    if (fire) fire();
  }
  now_ += static_cast<uint32_t>(target - elapsed_);
  elapsed_ = target;
}

int cmcVirtualClock::ActiveTimers() const {
  return static_cast<int>(std::count_if(slots_.begin(), slots_.end(),
                                        [](const std::shared_ptr<Slot>& s) { return s->alive && s->active; }));
}
