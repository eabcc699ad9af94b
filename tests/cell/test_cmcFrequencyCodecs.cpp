#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/ChannelCodecFixture.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcFrequencyCodecs.h"

namespace {

constexpr uint8_t kDone = cmcCodecCommon::kResultDone;
constexpr uint8_t kPopup = cmcCodecCommon::kResultPopup;
constexpr uint8_t kEditor = cmcCodecCommon::kResultEditor;
constexpr uint8_t kCentre = cmcChannelCodecContext::kAlignCentre;
constexpr uint8_t kRight = cmcChannelCodecContext::kAlignRight;
constexpr uint32_t kRestricted = cmcChannelCodecContext::kRestrictedColour;

const std::vector<std::string> kLines = {
    "#GI_Sys_FCL", "1:470000000-471000000", "0:450000000-520000000", "#", "#End_Of_Ovl",
};

class FrequencyCodecTest : public ChannelCodecFixture {
 protected:
  FrequencyCodecTest() : ChannelCodecFixture(kLines) {}
  bool Rx() { return FrequencyCodec(codec_, request_, channel_, true); }
  bool Tx() { return FrequencyCodec(codec_, request_, channel_, false); }
};

TEST_F(FrequencyCodecTest, TypedReceiveFrequency) {
  const struct {
    const char* name;
    uint32_t rx, tx;
    const char* typed;
    bool changed;
    uint32_t newRx, newTx;
    const char* shown;
  } cases[] = {
      {"snapped onto 6.25 kHz", 455'000'000, 465'000'000, "450.006", true, 450'006'250, 465'000'000, "450.006250"},
      {"below the band", 455'000'000, 465'000'000, "449.9999", false, 455'000'000, 465'000'000, "455.000000"},
      {"the band's top is in it", 455'000'000, 465'000'000, "520", true, 520'000'000, 465'000'000, "520.000000"},
      {"above the band", 455'000'000, 465'000'000, "520.0025", false, 455'000'000, 465'000'000, "455.000000"},
      {"450 itself is below", 455'000'000, 465'000'000, "450", false, 455'000'000, 465'000'000, "455.000000"},
      {"in a refused band", 455'000'000, 465'000'000, "470.5", false, 455'000'000, 465'000'000, "455.000000"},
      {"nothing readable", 455'000'000, 465'000'000, "MHz", false, 455'000'000, 465'000'000, "455.000000"},
      {"simplex: transmit follows", 455'000'000, 455'000'000, "460", true, 460'000'000, 460'000'000, "460.000000"},
      {"duplex: transmit stays", 455'000'000, 465'000'000, "460", true, 460'000'000, 465'000'000, "460.000000"},
      {"the same frequency again", 455'000'000, 465'000'000, "455.0", false, 455'000'000, 465'000'000, "455.000000"},
  };
  for (const auto& c : cases) {
    Channel(c.rx, c.tx);
    Type(c.typed);
    EXPECT_EQ(Rx(), c.changed) << c.name;
    EXPECT_EQ(channel_.freqR, c.newRx) << c.name;
    EXPECT_EQ(channel_.freqT, c.newTx) << c.name;
    EXPECT_EQ(request_.outputText, c.shown) << c.name;
    EXPECT_EQ(request_.selStart, 0) << c.name;
    EXPECT_EQ(request_.selLength, 10) << c.name;
    EXPECT_EQ(codec_.textAlign, kRight) << c.name;
    EXPECT_FALSE(codec_.textColour) << c.name;
  }
}

TEST_F(FrequencyCodecTest, TypingOnAChannelNotInUseStartsASimplexChannel) {
  Channel(0, 0);
  channel_.inhR = true;
  Draw();
  EXPECT_FALSE(Rx());
  EXPECT_EQ(request_.outputText, "");

  Type("455");
  EXPECT_TRUE(Rx());
  EXPECT_TRUE(channel_.inUse);
  EXPECT_FALSE(channel_.inhR);
  EXPECT_EQ(channel_.freqR, 455'000'000u);
  EXPECT_EQ(channel_.freqT, 455'000'000u);
  EXPECT_EQ(request_.outputText, "455.000000");
}

TEST_F(FrequencyCodecTest, TransmitCell) {
  Channel(455'000'000, 455'000'000);
  Draw();
  EXPECT_FALSE(Tx());
  EXPECT_EQ(request_.outputText, "<-");
  EXPECT_EQ(codec_.textAlign, kCentre);

  Type("460");
  EXPECT_TRUE(Tx());
  EXPECT_EQ(channel_.freqT, 460'000'000u);
  EXPECT_EQ(channel_.freqR, 455'000'000u);
  EXPECT_EQ(request_.outputText, "460.000000");
  EXPECT_EQ(codec_.textAlign, kRight);

  Type("530");
  EXPECT_FALSE(Tx());
  EXPECT_EQ(channel_.freqT, 460'000'000u);

  channel_.inhT = true;
  Draw();
  Tx();
  EXPECT_EQ(request_.outputText, "460.000000");
  EXPECT_EQ(codec_.textColour, kRestricted);

  Channel(0, 0);
  Draw();
  Tx();
  EXPECT_EQ(request_.outputText, "");
}

TEST_F(FrequencyCodecTest, KeysOpenTheEditor) {
  const struct {
    const char* name;
    bool inUse;
    bool receive;
    int key;
    uint8_t result;
    const char* text;
    int32_t selStart, selLength;
  } cases[] = {
      {"Enter: the frequency, all selected", true, true, 13, kEditor, "455.012500", 0, 10},
      {"space acts as Enter", true, true, ' ', kEditor, "455.012500", 0, 10},
      {"backspace acts as Enter", true, true, 8, kEditor, "455.012500", 0, 10},
      {"Enter on a channel not in use: empty", false, true, 13, kEditor, "", 0, 0},
      {"a digit starts the text", true, true, '4', kEditor, "4", 1, 0},
      {"a dot keeps the text, caret after the dot", true, true, '.', kEditor, "455.012500", 4, 0},
      {"a dot on a channel not in use", false, true, '.', kEditor, ".", 1, 0},
      {"= on transmit: the receive frequency", true, false, '=', kEditor, "455.012500", 0, 10},
      {"= on receive does nothing", true, true, '=', kDone, "455.012500", 0, 10},
      {"a letter does nothing", true, true, 'x', kDone, "455.012500", 0, 10},
  };
  for (const auto& c : cases) {
    Channel(c.inUse ? 455'012'500 : 0, c.inUse ? 465'000'000 : 0);
    Press(c.key);
    EXPECT_FALSE(c.receive ? Rx() : Tx()) << c.name;
    EXPECT_EQ(codec_.result, c.result) << c.name;
    EXPECT_EQ(request_.outputText, c.text) << c.name;
    EXPECT_EQ(request_.selStart, c.selStart) << c.name;
    EXPECT_EQ(request_.selLength, c.selLength) << c.name;
  }
}

TEST_F(FrequencyCodecTest, WithoutAGridKeysOnlyShow) {
  for (int key : {13, int{' '}, int{'4'}, int{'.'}}) {
    Channel(455'000'000, 465'000'000);
    Press(key, false);
    EXPECT_FALSE(Rx());
    EXPECT_EQ(codec_.result, kDone) << key;
    EXPECT_EQ(request_.outputText, "455.000000") << key;
  }
}

class PmrFrequencyCodecTest : public FrequencyCodecTest {
 protected:
  bool Run() { return PmrFrequencyCodec(codec_, request_, channel_, preset_); }
  void Preset(int p, uint32_t rx, uint32_t tx) {
    Channel(rx, tx);
    channel_.preset = true;
    channel_.presetNo = p;
  }
  int preset_ = -1;
};

TEST_F(PmrFrequencyCodecTest, EnterOpensThePresetChooserOnTheChannelsRow) {
  const struct {
    const char* name;
    bool preset;
    uint32_t rx, tx;
    int row;
  } cases[] = {
      {"a free channel not in use", false, 0, 0, 80},
      {"a channel in use that is no preset", false, 476'425'000, 476'425'000, 80},
      {"preset 1: simplex 476.425", true, 476'425'000, 476'425'000, 0},
      {"preset 41", true, 476'437'500, 476'437'500, 40},
      {"preset 81 shares its receive frequency with preset 1", true, 476'425'000, 477'175'000, 80},
      {"preset 98", true, 476'612'500, 477'362'500, 97},
      {"a preset channel matching no row", true, 476'430'000, 476'430'000, 80},
  };
  for (const auto& c : cases) {
    Channel(c.rx, c.tx);
    channel_.preset = c.preset;
    grid_.opened.clear();
    Press(13);
    EXPECT_FALSE(Run()) << c.name;
    EXPECT_EQ(preset_, 0) << c.name;
    EXPECT_EQ(codec_.result, kPopup) << c.name;
    ASSERT_EQ(grid_.opened.size(), 1u) << c.name;
    EXPECT_EQ(grid_.opened[0].listKey, "GI_Sheet_Sel_Mch_Freq") << c.name;
    EXPECT_EQ(grid_.opened[0].keyLabel, Flex0) << c.name;
    EXPECT_EQ(grid_.opened[0].value, c.row) << c.name;
  }
  Channel(0, 0);
  Press(' ');
  Run();
  EXPECT_EQ(grid_.opened.back().value, 80);
}

TEST_F(PmrFrequencyCodecTest, AChosenRowSetsBothFrequenciesAndAnswersItsPreset) {
  const struct {
    const char* name;
    uint32_t label;
    int row;
    bool changed;
    int preset;
    uint32_t rx, tx;
  } cases[] = {
      {"row 1", Flex0, 0, true, 1, 476'425'000, 476'425'000},
      {"row 81: a repeater pair", Flex0, 80, true, 81, 476'425'000, 477'175'000},
      {"row 98", Flex0, 97, true, 98, 476'612'500, 477'362'500},
      {"a reserved row answers as its preset", FlexLockCh, 61, true, 62, 476'962'500, 476'962'500},
      {"the empty row 89 changes nothing", Flex0, 88, false, 0, 0, 0},
      {"a row beyond the table", Flex0, 98, false, 0, 0, 0},
      {"an answer of another list", Flex1, 0, false, 0, 0, 0},
  };
  for (const auto& c : cases) {
    Channel(0, 0);
    Answer(c.label, c.row);
    EXPECT_EQ(Run(), c.changed) << c.name;
    EXPECT_EQ(preset_, c.preset) << c.name;
    EXPECT_EQ(channel_.freqR, c.rx) << c.name;
    EXPECT_EQ(channel_.freqT, c.tx) << c.name;
    EXPECT_EQ(channel_.inUse, c.changed) << c.name;
  }
}

TEST_F(PmrFrequencyCodecTest, ChoosingTheRepeaterRowOfTheSameReceiveFrequencyIsAChange) {
  Preset(1, 476'425'000, 476'425'000);
  Answer(Flex0, 80);
  EXPECT_TRUE(Run());
  EXPECT_EQ(preset_, 81);
  EXPECT_EQ(channel_.freqT, 477'175'000u);

  Preset(81, 476'425'000, 477'175'000);
  Answer(Flex0, 80);
  EXPECT_FALSE(Run());
  EXPECT_EQ(preset_, 0);
}

TEST_F(PmrFrequencyCodecTest, TypedFrequencyMakesAFreeChannel) {
  Preset(1, 476'425'000, 476'425'000);
  Type("476.5");
  EXPECT_TRUE(Run());
  EXPECT_EQ(preset_, kPmrPresetTyped);
  EXPECT_EQ(channel_.freqR, 476'500'000u);
  EXPECT_EQ(channel_.freqT, 476'500'000u);
  EXPECT_EQ(request_.outputText, "476.500000");

  Type("476.5");
  EXPECT_FALSE(Run());
  EXPECT_EQ(preset_, 0);

  Type("449");  // no band check, but the typed band holds
  EXPECT_FALSE(Run());
  EXPECT_EQ(channel_.freqR, 476'500'000u);
}

TEST_F(PmrFrequencyCodecTest, TypedCharactersReopenTheEditor) {
  const struct {
    const char* name;
    int key;
    const char* text;
    int32_t selStart;
  } cases[] = {
      {"a digit starts the text", '7', "7", 1},
      {"a dot keeps the text with the caret after it", '.', "476.425000", 4},
      {"= starts empty", '=', "", 0},
  };
  for (const auto& c : cases) {
    Channel(476'425'000, 476'425'000);
    Press(c.key);
    EXPECT_FALSE(Run()) << c.name;
    ASSERT_TRUE(reopened_) << c.name;
    EXPECT_EQ(*reopened_, c.text) << c.name;
    EXPECT_EQ(request_.selStart, c.selStart) << c.name;
    EXPECT_EQ(codec_.result, kDone) << c.name;
    EXPECT_TRUE(grid_.opened.empty()) << c.name;
  }

  Answer(FlexAdjCh, 0);
  EXPECT_FALSE(Run());
  EXPECT_EQ(reopened_, "");

  withReopen_ = false;
  Press('7');
  Run();
  EXPECT_FALSE(reopened_);
  EXPECT_EQ(codec_.result, kEditor);
  EXPECT_EQ(request_.outputText, "7");
}

class Pmr446FrequencyCodecTest : public FrequencyCodecTest {
 protected:
  bool Run() { return Pmr446FrequencyCodec(codec_, request_, channel_, free_); }
  bool free_ = false;
};

TEST_F(Pmr446FrequencyCodecTest, TheListHoldsTheTwentyFourChannels) {
  EXPECT_STREQ(kPmr446Frequencies[0], "446.006250");
  EXPECT_STREQ(kPmr446Frequencies[7], "446.093750");
  EXPECT_STREQ(kPmr446Frequencies[8], "446.103125");
  EXPECT_STREQ(kPmr446Frequencies[9], "446.109375");
  EXPECT_STREQ(kPmr446Frequencies[23], "446.196875");
  EXPECT_STREQ(kPmr446Frequencies[24], "#");
}

TEST_F(Pmr446FrequencyCodecTest, EnterAndDigitsOpenTheChooserOnTheListPosition) {
  const struct {
    const char* name;
    uint32_t rx;
    int key;
    int position;
  } cases[] = {
      {"second channel", 446'018'750, 13, 1},           {"first of the narrow raster", 446'103'125, 13, 8},
      {"a frequency off the list", 446'000'000, 13, 0}, {"a digit acts as Enter", 446'196'875, '3', 23},
      {"space acts as Enter", 446'018'750, ' ', 1},
  };
  for (const auto& c : cases) {
    Channel(c.rx, c.rx);
    grid_.opened.clear();
    Press(c.key);
    EXPECT_FALSE(Run()) << c.name;
    ASSERT_EQ(grid_.opened.size(), 1u) << c.name;
    EXPECT_EQ(grid_.opened[0].listKey, "GI_Sheet_Sel_Mch_Freq") << c.name;
    EXPECT_EQ(grid_.opened[0].value, c.position) << c.name;
    EXPECT_EQ(codec_.result, kPopup) << c.name;
  }
}

TEST_F(Pmr446FrequencyCodecTest, ChosenOrTypedFrequencies) {
  Channel(0, 0);
  free_ = true;
  Answer(Flex0, 8);
  EXPECT_TRUE(Run());
  EXPECT_FALSE(free_);
  EXPECT_EQ(channel_.freqR, 446'103'125u);
  EXPECT_EQ(channel_.freqT, 446'103'125u);  // a new channel starts simplex
  EXPECT_TRUE(channel_.inUse);

  channel_.freqT = 446'006'250;
  Answer(Flex0, 9);
  EXPECT_TRUE(Run());
  EXPECT_EQ(channel_.freqT, 446'006'250u);  // duplex stays

  Answer(FlexAdjCh, 0);
  EXPECT_TRUE(Run());
  EXPECT_TRUE(free_);
  EXPECT_EQ(reopened_, "");

  Type("446.2");  // no band test
  EXPECT_TRUE(Run());
  EXPECT_EQ(channel_.freqR, 446'200'000u);
  EXPECT_EQ(request_.outputText, "446.200000");

  Type("0");
  EXPECT_FALSE(Run());
  EXPECT_EQ(channel_.freqR, 446'200'000u);
}

}  // namespace
