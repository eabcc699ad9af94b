#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "runtime/cmcVirtualClock.h"

namespace {

TEST(cmcVirtualClock, DueTimersFireInOrderOfDueTimeThenStartOrder) {
  cmcVirtualClock clock;
  std::string log;
  auto slow = clock.CreateTimer([&] { log += "S"; });
  auto fastA = clock.CreateTimer([&] { log += "a"; });
  auto fastB = clock.CreateTimer([&] { log += "b"; });
  slow->Start(25);
  fastB->Start(10);
  fastA->Start(10);
  clock.Advance(30);
  // b was started before a, so it stays first at 10, 20 and 30; S fires at 25.
  EXPECT_EQ(log, "babaSba");
  EXPECT_EQ(clock.NowMs(), 30u);
}

TEST(cmcVirtualClock, NowIsTheDueMomentInsideACallback) {
  cmcVirtualClock clock(0xFFFFFFF0u);
  std::vector<uint32_t> seen;
  auto t = clock.CreateTimer([&] { seen.push_back(clock.NowMs()); });
  t->Start(10);
  clock.Advance(35);
  EXPECT_EQ(seen, (std::vector<uint32_t>{0xFFFFFFFAu, 4u, 14u}));
  EXPECT_EQ(clock.NowMs(), 19u);
}

TEST(cmcVirtualClock, TimerDestroyedInsideItsOwnCallbackFiresNoMore) {
  cmcVirtualClock clock;
  int fired = 0;
  std::unique_ptr<cmcTimer> t;
  t = clock.CreateTimer([&] {
    ++fired;
    t.reset();
  });
  t->Start(5);
  clock.Advance(50);
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(clock.ActiveTimers(), 0);
}

TEST(cmcVirtualClock, TimerStoppedByAnEarlierCallbackAtTheSameMomentDoesNotFire) {
  cmcVirtualClock clock;
  int secondFired = 0;
  std::unique_ptr<cmcTimer> second;
  auto first = clock.CreateTimer([&] { second->Stop(); });
  second = clock.CreateTimer([&] { ++secondFired; });
  first->Start(10);
  second->Start(10);
  clock.Advance(100);
  EXPECT_EQ(secondFired, 0);
  EXPECT_FALSE(second->IsActive());
}

TEST(cmcVirtualClock, PeriodicTimerFiresOncePerPeriodUntilStopped) {
  cmcVirtualClock clock;
  int fired = 0;
  auto t = clock.CreateTimer([&] { ++fired; });
  t->Start(7);
  clock.Advance(70);
  EXPECT_EQ(fired, 10);
  t->Stop();
  clock.Advance(70);
  EXPECT_EQ(fired, 10);
  t->Start(0);  // at least 1 ms
  clock.Advance(3);
  EXPECT_EQ(fired, 13);
}

TEST(cmcVirtualClock, NestedAdvanceInsideACallbackNeverMovesTimeBack) {
  cmcVirtualClock clock(100);
  bool nested = false;
  auto t = clock.CreateTimer([&] {
    if (nested) return;
    nested = true;
    clock.Advance(50);  // a modal loop running past the outer target
  });
  t->Start(10);
  clock.Advance(20);
  EXPECT_EQ(clock.NowMs(), 160u);
  clock.Advance(5);
  EXPECT_EQ(clock.NowMs(), 165u);
}

}  // namespace
