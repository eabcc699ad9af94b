#include <gtest/gtest.h>

#include <memory>

#include "runtime/cmcTask.h"
#include "runtime/cmcVirtualClock.h"

namespace {

struct Counter {
  int fired = 0;
  void OnTick() { ++fired; }
};

struct SetPeriodCase {
  const char* name;
  int periodMs;
  uint32_t advanceMs;
  int expectedFires;
  bool expectedStopped;
};

TEST(cmcTask, SetPeriodRunsOrStopsTheTimer) {
  const SetPeriodCase cases[] = {
      {"zero means 1 ms", 0, 5, 5, false},      {"one ms", 1, 5, 5, false},
      {"plain period", 7, 20, 2, false},        {"minus one stops", -1, 100, 0, true},
      {"any negative stops", -5, 100, 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    cmcVirtualClock clock;
    cmcTask task(clock);
    Counter counter;
    task.SetCallback<&Counter::OnTick>(&counter);
    EXPECT_EQ(task.SetPeriod(c.periodMs), c.expectedStopped);
    clock.Advance(c.advanceMs);
    EXPECT_EQ(counter.fired, c.expectedFires);
  }
}

TEST(cmcTask, NewTaskIsStoppedAndMinusOneStopsARunningTask) {
  cmcVirtualClock clock;
  cmcTask task(clock);
  EXPECT_TRUE(task.IsStopped());
  EXPECT_EQ(task.Period(), -1);
  Counter counter;
  task.SetCallback<&Counter::OnTick>(&counter);
  task.SetPeriod(10);
  clock.Advance(30);
  EXPECT_TRUE(task.SetPeriod(-1));
  clock.Advance(100);
  EXPECT_EQ(counter.fired, 3);
  EXPECT_EQ(clock.ActiveTimers(), 0);
}

TEST(cmcTask, AskingTheSamePeriodAgainKeepsThePhaseAndANewPeriodRestarts) {
  cmcVirtualClock clock;
  cmcTask task(clock);
  Counter counter;
  task.SetCallback<&Counter::OnTick>(&counter);
  task.SetPeriod(10);
  clock.Advance(6);
  task.SetPeriod(10);  // an owner that re-asks on every write must not starve its task
  clock.Advance(4);
  EXPECT_EQ(counter.fired, 1);
  clock.Advance(6);
  task.SetPeriod(20);
  clock.Advance(19);
  EXPECT_EQ(counter.fired, 1);
  clock.Advance(1);
  EXPECT_EQ(counter.fired, 2);
}

TEST(cmcTask, StopClearsTheCallback) {
  cmcVirtualClock clock;
  cmcTask task(clock);
  Counter counter;
  task.SetCallback<&Counter::OnTick>(&counter);
  task.SetPeriod(10);
  task.Stop();
  EXPECT_FALSE(task.SetPeriod(10));
  clock.Advance(100);
  EXPECT_EQ(counter.fired, 0);
}

TEST(cmcTask, TickArrivingWhileTheCallbackRunsIsDropped) {
  cmcVirtualClock clock;
  cmcTask task(clock);
  struct Modal {
    cmcVirtualClock& clock;
    int entered = 0;
    bool sawRunning = false;
    void OnTick(cmcTask& t) {
      ++entered;
      sawRunning = t.IsRunning();
      if (entered == 1) clock.Advance(100);  // a modal window's nested loop
    }
  } modal{clock};
  task.SetCallback<&Modal::OnTick>(&modal);
  task.SetPeriod(10);
  clock.Advance(10);
  EXPECT_EQ(modal.entered, 1);
  EXPECT_TRUE(modal.sawRunning);
  EXPECT_FALSE(task.IsRunning());
  clock.Advance(10);  // the task keeps running once the callback has returned
  EXPECT_EQ(modal.entered, 2);
}

TEST(cmcTask, DestroyingTheTaskInsideItsCallbackIsSafe) {
  cmcVirtualClock clock;
  struct Owner {
    std::unique_ptr<cmcTask> task;
    int fired = 0;
    void OnTick() {
      ++fired;
      task.reset();
    }
  } owner;
  owner.task = std::make_unique<cmcTask>(clock);
  owner.task->SetCallback<&Owner::OnTick>(&owner);
  owner.task->SetPeriod(5);
  clock.Advance(50);
  EXPECT_EQ(owner.fired, 1);
  EXPECT_EQ(clock.ActiveTimers(), 0);
}

}  // namespace
