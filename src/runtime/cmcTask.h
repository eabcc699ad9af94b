#pragma once
// A periodic task: one callback run by a message-loop timer on the GUI thread. The
// callback never re-enters itself: a tick that arrives while it runs (inside a nested
// message loop, say) is dropped. The task may be destroyed from inside its callback;
// destruction replaces an explicit free.
#include <memory>
#include <type_traits>

#include "runtime/cmcClock.h"

class cmcTask {
 public:
  using Callback = void (*)(void* data, cmcTask& task);

  // A new task is stopped (period -1) and has no callback.
  explicit cmcTask(cmcTimerHost& host);
  ~cmcTask();
  cmcTask(const cmcTask&) = delete;
  cmcTask& operator=(const cmcTask&) = delete;

  void SetCallback(Callback callback, void* data);
  // Binds a member function, void T::Method() or void T::Method(cmcTask&), of object.
  template <auto Method, class T>
  void SetCallback(T* object) {
    SetCallback(&MethodThunk<Method, T>, object);
  }

  // A negative period stops the timer; otherwise it runs with that period, 0 meaning
  // 1 ms. Asking for the period it already runs with keeps its phase. Returns the
  // stopped flag.
  bool SetPeriod(int periodMs);
  // Clears the callback and its data and stops the timer.
  void Stop();

  // The period asked for, -1 while stopped.
  int Period() const { return period_; }
  bool IsStopped() const { return period_ < 0; }
  // True while the callback runs.
  bool IsRunning() const { return running_; }

 private:
  template <auto Method, class T>
  static void MethodThunk(void* data, cmcTask& task) {
    T* object = static_cast<T*>(data);
    if constexpr (std::is_invocable_v<decltype(Method), T*, cmcTask&>)
      (object->*Method)(task);
    else
      (object->*Method)();
  }
  void OnFire();

  std::unique_ptr<cmcTimer> timer_;
  Callback callback_ = nullptr;
  void* data_ = nullptr;
  int period_ = -1;
  bool running_ = false;
  // Points at a flag on the stack of the running callback's caller, so that a task
  // destroyed inside its callback is not touched afterwards.
  bool* destroyed_ = nullptr;
};
