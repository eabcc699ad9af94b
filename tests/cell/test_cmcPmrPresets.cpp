#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/cmcPmrPresetTable.h"
#include "cell/cmcPmrPresets.h"
#include "cell/cmcPresetConfirmations.h"
#include "channel/datCh.h"
#include "channel/datChKinds.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcScriptedPrompts.h"

namespace {

TEST(PmrPresetTableTest, RowsAtTheEdgesOfEachGroup) {
  const struct {
    int row;
    const char* rx;
    const char* tx;
  } cases[] = {
      {1, "476.425000", "476.425000"},
      {40, "477.400000", "477.400000"},
      {41, "476.437500", "476.437500"},
      {80, "477.412500", "477.412500"},
      {81, "476.425000", "477.175000"},
      {88, "476.600000", "477.350000"},
      {89, "", ""},
      {90, "", ""},
      {91, "476.437500", "477.187500"},
      {98, "476.612500", "477.362500"},
      {99, "#", "#"},
  };
  for (const auto& c : cases) {
    EXPECT_STREQ(kPmrPresetTable[c.row - 1].receive, c.rx) << c.row;
    EXPECT_STREQ(kPmrPresetTable[c.row - 1].transmit, c.tx) << c.row;
  }
}

const std::vector<std::string> kLines = {
    "#GI_Sys_AppTitle", "RX-93KIT Dealer", "#GI_AppMess_Confirm_PmrPreset", "Use channel %d?", "#End_Of_Ovl",
};

constexpr int kKind = 2;  // PMR channels
constexpr int kRow = 5;

class PmrPresetTest : public ::testing::Test {
 protected:
  PmrPresetTest() {
    overlay_.SetLines(kLines);
    image_.SetSize(cmcEeprom::kImageSize);
    defaults_.SetSize(cmcEeprom::kImageSize);
    datCh fresh(&defaults_);
    fresh.Load(kKind, kRow);
    fresh.freqR = fresh.freqT = 476'000'000;
    fresh.inUse = true;
    fresh.Store();
    channel_.Load(kKind, kRow);
    channel_.freqR = channel_.freqT = 476'425'000;
    channel_.inUse = true;
  }
  uint8_t Ext(int byte) const {
    return image_.GetByte(cmcImageMap::kChannelExt + cmcImageMap::kChannelExtSize * kRow + byte);
  }
  // Scan list 4's membership bit of the channel.
  bool ScanList4() const { return (image_.GetByte(0x8AD8 + kRow / 8) >> (7 - kRow % 8)) & 1; }

