#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/ChoiceFixture.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCodecCommon.h"
#include "cell/cmcScanChannelCodec.h"
#include "channel/datCh.h"
#include "channel/datChKinds.h"
#include "image/cmcImageMap.h"

namespace {

const std::vector<std::string> kLines = {
    "#GI_Sheet_Sel_ScanPrio1CH_Cells",
    "{(%CT_Null.Flex0[0])}Off|{(%Flex0[1])}Selected|{(%Flex0[5])}Channel",
    "#",
    "#GI_Sheet_Sel_ScanPrio2CH_Cells",
    "{(%CT_Null.Flex0[0])}Off|{(%Flex0[2])}Start|{(%Flex0[5])}Channel",
    "#",
    "#GI_Sheet_Sel_ScanTXCH_Cells",
    "{(%CT_Null.Flex0[0])}Off|{(%Flex0[3])}Last|{(%Flex0[5])}Channel",
    "#",
    "#GI_AddCH",
    "ch",
    "#End_Of_Ovl",
};

// Record bytes 8-13 are scanSet[0-5]; the channel references of bytes 14-17 scanRef[0-3].
class ScanChannelCodecTest : public ChoiceFixture {
 protected:
  ScanChannelCodecTest() : ChoiceFixture(kLines) {
    // Banks 0-3 hold 4, 3, 0 and 5 channels: bank 1 starts at 4, bank 3 at 7.
    const int counts[] = {4, 3, 0, 5};
    for (int b = 0; b < 4; ++b) image_.SetByte(cmcImageMap::kBankCounts + 2 * b + 1, static_cast<uint8_t>(counts[b]));
    list_.Load(datChKind::kScanList, 0);
    SetType(3);
  }
  void SetType(int type) { list_.scanSet[2] = static_cast<uint8_t>((list_.scanSet[2] & 0xF0) | type); }
  bool Run(int which, bool bankForm = true) { return ScanChannelCodec(context_, request_, list_, which, bankForm); }

