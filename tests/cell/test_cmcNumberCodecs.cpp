#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "cell/NumberFixture.h"
#include "cell/cmcCodecCommon.h"
#include "cell/cmcNumberCodecs.h"

namespace {

constexpr uint8_t kDone = cmcCodecCommon::kResultDone;
constexpr uint8_t kEditor = cmcCodecCommon::kResultEditor;
constexpr int kSpace = cmcCodecCommon::kKeySpace;
constexpr int kBackspace = cmcCodecCommon::kKeyBackspace;
constexpr int kEnter = cmcCodecCommon::kKeyEnter;

const cmcDecimalRule kMskTiming{.storedDecimals = 2, .shownDecimals = 2, .min = 0.01, .max = 2.55, .step = 0.01};
const cmcDecimalRule kHalfSeconds{.storedDecimals = 1, .shownDecimals = 3, .min = 0, .max = 60, .step = 0.5};
const cmcDecimalRule kOffset{
    .storedDecimals = 6, .shownDecimals = 4, .min = -99.975, .max = 99.975, .step = 0.025, .stepping = false};
const cmcDecimalRule kTone{.storedDecimals = 1, .shownDecimals = 1, .min = 250, .max = 3300, .step = 0.1};

class NumberCodecTest : public NumberFixture {
 protected:
  void ExpectShown(const std::string& text, const char* name) {
    EXPECT_EQ(request_.outputText, text) << name;
    EXPECT_EQ(request_.selStart, 0) << name;
    EXPECT_EQ(request_.selLength, static_cast<int32_t>(text.size())) << name;
  }
};

TEST_F(NumberCodecTest, IntegerTyped) {
  const struct {
    const char* name;
    cmcIntegerRule rule;
    int32_t from;
    const char* typed;
    int32_t to;
    bool changed;
    const char* shown;
  } cases[] = {
      {"in range", {}, 0, "42", 42, true, "42"},
      {"offset taken off, shown with it", {.min = 0, .max = 15, .offset = 1}, 0, "16", 15, true, "16"},
      {"clamped above", {.min = 1, .max = 16}, 5, "99", 16, true, "16"},
      {"clamped below", {.min = 1, .max = 16}, 5, "-5", 1, true, "1"},
      {"to the nearest multiple", {.min = 0, .max = 100, .step = 5}, 0, "12", 10, true, "10"},
      {"half a step rounds up", {.min = 0, .max = 100, .step = 5}, 0, "12.5", 15, true, "15"},
      {"top multiple under an odd max", {.min = 1, .max = 15, .step = 2}, 4, "99", 14, true, "14"},
      {"no digits keeps the value", {}, 7, "abc", 7, false, "7"},
  };
  for (const auto& c : cases) {
    int32_t v = c.from;
    Type(c.typed);
    EXPECT_EQ(IntegerCodec(context_, request_, v, c.rule), c.changed) << c.name;
    EXPECT_EQ(v, c.to) << c.name;
    ExpectShown(c.shown, c.name);
    EXPECT_EQ(context_.result, kDone) << c.name;
  }
}

TEST_F(NumberCodecTest, IntegerStepsWrapOrSaturate) {
  const cmcIntegerRule scrambler{.min = 1, .max = 16};
  const cmcIntegerRule bankSize{.min = 1, .max = 16, .saturate = true};
  const struct {
    const char* name;
    cmcIntegerRule rule;
    int32_t from;
    int key;
    int32_t to;
  } cases[] = {
      {"space past max wraps to min", scrambler, 16, kSpace, 1},
      {"backspace below min wraps to max", scrambler, 1, kBackspace, 16},
      {"saturating stays at max", bankSize, 16, kSpace, 16},
      {"saturating stays at min", bankSize, 1, kBackspace, 1},
      {"steps by the step", {.min = 0, .max = 100, .step = 5}, 50, kSpace, 55},
      {"a stepped value is made a multiple", {.min = 0, .max = 100, .step = 5}, 52, kSpace, 55},
      {"saturating at an odd max keeps a multiple", {.min = 1, .max = 15, .step = 2, .saturate = true}, 14, kSpace, 14},
  };
  for (const auto& c : cases) {
    int32_t v = c.from;
    Press(c.key);
    EXPECT_TRUE(IntegerCodec(context_, request_, v, c.rule)) << c.name;
    EXPECT_EQ(v, c.to) << c.name;
    ExpectShown(std::to_string(c.to), c.name);
    EXPECT_EQ(context_.result, kDone) << c.name;
  }
}

TEST_F(NumberCodecTest, IntegerClampIsAChange) {
  int32_t v = 0;
  Draw();
  EXPECT_FALSE(IntegerCodec(context_, request_, v, {.min = 1, .max = 16}));
  EXPECT_EQ(v, 0);
  EXPECT_TRUE(IntegerCodec(context_, request_, v, {.min = 1, .max = 16, .clamp = true}));
  EXPECT_EQ(v, 1);
  ExpectShown("1", "clamped");
}

TEST_F(NumberCodecTest, IntegerFixedTextReplacesTheNumber) {
  int32_t v = 3;
  Press(kEnter);
  IntegerCodec(context_, request_, v, {.fixedText = " Auto "});
  EXPECT_EQ(request_.outputText, "Auto");
  EXPECT_EQ(context_.result, kEditor);
}

TEST_F(NumberCodecTest, PaddedIntegerRefusesOutOfRange) {
  const cmcPaddedRule address{};
  const struct {
    const char* name;
    cmcPaddedRule rule;
    const char* typed;
    int32_t to;
    bool changed;
    const char* shown;
  } cases[] = {
      {"filled to the width", address, "12", 12, true, "0012"},
      {"top of the range", address, "4095", 4095, true, "4095"},
      {"above the range refused", address, "4096", 7, false, "0007"},
      {"negative refused", address, "-1", 7, false, "0007"},
      {"nothing typed", address, "x", 7, false, "0007"},
      {"without fill", {.noFill = true}, "12", 12, true, "12"},
  };
  for (const auto& c : cases) {
    int32_t v = 7;
    Type(c.typed);
    EXPECT_EQ(PaddedIntegerCodec(context_, request_, v, c.rule), c.changed) << c.name;
    EXPECT_EQ(v, c.to) << c.name;
    ExpectShown(c.shown, c.name);
  }

  int32_t v = 4095;
  Press(kSpace);
  EXPECT_TRUE(PaddedIntegerCodec(context_, request_, v, address));
  EXPECT_EQ(v, 0);
  Press(kBackspace);
  EXPECT_TRUE(PaddedIntegerCodec(context_, request_, v, address));
  EXPECT_EQ(v, 4095);
}

TEST_F(NumberCodecTest, DecimalTyped) {
  const struct {
    const char* name;
    cmcDecimalRule rule;
    const char* typed;
    int32_t to;
    const char* shown;
  } cases[] = {
      {"above max clamps", kMskTiming, "3", 255, "  2.55"},
      {"below min clamps", kMskTiming, "0", 1, "  0.01"},
      {"rounded to the stored unit", kMskTiming, "1.005", 101, "  1.01"},
      {"truncated to the step", kHalfSeconds, "7.3", 70, "  7.000"},
      {"rounded down, then truncated", kHalfSeconds, "7.44", 70, "  7.000"},
      {"rounded up to a step", kHalfSeconds, "7.46", 75, "  7.500"},
      {"half a step", kHalfSeconds, "7.5", 75, "  7.500"},
      {"negative fraction keeps its sign", kOffset, "-0.025", -25000, " -0.0250"},
      {"offset truncated to its step", kOffset, "12.3456", 12325000, " 12.3250"},
      {"huge number limited, then clamped", kOffset, "99999999", 99975000, " 99.9750"},
      {"integer part wider than three digits", kTone, "1000", 10000, "1000.0"},
  };
  for (const auto& c : cases) {
    int32_t v = 0;
    Type(c.typed);
    EXPECT_TRUE(DecimalCodec(context_, request_, v, c.rule)) << c.name;
    EXPECT_EQ(v, c.to) << c.name;
    ExpectShown(c.shown, c.name);
  }

  int32_t v = 42;
  Type("-.");
  EXPECT_FALSE(DecimalCodec(context_, request_, v, kMskTiming));
  EXPECT_EQ(v, 42);
}

TEST_F(NumberCodecTest, DecimalShowsWithoutTrailingZeros) {
  const struct {
    const char* name;
    int32_t v;
    int zeros;
    const char* shown;
  } cases[] = {
      {"none removed", 70, 0, "  7.000"},
      {"two removed", 70, 2, "  7.0"},
      {"all and the dot", 70, 3, "  7"},
      {"only zeros go", 75, 3, "  7.5"},
  };
  for (const auto& c : cases) {
    int32_t v = c.v;
    Draw();
    cmcDecimalRule rule = kHalfSeconds;
    rule.zerosToRemove = c.zeros;
    EXPECT_FALSE(DecimalCodec(context_, request_, v, rule)) << c.name;
    ExpectShown(c.shown, c.name);
  }
}

TEST_F(NumberCodecTest, DecimalSteps) {
  int32_t v = 0;
  Type("3");
  DecimalCodec(context_, request_, v, kMskTiming);
  Press(kSpace);
  EXPECT_TRUE(DecimalCodec(context_, request_, v, kMskTiming));
  EXPECT_EQ(v, 1) << "past max to min";
  Press(kBackspace);
  EXPECT_TRUE(DecimalCodec(context_, request_, v, kMskTiming));
  EXPECT_EQ(v, 255) << "below min to max";
  ExpectShown("  2.55", "after two keys");

  v = 20;
  Press(kSpace);
  EXPECT_TRUE(DecimalCodec(context_, request_, v, kHalfSeconds));
  EXPECT_EQ(v, 25) << "half-second step";

  v = 25000;
  Press(kBackspace);
  EXPECT_FALSE(DecimalCodec(context_, request_, v, kOffset)) << "no stepping";
  EXPECT_EQ(v, 25000);
  EXPECT_EQ(context_.result, kDone);
}

TEST_F(NumberCodecTest, AdjustTypedAndArrows) {
  const cmcAdjustRule level{};
  const cmcAdjustRule signedLevel{.min = -128, .max = 127};
  const struct {
    const char* name;
    cmcAdjustRule rule;
    int32_t from;
    int key;
    const char* typed;
    int32_t to;
  } cases[] = {
      {"typed above max", level, 0, 0, "300", 255},
      {"typed below min", signedLevel, 0, 0, "-200", -128},
      {"typed to the step", {.step = 5}, 0, 0, "12", 10},
      {"right arrow adds", level, 10, kKeyArrowRight, nullptr, 11},
      {"left arrow subtracts", signedLevel, -127, kKeyArrowLeft, nullptr, -128},
      {"no wrap at max", level, 255, kKeyArrowRight, nullptr, 255},
      {"no wrap at min", signedLevel, -128, kKeyArrowLeft, nullptr, -128},
      {"shift step made a multiple", {.step = 5}, 3, kKeyArrowRight, nullptr, 10},
      {"shift step under an odd max", {.min = -128, .max = 127, .step = 5}, 127, kKeyArrowLeft, nullptr, 120},
  };
  for (const auto& c : cases) {
    int32_t v = c.from;
    if (c.typed)
      Type(c.typed);
    else
      Press(c.key);
    EXPECT_TRUE(AdjustCodec(context_, request_, v, c.rule)) << c.name;
    EXPECT_EQ(v, c.to) << c.name;
    ExpectShown(std::to_string(c.to), c.name);
  }
}

TEST(BarText, FillsTwentyPlaces) {
  const struct {
    const char* name;
    int32_t v, min, max;
    const char* bar;
  } cases[] = {
      {"middle", 128, 0, 255, "[##########----------]"},
      {"empty", 0, 0, 255, "[--------------------]"},
      {"full", 255, 0, 255, "[####################]"},
      {"signed range", 0, -128, 127, "[##########----------]"},
      {"beyond max held full", 300, 0, 255, "[####################]"},
      {"below min held empty", -5, 0, 255, "[--------------------]"},
      {"no range", 5, 5, 5, "[--------------------]"},
  };
  for (const auto& c : cases) EXPECT_EQ(BarText(c.v, c.min, c.max), c.bar) << c.name;
}

// Which keys open the in-place editor, and on what, for every codec of this file.
TEST_F(NumberCodecTest, EditorKeys) {
  using Codec = std::function<bool(int32_t&)>;
  const Codec integer = [&](int32_t& v) { return IntegerCodec(context_, request_, v, {}); };
  const Codec signedInteger = [&](int32_t& v) { return IntegerCodec(context_, request_, v, {.min = -5, .max = 5}); };
  const Codec padded = [&](int32_t& v) { return PaddedIntegerCodec(context_, request_, v, {}); };
  const Codec timing = [&](int32_t& v) { return DecimalCodec(context_, request_, v, kMskTiming); };
  const Codec offset = [&](int32_t& v) { return DecimalCodec(context_, request_, v, kOffset); };
  cmcDecimalRule bare = kHalfSeconds;
  bare.zerosToRemove = 3;
  const Codec dotless = [&](int32_t& v) { return DecimalCodec(context_, request_, v, bare); };
  const Codec adjust = [&](int32_t& v) { return AdjustCodec(context_, request_, v, {.min = -128, .max = 127}); };
  const Codec adjustNoEditor = [&](int32_t& v) { return AdjustCodec(context_, request_, v, {.noEditor = true}); };
  const struct {
    const char* name;
    Codec codec;
    int32_t v;
    int key;
    uint8_t result;
    const char* text;
    int32_t selStart, selLength;
  } cases[] = {
      {"integer: digit", integer, 5, '7', kEditor, "7", 1, 0},
      {"integer: Enter", integer, 5, kEnter, kEditor, "5", 0, 1},
      {"integer: minus without negatives", integer, 5, '-', kDone, "5", 0, 1},
      {"integer: minus with negatives", signedInteger, 5, '-', kEditor, "-", 1, 0},
      {"integer: letter", integer, 5, 'a', kDone, "5", 0, 1},
      {"integer: activation", integer, 5, cmcCellCapsule::kKeyActivate, kDone, "5", 0, 1},
      {"padded: Enter", padded, 12, kEnter, kEditor, "0012", 0, 4},
      {"padded: digit", padded, 12, '0', kEditor, "0", 1, 0},
      {"decimal: dot puts the caret after the dot", timing, 255, '.', kEditor, "  2.55", 4, 0},
      {"decimal: dot without a dot shown", dotless, 70, '.', kEditor, ".", 1, 0},
      {"decimal: Enter on the trimmed text", timing, 255, kEnter, kEditor, "2.55", 0, 4},
      {"decimal: minus", timing, 255, '-', kEditor, "-", 1, 0},
      {"decimal: space without stepping", offset, 25000, kSpace, kEditor, "0.0250", 0, 6},
      {"adjust: Enter", adjust, -3, kEnter, kEditor, "-3", 0, 2},
      {"adjust: minus with negatives", adjust, -3, '-', kEditor, "-", 1, 0},
      {"adjust without editor: Enter", adjustNoEditor, 9, kEnter, kDone, "9", 0, 1},
      {"adjust without editor: digit", adjustNoEditor, 9, '4', kEditor, "4", 1, 0},
  };
  for (const auto& c : cases) {
    int32_t v = c.v;
    Press(c.key);
    EXPECT_FALSE(c.codec(v)) << c.name;
    EXPECT_EQ(v, c.v) << c.name;
    EXPECT_EQ(context_.result, c.result) << c.name;
    EXPECT_EQ(request_.outputText, c.text) << c.name;
    EXPECT_EQ(request_.selStart, c.selStart) << c.name;
    EXPECT_EQ(request_.selLength, c.selLength) << c.name;
  }
}

TEST_F(NumberCodecTest, WithoutAGridNoKeyActs) {
  const struct {
    const char* name;
    std::function<bool(int32_t&)> codec;
    int key;
  } cases[] = {
      {"integer space", [&](int32_t& v) { return IntegerCodec(context_, request_, v, {}); }, kSpace},
      {"integer digit", [&](int32_t& v) { return IntegerCodec(context_, request_, v, {}); }, '1'},
      {"padded backspace", [&](int32_t& v) { return PaddedIntegerCodec(context_, request_, v, {}); }, kBackspace},
      {"decimal space", [&](int32_t& v) { return DecimalCodec(context_, request_, v, kTone); }, kSpace},
      {"decimal dot", [&](int32_t& v) { return DecimalCodec(context_, request_, v, kTone); }, '.'},
      {"adjust arrow", [&](int32_t& v) { return AdjustCodec(context_, request_, v, {}); }, kKeyArrowRight},
      {"adjust Enter", [&](int32_t& v) { return AdjustCodec(context_, request_, v, {}); }, kEnter},
  };
  for (const auto& c : cases) {
    int32_t v = 2500;
    Press(c.key, false);
    EXPECT_FALSE(c.codec(v)) << c.name;
    EXPECT_EQ(v, 2500) << c.name;
    EXPECT_EQ(context_.result, kDone) << c.name;
    EXPECT_EQ(request_.selStart, 0) << c.name;
  }
}

}  // namespace