  cmcGTex overlay_;
  cmcEeprom image_;
  cmcEeprom defaults_;
  cmcScriptedPrompts prompts_;
  cmcPresetConfirmations confirmations_{prompts_, overlay_};
  datCh channel_{&image_};
};

TEST_F(PmrPresetTest, EachPresetGroupSetsItsChannelSettings) {
  const struct {
    const char* name;
    int p;
    bool duplex, inhibited, preset, scan4, toneless;
  } cases[] = {
      {"a simplex preset", 1, true, false, true, false, false},
      {"the last simplex preset", 80, true, false, true, false, false},
      {"a repeater preset", 81, false, false, true, true, false},
      {"the emergency repeater preset keeps off scan list 4", 85, false, false, true, false, true},
      {"the second repeater group", 91, false, false, true, true, false},
      {"an emergency simplex preset", 5, true, false, true, false, true},
      {"the other emergency simplex preset", 35, true, false, true, false, true},
      {"a data preset transmits nothing", 22, true, true, true, false, false},
      {"and its neighbour", 23, true, true, true, false, false},
      {"a typed frequency: a free channel", 100, true, true, false, false, false},
  };
  for (const auto& c : cases) {
    channel_.Load(kKind, kRow);
    channel_.width = 0;
    channel_.tot = false;
    channel_.scan = 0x0F;
    channel_.ctoneSel = false;
    channel_.ctoneEdit = true;
    channel_.toneR.on = channel_.toneT.on = true;
    channel_.toneR.ctcssIndex = 8;
    channel_.rptCode = 3;
    EXPECT_FALSE(ApplyPmrPreset(channel_, c.p, defaults_, confirmations_)) << c.name;
    channel_.Reload();
    EXPECT_EQ(channel_.dup, c.duplex) << c.name;
    EXPECT_EQ(channel_.dupEna, c.duplex) << c.name;
    EXPECT_EQ(channel_.inhT, c.inhibited) << c.name;
    EXPECT_EQ(channel_.preset, c.preset) << c.name;
    EXPECT_EQ(ScanList4(), c.scan4) << c.name;
    EXPECT_EQ(channel_.scan & 0x0E, 0x0E) << c.name;  // the other lists stay
    // The preset number is kept less one in the extension's byte 5, the flag in bit 7.
    EXPECT_EQ(Ext(5), (c.preset ? 0x80 : 0) | (c.p - 1)) << c.name;
    if (c.preset) {
      EXPECT_EQ(channel_.width, 1) << c.name;
      EXPECT_TRUE(channel_.tot) << c.name;
    }
    EXPECT_EQ(channel_.toneR.on, !c.toneless) << c.name;
    EXPECT_EQ(channel_.toneT.on, !c.toneless) << c.name;
    EXPECT_EQ(channel_.ctoneSel, c.toneless) << c.name;
    EXPECT_EQ(channel_.ctoneEdit, !c.toneless) << c.name;
    const bool free = c.toneless || c.p == 100;
    EXPECT_EQ(channel_.rptCode, free ? 0xA : 3) << c.name;
  }
}

TEST_F(PmrPresetTest, NoResultChangesNothing) {
  const std::vector<uint8_t> before(image_.Data(), image_.Data() + cmcEeprom::kImageSize);
  EXPECT_FALSE(ApplyPmrPreset(channel_, 0, defaults_, confirmations_));
  EXPECT_EQ(std::vector<uint8_t>(image_.Data(), image_.Data() + cmcEeprom::kImageSize), before);
}

TEST_F(PmrPresetTest, AReservedPresetStaysOnlyWhenConfirmed) {
  prompts_.answers = {cmcPromptAnswer::Cancel};
  EXPECT_TRUE(ApplyPmrPreset(channel_, 61, defaults_, confirmations_));
  ASSERT_EQ(prompts_.asked.size(), 1u);
  EXPECT_EQ(prompts_.asked[0].caption, "RX-93KIT Dealer");
  EXPECT_EQ(prompts_.asked[0].text, "Use channel 61?");
  EXPECT_EQ(prompts_.asked[0].buttons, cmcPromptButtons::OkCancel);
  // The row is the default image's again, and the record shows it.
  EXPECT_EQ(channel_.freqR, 476'000'000u);
  EXPECT_FALSE(channel_.preset);
  EXPECT_TRUE(confirmations_.EntryLocked(60));

  prompts_.answers = {cmcPromptAnswer::Ok};
  EXPECT_FALSE(ApplyPmrPreset(channel_, 61, defaults_, confirmations_));
  EXPECT_EQ(prompts_.asked.size(), 2u);
  EXPECT_TRUE(channel_.preset);
  EXPECT_EQ(channel_.presetNo, 61);
  EXPECT_FALSE(confirmations_.EntryLocked(60));
  EXPECT_TRUE(confirmations_.EntryLocked(61));  // preset 62 is asked on its own
  EXPECT_FALSE(confirmations_.EntryLocked(10));

  // Once confirmed, never asked again.
  EXPECT_FALSE(ApplyPmrPreset(channel_, 61, defaults_, confirmations_));
  EXPECT_EQ(prompts_.asked.size(), 2u);
  EXPECT_FALSE(ApplyPmrPreset(channel_, 60, defaults_, confirmations_));
  EXPECT_EQ(prompts_.asked.size(), 2u);
}

}  // namespace
