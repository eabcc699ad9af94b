#include "shell/ui/cuiQtClock.h"

#include <QTimer>
#include <chrono>
#include <memory>

namespace {

class QtTimer : public cmcTimer {
 public:
  explicit QtTimer(std::function<void()> onFire) : timer_(new QTimer), onFire_(std::move(onFire)) {
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_, &QTimer::timeout, [this] { Fire(); });
  }
  ~QtTimer() override {
    *alive_ = false;
    timer_->stop();
    timer_->disconnect();
    // A timer destroyed from inside its own timeout is deleted once the signal has returned.
    if (firing_)
      timer_->deleteLater();
    else
      delete timer_;
  }
  void Start(int periodMs) override { timer_->start(periodMs < 1 ? 1 : periodMs); }
  void Stop() override { timer_->stop(); }
  bool IsActive() const override { return timer_->isActive(); }

 private:
  void Fire() {
    // The callback may destroy this object; only touch it afterwards while alive.
    const auto alive = alive_;
    const auto fire = onFire_;
    firing_ = true;
    fire();
    if (*alive) firing_ = false;
  }
  QTimer* timer_;
  std::function<void()> onFire_;
  bool firing_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace

uint32_t cuiQtClock::NowMs() const {
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
  return static_cast<uint32_t>(ms.count());
}

std::unique_ptr<cmcTimer> cuiQtClock::CreateTimer(std::function<void()> onFire) {
  return std::make_unique<QtTimer>(std::move(onFire));
}
