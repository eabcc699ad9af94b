#include <gtest/gtest.h>

#include "runtime/cmcTick.h"
#include "runtime/cmcVirtualClock.h"

namespace {

struct WrapCase {
  const char* name;
  uint32_t startMs;
};

// A tick of 250 ms read at fixed points, for start times on both sides of the
// 32-bit wrap of the millisecond counter.
TEST(cmcTick, CountsDownAcrossTheCounterWrap) {
  const WrapCase cases[] = {
      {"far from the wrap", 1000},          {"runs out exactly at the wrap", 0xFFFFFFFFu - 249},
      {"wraps mid countdown", 0xFFFFFF80u}, {"started on the last count", 0xFFFFFFFFu},
      {"started on the wrap", 0},           {"started just after the wrap", 3},
  };
  struct Step {
    uint32_t advanceMs;
    uint32_t remaining;
    bool armed;
  };
  const Step steps[] = {{0, 250, true}, {1, 249, true}, {99, 150, true},
                        {149, 1, true}, {1, 0, false},  {500, 0, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    cmcVirtualClock clock(c.startMs);
    cmcTick tick(clock);
    tick.Start(250);
    for (const auto& s : steps) {
      clock.Advance(s.advanceMs);
      EXPECT_EQ(tick.Remaining(), s.remaining);
      EXPECT_EQ(tick.IsArmed(), s.armed);
    }
  }
}

TEST(cmcTick, DisarmedTickReadsZeroUntilStartedAgain) {
  cmcVirtualClock clock(0xFFFFFFF0u);
  cmcTick tick(clock);
  EXPECT_FALSE(tick.IsArmed());
  EXPECT_EQ(tick.Remaining(), 0u);
  tick.Start(0);
  EXPECT_EQ(tick.Remaining(), 0u);
  EXPECT_FALSE(tick.IsArmed());
  tick.Start(40);
  clock.Advance(30);
  tick.Start(40);  // restarting measures from now
  clock.Advance(30);
  EXPECT_EQ(tick.Remaining(), 10u);
}

}  // namespace