  datCh list_{&image_};
};

TEST_F(ScanChannelCodecTest, ReferencesApplyOnlyToTheirScanTypes) {
  const struct {
    int which;
    int type;
    bool applies;
  } cases[] = {
      {cmcScanRef::kPrio1, 3, true},     {cmcScanRef::kPrio1, 2, false},   {cmcScanRef::kPrio2, 3, true},
      {cmcScanRef::kPrio2, 0, false},    {cmcScanRef::kTalkBack, 1, true}, {cmcScanRef::kTalkBack, 3, true},
      {cmcScanRef::kTalkBack, 0, false},
  };
  for (const auto& c : cases) {
    SetType(c.type);
    Press(' ');
    const bool changed = Run(c.which);
    EXPECT_EQ(changed, c.applies) << c.which << " type " << c.type;
    if (c.applies) {
      EXPECT_FALSE(context_.textColour.has_value());
    } else {
      EXPECT_EQ(request_.outputText, "----");
      EXPECT_EQ(context_.textColour, cmcScanRef::kSilver);
    }
  }
}

TEST_F(ScanChannelCodecTest, SpaceStepsTheKindNibble) {
  list_.scanSet[5] = 0x03;  // priority 2 kind 3 is in no entry
  list_.scanSet[4] = 0x0A;
  Press(' ');
  EXPECT_TRUE(Run(cmcScanRef::kPrio1));
  EXPECT_EQ(list_.scanSet[5], 0x13) << "priority 1 is the high nibble of byte 13";
  EXPECT_EQ(request_.outputText, "Selected");
  Press(' ');
  EXPECT_TRUE(Run(cmcScanRef::kTalkBack));
  EXPECT_EQ(list_.scanSet[4], 0x3A) << "talk-back is the high nibble of byte 12";
  EXPECT_EQ(request_.outputText, "Last");
}

TEST_F(ScanChannelCodecTest, PriorityTwoFlagFollowsItsKind) {
  list_.scanSet[0] = 0x11;
  Press(' ');
  EXPECT_TRUE(Run(cmcScanRef::kPrio2));
  EXPECT_EQ(list_.scanSet[5] & 0x0F, 2);
  EXPECT_EQ(list_.scanSet[0], 0x91) << "byte 8 bit 7 set with a priority-2 reference";
  Press(8);
  EXPECT_TRUE(Run(cmcScanRef::kPrio2));
  EXPECT_EQ(list_.scanSet[5] & 0x0F, 0);
  EXPECT_EQ(list_.scanSet[0], 0x11);
}

TEST_F(ScanChannelCodecTest, EnterOpensTheKindChooser) {
  list_.scanSet[5] = 0x10;
  Press(13);
  EXPECT_FALSE(Run(cmcScanRef::kPrio1));
  ASSERT_EQ(grid_.opened.size(), 1u);
  EXPECT_EQ(grid_.opened[0].listKey, "GI_Sheet_Sel_ScanPrio1CH");
  EXPECT_EQ(grid_.opened[0].keyLabel, Flex0);
  EXPECT_EQ(grid_.opened[0].value, 1);
  EXPECT_EQ(context_.result, cmcCodecCommon::kResultPopup);
}

TEST_F(ScanChannelCodecTest, BankFormChainOfChoosers) {
  list_.scanRef[2] = 8;  // bank 3, position 1
  Answer(Flex0, cmcScanRef::kSpecificChannel);
  EXPECT_FALSE(Run(cmcScanRef::kPrio1)) << "choosing a specific channel waits for the bank";
  ASSERT_EQ(grid_.opened.size(), 1u);
  EXPECT_EQ(grid_.opened[0].listKey, "GI_Sheet_Sel_ScanZoneSel");
  EXPECT_EQ(grid_.opened[0].keyLabel, FlexZoneSel);
  EXPECT_EQ(grid_.opened[0].value, 3);

  Answer(FlexZoneSel, 1);
  EXPECT_TRUE(Run(cmcScanRef::kPrio1));
  EXPECT_EQ(list_.scanSet[5] >> 4, cmcScanRef::kSpecificChannel);
  EXPECT_EQ(list_.scanRef[2], 4) << "the bank's first channel until a channel is chosen";
  ASSERT_EQ(grid_.opened.size(), 2u);
  EXPECT_EQ(grid_.opened[1].listKey, "GI_Sheet_Sel_ScanCHSel");
  EXPECT_EQ(grid_.opened[1].keyLabel, FlexCHSel);
  EXPECT_EQ(grid_.opened[1].value, 0);

  Answer(FlexCHSel, 2);
  EXPECT_TRUE(Run(cmcScanRef::kPrio1));
  EXPECT_EQ(list_.scanRef[2], 6);
  EXPECT_EQ(request_.outputText, "2-3ch");
}

TEST_F(ScanChannelCodecTest, ChannelChooserPreselectsTheReferenceInItsBank) {
  list_.scanRef[0] = 9;  // bank 3, position 2
  Answer(FlexZoneSel, 3);
  Run(cmcScanRef::kTalkBack);
  ASSERT_EQ(grid_.opened.size(), 1u);
  EXPECT_EQ(grid_.opened[0].value, 2);
}

TEST_F(ScanChannelCodecTest, EmptyBankOrPositionOutsideTheBankChangesNothing) {
  list_.scanRef[2] = 5;
  Answer(FlexZoneSel, 2);
  EXPECT_FALSE(Run(cmcScanRef::kPrio1));
  EXPECT_TRUE(grid_.opened.empty());
  Answer(FlexCHSel, 3);  // bank 1 holds 3 channels
  EXPECT_FALSE(Run(cmcScanRef::kPrio1));
  EXPECT_EQ(list_.scanRef[2], 5);
}

TEST_F(ScanChannelCodecTest, PlainFormChoosesTheChannelDirectly) {
  list_.scanRef[3] = 5;  // bank 1, position 1
  Answer(Flex0, cmcScanRef::kSpecificChannel);
  Run(cmcScanRef::kPrio2, false);
  ASSERT_EQ(grid_.opened.size(), 1u);
  EXPECT_EQ(grid_.opened[0].listKey, "GI_Sheet_Sel_ScanCHSel");
  EXPECT_EQ(grid_.opened[0].value, 1);
  Answer(FlexCHSel, 0);
  EXPECT_TRUE(Run(cmcScanRef::kPrio2, false));
  EXPECT_EQ(list_.scanRef[3], 4);
  EXPECT_EQ(list_.scanSet[5] & 0x0F, cmcScanRef::kSpecificChannel);
  EXPECT_EQ(request_.outputText, "1ch");
}

TEST_F(ScanChannelCodecTest, OtherKindAnswerIsTakenAsIs) {
  Answer(Flex0, 3);
  EXPECT_TRUE(Run(cmcScanRef::kTalkBack));
  EXPECT_EQ(list_.scanSet[4] >> 4, 3);
  EXPECT_TRUE(grid_.opened.empty());
}

TEST_F(ScanChannelCodecTest, AnswersWithoutAGridOpenNoFurtherChooser) {
  Answer(Flex0, cmcScanRef::kSpecificChannel, false);
  EXPECT_FALSE(Run(cmcScanRef::kPrio1));
  Answer(FlexZoneSel, 1, false);
  EXPECT_TRUE(Run(cmcScanRef::kPrio1));
  EXPECT_TRUE(grid_.opened.empty());
  EXPECT_EQ(context_.result, cmcCodecCommon::kResultDone);
}

}  // namespace
