#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "cell/NumberFixture.h"
#include "cell/cmcCodecCommon.h"
#include "cell/cmcTimerCodecs.h"

namespace {

constexpr uint8_t kDone = cmcCodecCommon::kResultDone;
constexpr uint8_t kEditor = cmcCodecCommon::kResultEditor;
constexpr int kSpace = cmcCodecCommon::kKeySpace;
constexpr int kBackspace = cmcCodecCommon::kKeyBackspace;
constexpr int kEnter = cmcCodecCommon::kKeyEnter;

const cmcTimerRule kTenths{.scale = 10, .min = 0, .max = 255};
const cmcTimerRule kTenthsOff{.scale = 10, .min = 0, .max = 255, .offAllowed = true, .zerosToRemove = 2};
// Five-second units up to ten minutes, at least five seconds.
const cmcMinuteSecondRule kFiveSeconds{.minSeconds = 5, .maxSeconds = 600, .resolution = 5};
const cmcMinuteSecondRule kFiveSecondsOff{.minSeconds = 0, .maxSeconds = 600, .resolution = 5, .offAllowed = true};

using TimerCodecTest = NumberFixture;

TEST_F(TimerCodecTest, TimerTyped) {
  const struct {
    const char* name;
    cmcTimerRule rule;
    const char* typed;
    int32_t to;
    bool changed;
    const char* shown;
  } cases[] = {
      {"2.35 truncates to 23", kTenths, "2.35", 23, true, "  2.300"},
      {"2.4 reaches 24", kTenths, "2.4", 24, true, "  2.400"},
      {"clamped to max", kTenths, "30", 255, true, " 25.500"},
      {"minus dropped", kTenths, "-3", 30, true, "  3.000"},
      {"zeros removed", kTenthsOff, "2.5", 25, true, "  2.5"},
      {"off typed", kTenthsOff, "off", 0, true, "Off"},
      {"off in capitals, cut short", kTenthsOff, "OF", 0, true, "Off"},
      {"off not allowed", kTenths, "off", 7, false, "  0.700"},
      {"a dot is no number", kTenths, ".", 7, false, "  0.700"},
      {"hundredths", {.scale = 100, .min = 0, .max = 255}, "1.23", 123, true, "  1.230"},
  };
  for (const auto& c : cases) {
    int32_t v = 7;
    Type(c.typed);
    EXPECT_EQ(TimerCodec(context_, request_, v, c.rule), c.changed) << c.name;
    EXPECT_EQ(v, c.to) << c.name;
    EXPECT_EQ(request_.outputText, c.shown) << c.name;
    EXPECT_EQ(request_.selLength, static_cast<int32_t>(std::string(c.shown).size())) << c.name;
  }
}

TEST_F(TimerCodecTest, TimerShowsOffOnlyOutsideKeys) {
  int32_t v = 0;
  Draw();
  TimerCodec(context_, request_, v, kTenthsOff);
  EXPECT_EQ(request_.outputText, "Off");
  Press(kEnter);
  TimerCodec(context_, request_, v, kTenthsOff);
  EXPECT_EQ(request_.outputText, "0.0") << "the editor gets the number";
  Draw();
  TimerCodec(context_, request_, v, kTenths);
  EXPECT_EQ(request_.outputText, "  0.000") << "off not allowed";
}

TEST_F(TimerCodecTest, MinuteSecondTyped) {
  const struct {
    const char* name;
    cmcMinuteSecondRule rule;
    const char* typed;
    int32_t to;
    bool changed;
  } cases[] = {
      {"1:08 rounds up a unit", kFiveSeconds, "1:08", 14, true},
      {"1:07 stays", kFiveSeconds, "1:07", 13, true},
      {"exactly half a unit rounds up", {.minSeconds = 0, .maxSeconds = 600, .resolution = 2}, "0:01", 1, true},
      {"seven characters refused", kFiveSeconds, "12345:1", 50, false},
      {"six characters taken", kFiveSeconds, "100:00", 120, true},
      {"letters and spaces dropped", kFiveSeconds, "1 m : 08 s", 14, true},
      {"seconds only", kFiveSeconds, ":30", 6, true},
      {"minutes only", kFiveSeconds, "2:", 24, true},
      {"no colon reads minutes", kFiveSeconds, "2", 24, true},
      {"clamped to the minimum", kFiveSeconds, "0:00", 1, true},
      {"a colon alone is nothing", kFiveSeconds, ":", 50, false},
      {"nothing", kFiveSeconds, "", 50, false},
  };
  for (const auto& c : cases) {
    int32_t v = 50;
    Type(c.typed);
    EXPECT_EQ(MinuteSecondCodec(context_, request_, v, c.rule), c.changed) << c.name;
    EXPECT_EQ(v, c.to) << c.name;
  }
}

TEST_F(TimerCodecTest, MinuteSecondShows) {
  const struct {
    const char* name;
    cmcMinuteSecondRule rule;
    int32_t v;
    const char* shown;
  } cases[] = {
      {"minutes and seconds", kFiveSeconds, 14, " 1:10"},    {"seconds filled", kFiveSeconds, 1, " 0:05"},
      {"three-digit minutes", kFiveSeconds, 1200, "100:00"}, {"off", kFiveSecondsOff, 0, "Off"},
      {"zero without off", kFiveSeconds, 0, " 0:00"},
  };
  for (const auto& c : cases) {
    int32_t v = c.v;
    Draw();
    EXPECT_FALSE(MinuteSecondCodec(context_, request_, v, c.rule)) << c.name;
    EXPECT_EQ(request_.outputText, c.shown) << c.name;
    EXPECT_EQ(request_.selStart, 0) << c.name;
    EXPECT_EQ(request_.selLength, static_cast<int32_t>(std::string(c.shown).size())) << c.name;
  }
}

TEST_F(TimerCodecTest, StepsWrapAround) {
  using Codec = std::function<bool(int32_t&)>;
  const Codec timer = [&](int32_t& v) { return TimerCodec(context_, request_, v, kTenths); };
  const Codec minuteSecond = [&](int32_t& v) { return MinuteSecondCodec(context_, request_, v, kFiveSeconds); };
  const struct {
    const char* name;
    Codec codec;
    int32_t from;
    int key;
    int32_t to;
  } cases[] = {
      {"timer up", timer, 23, kSpace, 24},
      {"timer past max", timer, 255, kSpace, 0},
      {"timer below min", timer, 0, kBackspace, 255},
      {"minute:second up", minuteSecond, 13, kSpace, 14},
      {"minute:second past max", minuteSecond, 120, kSpace, 1},
      {"minute:second below min", minuteSecond, 1, kBackspace, 120},
  };
  for (const auto& c : cases) {
    int32_t v = c.from;
    Press(c.key);
    EXPECT_TRUE(c.codec(v)) << c.name;
    EXPECT_EQ(v, c.to) << c.name;
    EXPECT_EQ(context_.result, kDone) << c.name;

    v = c.from;
    Press(c.key, false);
    EXPECT_FALSE(c.codec(v)) << c.name << " without a grid";
    EXPECT_EQ(v, c.from) << c.name << " without a grid";
  }
}

TEST_F(TimerCodecTest, EditorKeys) {
  using Codec = std::function<bool(int32_t&)>;
  const Codec timer = [&](int32_t& v) { return TimerCodec(context_, request_, v, kTenths); };
  const Codec timerOff = [&](int32_t& v) { return TimerCodec(context_, request_, v, kTenthsOff); };
  const Codec minuteSecond = [&](int32_t& v) { return MinuteSecondCodec(context_, request_, v, kFiveSecondsOff); };
  const struct {
    const char* name;
    Codec codec;
    int key;
    uint8_t result;
    const char* text;
    int32_t selStart, selLength;
  } cases[] = {
      {"timer: Enter on the trimmed text", timer, kEnter, kEditor, "2.300", 0, 5},
      {"timer: digit", timer, '4', kEditor, "4", 1, 0},
      {"timer: dot", timer, '.', kEditor, ".", 1, 0},
      {"timer: o without off", timer, 'o', kDone, "  2.300", 0, 7},
      {"timer: o with off", timerOff, 'o', kEditor, "o", 1, 0},
      {"timer: O with off", timerOff, 'O', kEditor, "O", 1, 0},
      {"timer: minus", timer, '-', kDone, "  2.300", 0, 7},
      {"minute:second: Enter", minuteSecond, kEnter, kEditor, "1:55", 0, 4},
      {"minute:second: colon", minuteSecond, ':', kEditor, ":", 1, 0},
      {"minute:second: digit", minuteSecond, '9', kEditor, "9", 1, 0},
      {"minute:second: dot", minuteSecond, '.', kDone, " 1:55", 0, 5},
  };
  for (const auto& c : cases) {
    int32_t v = 23;
    Press(c.key);
    EXPECT_FALSE(c.codec(v)) << c.name;
    EXPECT_EQ(context_.result, c.result) << c.name;
    EXPECT_EQ(request_.outputText, c.text) << c.name;
    EXPECT_EQ(request_.selStart, c.selStart) << c.name;
    EXPECT_EQ(request_.selLength, c.selLength) << c.name;

    Press(c.key, false);
    c.codec(v);
    EXPECT_EQ(context_.result, kDone) << c.name << " without a grid";
  }
}

}  // namespace
