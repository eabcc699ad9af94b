#include <gtest/gtest.h>

#include <string>

#include "cell/cmcNumberText.h"

namespace {

using N = cmcNumberText;

TEST(cmcNumberText, ReadsATypedNumber) {
  const struct {
    const char* name;
    const char* text;
    bool entered;
    double real;
    int64_t nearest;
  } cases[] = {
      {"plain", "12", true, 12, 12},
      {"half rounds up", "2.5", true, 2.5, 3},
      {"negative half rounds down", "-2.5", true, -2.5, -3},
      {"below half", "2.49", true, 2.49, 2},
      {"units and spaces dropped", " 7 s", true, 7, 7},
      {"comma dropped, not a decimal point", "1,5", true, 15, 15},
      {"cut to nine characters", "1234567890", true, 123456789, 123456789},
      {"minus inside ends the number", "1-2", true, 1, 1},
      {"second dot ends the number", "12.345.6", true, 12.345, 12},
      {"leading dot", ".6", true, 0.6, 1},
      {"no digit: not entered", "-.", false, 0, 0},
      {"letters only: not entered", "abc", false, 0, 0},
      {"nothing", "", false, 0, 0},
  };
  for (const auto& c : cases) {
    const N::Typed typed = N::ParseTyped(c.text);
    EXPECT_EQ(typed.entered, c.entered) << c.name;
    EXPECT_DOUBLE_EQ(typed.real, c.real) << c.name;
    EXPECT_EQ(typed.nearest, c.nearest) << c.name;
  }
}

TEST(cmcNumberText, ShiftsTheDecimalPointInTheText) {
  const struct {
    const char* name;
    const char* text;
    int decimals;
    double shifted;
  } cases[] = {
      {"a half at two decimals stays a half", "1.005", 2, 100.5},
      {"integer", "3", 2, 300},
      {"fraction longer than the shift", "12.3456", 6, 12345600},
      {"negative below one", "-0.025", 6, -25000},
      {"leading dot", ".5", 1, 5},
      {"no shift", "2.5", 0, 2.5},
      {"only the leading number", "1.5-3", 1, 15},
      {"no number", "-", 2, 0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(N::ShiftedNumber(c.text, c.decimals), c.shifted) << c.name;
}

TEST(cmcNumberText, RoundsToMultiples) {
  const struct {
    const char* name;
    int64_t v;
    int64_t step;
    int64_t nearest;
    int64_t truncated;
  } cases[] = {
      {"half a step rounds away from zero", 5, 2, 6, 4},
      {"negative half a step", -5, 2, -6, -4},
      {"below half a step", 2, 5, 0, 0},
      {"above half a step", 4, 5, 5, 0},
      {"step 1 leaves the value", 7, 1, 7, 7},
      {"step 0 leaves the value", 7, 0, 7, 7},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(N::NearestMultiple(c.v, c.step), c.nearest) << c.name;
    EXPECT_EQ(N::TruncatedMultiple(c.v, c.step), c.truncated) << c.name;
  }
}

TEST(cmcNumberText, KeepsMultiplesInsideLimitsThatAreNone) {
  const struct {
    const char* name;
    int64_t v, step, min, max, within;
  } cases[] = {
      {"inside", 7, 2, 1, 15, 8},
      {"above an odd max", 99, 2, 1, 15, 14},
      {"below an odd min", -9, 2, 1, 15, 2},
      {"range narrower than a step", 9, 10, 3, 7, 7},
  };
  for (const auto& c : cases) EXPECT_EQ(N::NearestMultipleWithin(c.v, c.step, c.min, c.max), c.within) << c.name;
}

TEST(cmcNumberText, StepsWithWrapOrSaturation) {
  const struct {
    const char* name;
    int64_t v, delta;
    bool saturate;
    int64_t next;
  } cases[] = {
      {"inside", 5, 1, false, 6},
      {"past max wraps to min", 16, 1, false, 1},
      {"below min wraps to max", 1, -1, false, 16},
      {"past max saturates", 16, 1, true, 16},
      {"below min saturates", 1, -1, true, 1},
      {"a big step past max", 14, 5, false, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(N::Step(c.v, c.delta, 1, 16, c.saturate), c.next) << c.name;
}

TEST(cmcNumberText, WritesFixedPointText) {
  const struct {
    const char* name;
    int64_t whole, fraction;
    int digits;
    bool negative;
    int zeros;
    std::string text;
  } cases[] = {
      {"three-digit integer part", 2, 55, 2, false, 0, "  2.55"},
      {"fraction filled with zeros", 2, 5, 3, false, 0, "  2.005"},
      {"wide integer part", 1000, 0, 1, false, 0, "1000.0"},
      {"negative", -12, 500, 3, true, 0, "-12.500"},
      {"negative fraction keeps its sign", 0, -25, 3, true, 0, " -0.025"},
      {"one zero removed", 2, 50, 2, false, 1, "  2.5"},
      {"all zeros and the dot", 2, 0, 2, false, 2, "  2"},
      {"fewer removed than there are", 2, 0, 2, false, 1, "  2.0"},
      {"removal stops at the dot", 100, 0, 3, false, 9, "100"},
  };
  for (const auto& c : cases) {
    std::string text = N::FixedPoint(c.whole, c.fraction, c.digits, c.negative);
    N::RemoveTrailingZeros(text, c.zeros);
    EXPECT_EQ(text, c.text) << c.name;
  }
}

}  // namespace
