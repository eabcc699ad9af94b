#include "runtime/cmcTask.h"

cmcTask::cmcTask(cmcTimerHost& host) : timer_(host.CreateTimer([this] { OnFire(); })) {}

cmcTask::~cmcTask() {
  if (destroyed_) *destroyed_ = true;
  timer_.reset();
}

void cmcTask::SetCallback(Callback callback, void* data) {
  callback_ = callback;
  data_ = data;
}

bool cmcTask::SetPeriod(int periodMs) {
  if (periodMs < 0) {
    period_ = -1;
    timer_->Stop();
  } else if (periodMs != period_ || !timer_->IsActive()) {
    period_ = periodMs;
    timer_->Start(periodMs == 0 ? 1 : periodMs);
  }
  return IsStopped();
}

void cmcTask::Stop() {
  callback_ = nullptr;
  data_ = nullptr;
  SetPeriod(-1);
}

void cmcTask::OnFire() {
  if (running_ || !callback_) return;
  bool destroyed = false;
  destroyed_ = &destroyed;
  running_ = true;
  callback_(data_, *this);
  if (destroyed) return;
  running_ = false;
  destroyed_ = nullptr;
}
