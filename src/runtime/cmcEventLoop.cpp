#include "runtime/cmcEventLoop.h"

#include <algorithm>
#include <chrono>
#include <thread>

struct cmcEventLoop::Slot {
  std::function<void()> onFire;
  bool active = false;
  bool alive = true;
  uint64_t periodUs = 1000;
  uint64_t dueUs = 0;
  uint64_t order = 0;
};

class cmcEventLoop::Timer : public cmcTimer {
 public:
  Timer(cmcEventLoop& loop, std::shared_ptr<Slot> slot) : loop_(loop), slot_(std::move(slot)) {}
  ~Timer() override {
    slot_->alive = false;
    slot_->active = false;
  }
  void Start(int periodMs) override {
    slot_->periodUs = static_cast<uint64_t>(std::max(1, periodMs)) * 1000;
    slot_->dueUs = loop_.NowUs() + slot_->periodUs;
    slot_->order = loop_.order_++;
    slot_->active = true;
  }
  void Stop() override { slot_->active = false; }
  bool IsActive() const override { return slot_->active; }

 private:
  cmcEventLoop& loop_;
  std::shared_ptr<Slot> slot_;
};

cmcEventLoop::cmcEventLoop() = default;
cmcEventLoop::~cmcEventLoop() = default;

uint64_t cmcEventLoop::NowUs() const {
  return static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
          .count());
}

uint32_t cmcEventLoop::NowMs() const { return static_cast<uint32_t>(NowUs() / 1000); }

std::unique_ptr<cmcTimer> cmcEventLoop::CreateTimer(std::function<void()> onFire) {
  slots_.remove_if([](const std::shared_ptr<Slot>& s) { return !s->alive; });
  auto slot = std::make_shared<Slot>();
  slot->onFire = std::move(onFire);
  slots_.push_back(slot);
  return std::make_unique<Timer>(*this, slot);
}

cmcEventLoop::Slot* cmcEventLoop::NextDue() {
  Slot* best = nullptr;
  for (auto& s : slots_) {
    if (!s->alive || !s->active) continue;
    if (!best || s->dueUs < best->dueUs || (s->dueUs == best->dueUs && s->order < best->order)) best = s.get();
  }
  return best;
}

bool cmcEventLoop::RunUntil(const std::function<bool()>& done, uint32_t limitMs) {
  const uint64_t endUs = NowUs() + static_cast<uint64_t>(limitMs) * 1000;
  while (!done()) {
    const uint64_t now = NowUs();
    if (now >= endUs) return false;
    Slot* next = NextDue();
    const uint64_t wakeUs = next ? std::min(next->dueUs, endUs) : endUs;
    if (wakeUs > now) {
      std::this_thread::sleep_for(std::chrono::microseconds(wakeUs - now));
      continue;
    }
    // Keep the slot alive while its callback may destroy the timer.
    std::shared_ptr<Slot> keep;
    for (auto& p : slots_)
      if (p.get() == next) keep = p;
    // A timer that fell behind does not fire a burst: it is then due a period from now.
    keep->dueUs += keep->periodUs;
    if (keep->dueUs <= now) keep->dueUs = now + keep->periodUs;
    keep->order = order_++;
    const auto fire = keep->onFire;
    if (fire) fire();
  }
  return true;
}

void cmcEventLoop::RunFor(uint32_t ms) {
  RunUntil([] { return false; }, ms);
}
