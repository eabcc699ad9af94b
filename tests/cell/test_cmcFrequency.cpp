#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/cmcFrequency.h"
#include "overlay/cmcGTex.h"

namespace {

TEST(SnapToRasterTest, MovesOntoTheRasterTheTypedDigitsCanReach) {
  const struct {
    const char* name;
    int64_t f;
    int64_t snapped;
  } cases[] = {
      {"6.25 kHz point reached from 6 kHz", 450'006'000, 450'006'250},
      {"2.5 kHz point stays", 450'012'500, 450'012'500},
      {"3.125 kHz point stays", 450'003'125, 450'003'125},
      {"whole megahertz stays", 520'000'000, 520'000'000},
      {"hundreds of hertz typed: 450.0001 reaches no point", 450'000'100, -1},
      {"last digit typed, off the raster", 450'006'251, -1},
      {"tens typed reach the next 625 Hz point only within 10 Hz", 450'006'240, -1},
      {"zero is on the raster", 0, 0},
      {"a 100 kHz step is its own start", 476'400'000, 476'400'000},
      {"2.5 kHz reached from 2 kHz", 450'002'000, 450'002'500},
  };
  for (const auto& c : cases) EXPECT_EQ(SnapToRaster(c.f), c.snapped) << c.name;
}

TEST(SnapToRasterTest, WideDoublesTheRaster) {
  EXPECT_EQ(SnapToRaster(450'003'000, true), -1);  // 3.125 kHz is off the wide raster
  EXPECT_EQ(SnapToRaster(450'005'000, true), 450'005'000);
  EXPECT_EQ(SnapToRaster(450'006'000, true), 450'006'250);
}

TEST(ParseTypedFrequencyTest, ReadsMegahertzOntoTheRaster) {
  const struct {
    const char* name;
    const char* text;
    std::optional<uint32_t> hertz;
  } cases[] = {
      {"six-digit kHz typed short", "450.006", 450'006'250},
      {"whole megahertz", "520", 520'000'000},
      {"other characters dropped", " 4x50.0125 MHz", 450'012'500},
      {"cut after the ninth character", "450.0062509999", 450'006'250},
      {"off the raster", "449.9999", std::nullopt},
      {"empty", "", std::nullopt},
      {"nothing but letters", "abc", std::nullopt},
      {"negative clamps to 0", "-5", 0},
      {"above the top clamps below 800 MHz", "9999", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseTypedFrequency(c.text), c.hertz) << c.name;
}

TEST(FrequencyTextTest, ShowsMegahertzWithSixDigits) {
  EXPECT_EQ(FrequencyText(450'006'250), "450.006250");
  EXPECT_EQ(FrequencyText(0), "0.000000");
  EXPECT_EQ(FrequencyText(ClampFrequency(900'000'000)), "799.999950");
  EXPECT_EQ(ClampToTypedBand(446'006'250), 450'000'000u);
  EXPECT_EQ(ClampToTypedBand(600'000'000), 520'000'000u);
}

TEST(BandCheckTest, FirstBandHoldingTheFrequencyDecides) {
  const std::vector<std::string> lines = {
      "#GI_Sys_FCL",
      "1:460000000-461000000",  // refused inside the allowed band below
      "0:450000000-520000000",
      "0:47000000-48000000",     // 19 characters: ignored
      "1:100000000-200000000 ",  // 22 characters: ignored
      "#",
      "1:300000000-400000000",  // after the end of the list
      "#End_Of_Ovl",
  };
  cmcGTex overlay;
  overlay.SetLines(lines);
  const struct {
    const char* name;
    int64_t f;
    int64_t result;
  } cases[] = {
      {"allowed band", 455'000'000, 455'000'000},
      {"refused band listed first wins", 460'500'000, -1},
      {"refused band edges are inclusive", 461'000'000, -1},
      {"no band: passes", 47'500'000, 47'500'000},
      {"a line of another length does not refuse", 150'000'000, 150'000'000},
      {"a band after the end line does not count", 350'000'000, 350'000'000},
  };
  for (const auto& c : cases) EXPECT_EQ(BandCheck(overlay, c.f), c.result) << c.name;
}

}  // namespace
