#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/ChoiceFixture.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCodecCommon.h"
#include "cell/cmcKeyFunctionCodec.h"
#include "image/cmcImageMap.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualClock.h"

namespace {

// Entry values are the function code characters: A 65, I 73, Z 90, ^ 94, i 105, 0 48, 6 54.
const std::vector<std::string> kLines = {
    "#Sel_Keys_Cells",
    "{(%CT_Null.Flex0[65])}Monitor|{(%Flex0[73])}Scrambler|{(%Flex0[90])}Zone|{(%Flex0[105])}Up|"
    "{(%Flex0[94])}Down|{(%Flex0[48])}Out A|{(%Flex0[54])}Out B",
    "#",
    "#End_Of_Ovl",
};

class KeyFunctionCodecTest : public ChoiceFixture {
 protected:
  KeyFunctionCodecTest() : ChoiceFixture(kLines) {
    context_.events = &events_;
    events_.Listen<&KeyFunctionCodecTest::OnEvent>(this);
  }
  void OnEvent(cmcEvent& e) {
    if (e.code == kEvRefreshLiveCells) ++refreshes_;
  }
  // Works the key byte of the cell's label at its place in the image.
  bool Run(uint32_t label) {
    int position = -1;
    bool functionTable = false;
    cell_.label = label;
    EXPECT_TRUE(KeyPositionOf(label, position, functionTable));
    const int address = (functionTable ? cmcImageMap::kFunctionKeyTable : cmcImageMap::kKeyTable) + position;
    uint8_t b = image_.GetByte(address);
    const bool changed = KeyFunctionCodec(context_, request_, b, mask_, "Sel_Keys");
    image_.SetByte(address, b);
    return changed;
  }
  int Refreshes() {
    clock_.Advance(20);
    return refreshes_;
  }

  cmcVirtualClock clock_;
  cmcEvMan events_{clock_};
  int refreshes_ = 0;
  int mask_ = 0;
};

constexpr int kLeftUp = 0;
constexpr int kRightUp = 6;

TEST(KeyPositionTest, LabelsMapToTableBytes) {
  const struct {
    uint32_t label;
    bool mapped;
    int position;
    bool functionTable;
  } cases[] = {
      {CL_KDisp_Key_Conv_RightUp, true, 6, false}, {CL_KDisp_Key_Conv_RightDn, true, 7, false},
      {CL_KDisp_Key_Conv_LeftUp, true, 0, false},  {CL_KDisp_Key_Conv_P3, true, 5, false},
      {CL_KDisp_Key_Conv_Opf1, true, 8, false},    {CL_KDisp_Key_Conv_Upper, true, 14, false},
      {CL_KDisp_Key_Conv_Lower, true, 15, false},  {CL_KDisp_Key_Shift_LeftDn, true, 1, true},
      {CL_KDisp_Key_Shift_Opf1, true, 8, true},    {CL_KDisp_Key_Pmr446_RightUp, true, 6, false},
      {CL_KDisp_Key_Pmr446_Opf1, true, 8, false},  {CL_KDisp_Key_Pmr446_Lower, true, 15, false},
      {CL_KDisp_Key_Conv_P4, false, -1, false},    {CL_KDisp_Key_Shift_MicB, false, -1, false},
      {CL_KDisp_Key_Hold_Timer, false, -1, false},
  };
  for (const auto& c : cases) {
    int position = 99;
    bool functionTable = true;
    EXPECT_EQ(KeyPositionOf(c.label, position, functionTable), c.mapped) << c.label;
    EXPECT_EQ(position, c.position) << c.label;
    EXPECT_EQ(functionTable, c.functionTable) << c.label;
  }
}

TEST(KeyListForTest, ListKeyByModelFamily) {
  const struct {
    int family;
    uint32_t label;
    bool shifted;
    bool extended;
    int keyCode;
    const char* key;
  } cases[] = {
      {0, CL_KDisp_Key_Conv_LeftUp, false, false, 0, "GI_Sheet_Sel_Keys_Conv_Lmr"},
      {0, CL_KDisp_Key_Shift_LeftUp, true, false, 0, "GI_Sheet_Sel_Keys_Conv_Lmr"},
      {0, CL_KDisp_Key_Conv_RightUp, false, false, 0, "GI_Sheet_Sel_Keys_Conv_Lmr_Ext_Emer"},
      {0, CL_KDisp_Key_Shift_Opf1, true, false, 0, "GI_Sheet_Sel_Keys_Conv_Lmr_Ext_Emer"},
      {4, CL_KDisp_Key_Conv_P1, false, false, 0, "GI_Sheet_Sel_Keys_Conv_Lmr"},
      {1, CL_KDisp_Key_Conv_P1, false, false, 0, "GI_Sheet_Sel_Keys_Conv_Pmr"},
      {1, CL_KDisp_Key_Shift_P1, true, false, 0, "GI_Sheet_Sel_Keys_Conv_Pmr_F"},
      {1, CL_KDisp_Key_Conv_LeftDn, false, false, 0, "GI_Sheet_Sel_Keys_Conv_Pmr_Scan"},
      {1, CL_KDisp_Key_Shift_P0, true, false, 0, "GI_Sheet_Sel_Keys_Conv_Pmr_Scan_F"},
      {1, CL_KDisp_Key_Conv_Opf1, false, false, 0, "GI_Sheet_Sel_Keys_Conv_Pmr_Ext_Emer"},
      {1, CL_KDisp_Key_Shift_RightUp, true, false, 0, "GI_Sheet_Sel_Keys_Conv_Pmr_F_Ext_Emer"},
      {2, CL_KDisp_Key_Conv_RightUp, false, false, 0, "GI_Sheet_Sel_Keys_Conv_QarnPmr"},
      {3, CL_KDisp_Key_Shift_Lower, true, false, 0, "GI_Sheet_Sel_Keys_Conv_DPmr446Ana"},
      {1, CL_KDisp_Key_Pmr446_Upper, false, false, 0, "GI_Sheet_Sel_Keys_Conv_Pmr_Disp"},
      {1, CL_KDisp_Key_Pmr446_Upper, false, false, 13, "GI_Sheet_Sel_Keys_Conv_Pmr"},
      {1, CL_KDisp_Key_Pmr446_Upper, false, true, 0, "GI_Sheet_Sel_Keys_Conv_Pmr_Mkr"},
      {1, CL_KDisp_Key_Pmr446_Opf1, false, false, 0, "GI_Sheet_Sel_Keys_Conv_Pmr_Disp_Ext_Emer"},
      {1, CL_KDisp_Key_Pmr446_Opf1, false, false, 32, "GI_Sheet_Sel_Keys_Conv_Pmr_Ext_Emer"},
      {1, CL_KDisp_Key_Pmr446_Opf1, false, true, 32, "GI_Sheet_Sel_Keys_Conv_Pmr_Mkr_Ext_Emer"},
  };
  for (const auto& c : cases) {
    cmcChoiceContext context;
    context.modelType = c.family;
    context.extendedMode = c.extended;
    cmcCellObj cell;
    cell.label = c.label;
    cmcCellCapsule request;
    request.cell = &cell;
    request.keyCode = c.keyCode;
    EXPECT_EQ(KeyListFor(context, request, c.shifted), c.key) << c.family << " " << c.label;
  }
}

TEST_F(KeyFunctionCodecTest, ChoosingTheScramblerAsksPortThenLevel) {
  image_.SetByte(cmcImageMap::kScramblerPort, 0xF0);
  Answer(Flex0, 'I');
  EXPECT_TRUE(Run(CL_KDisp_Key_Conv_RightUp));
  EXPECT_EQ(image_.GetByte(cmcImageMap::kKeyTable + kRightUp), 'I');
  EXPECT_EQ(mask_ & 0x20, 0x20);
  ASSERT_EQ(grid_.opened.size(), 1u);
  EXPECT_EQ(grid_.opened[0].listKey, "GI_Sheet_Sel_KDisp_ScrmOpt_Port");
  EXPECT_EQ(grid_.opened[0].keyLabel, FlexScrmPort);
  EXPECT_EQ(grid_.opened[0].value, 0);
  EXPECT_EQ(context_.result, cmcCodecCommon::kResultPopup);
  EXPECT_EQ(request_.outputText, "Scrambler OPT1 /L");

  Answer(FlexScrmPort, 2);
  EXPECT_TRUE(Run(CL_KDisp_Key_Conv_RightUp));
  EXPECT_EQ(image_.GetByte(cmcImageMap::kScramblerPort), 0xF2);
  ASSERT_EQ(grid_.opened.size(), 2u);
  EXPECT_EQ(grid_.opened[1].listKey, "GI_Sheet_Sel_KDisp_KeyOpt_HL");
  EXPECT_EQ(grid_.opened[1].keyLabel, FlexKeyOpt);

  Answer(FlexKeyOpt, 1);
  EXPECT_TRUE(Run(CL_KDisp_Key_Conv_RightUp));
  EXPECT_EQ(image_.GetByte(cmcImageMap::kOptionLevels), 0x80) << "option port 3 keeps its level in bit 7";
  EXPECT_EQ(request_.outputText, "Scrambler OPT3 /H");
}

TEST_F(KeyFunctionCodecTest, OptionOutputCodesAskTheLevelWhereTheyKeepOne) {
  image_.SetByte(cmcImageMap::kOptionLevels, 0x20);
  Answer(Flex0, '0');
  EXPECT_TRUE(Run(CL_KDisp_Key_Conv_P1));
  ASSERT_EQ(grid_.opened.size(), 1u);
  EXPECT_EQ(grid_.opened[0].listKey, "GI_Sheet_Sel_KDisp_KeyOpt_HL");
  EXPECT_EQ(grid_.opened[0].value, 1) << "port 11's level is bit 5";
  EXPECT_EQ(request_.outputText, "Out A /H");
  Answer(FlexKeyOpt, 0);
  EXPECT_TRUE(Run(CL_KDisp_Key_Conv_P1));
  EXPECT_EQ(image_.GetByte(cmcImageMap::kOptionLevels), 0x00);

  Answer(Flex0, '6');
  EXPECT_TRUE(Run(CL_KDisp_Key_Conv_P1));
  EXPECT_EQ(grid_.opened.size(), 1u) << "port 21 keeps no level";
  EXPECT_EQ(request_.outputText, "Out B");
}

TEST_F(KeyFunctionCodecTest, NormalEntryPairsTheFunctionKeyEntry) {
  const struct {
    uint8_t from;
    uint8_t chosen;
    uint8_t partnerBefore;
    uint8_t partnerAfter;
    bool refresh;
  } cases[] = {
      {'A', 'Z', 'A', 'Z', true}, {'A', 'i', 'A', '^', true},  {'A', '^', 'A', 'i', true},
      {'Z', 'A', 'Z', 'Z', true}, {'A', '0', 'A', 'A', false},
  };
  for (const auto& c : cases) {
    image_.SetByte(cmcImageMap::kKeyTable + kLeftUp, c.from);
    image_.SetByte(cmcImageMap::kFunctionKeyTable + kLeftUp, c.partnerBefore);
    const int before = Refreshes();
    Answer(Flex0, c.chosen);
    EXPECT_TRUE(Run(CL_KDisp_Key_Conv_LeftUp));
    EXPECT_EQ(image_.GetByte(cmcImageMap::kFunctionKeyTable + kLeftUp), c.partnerAfter) << c.chosen;
    EXPECT_EQ(Refreshes() - before, c.refresh ? 1 : 0) << c.from << " to " << c.chosen;
  }
}

TEST_F(KeyFunctionCodecTest, FunctionKeyEntryOfAPairedKeyIsRestricted) {
  image_.SetByte(cmcImageMap::kKeyTable + kLeftUp, 'i');
  image_.SetByte(cmcImageMap::kFunctionKeyTable + kLeftUp, '^');
  Press(' ');
  EXPECT_FALSE(Run(CL_KDisp_Key_Shift_LeftUp));
  EXPECT_EQ(image_.GetByte(cmcImageMap::kFunctionKeyTable + kLeftUp), '^');
  EXPECT_EQ(request_.outputText, "Down");
  EXPECT_EQ(context_.textColour, cmcChoiceContext::kRestrictedColour);

  image_.SetByte(cmcImageMap::kKeyTable + kLeftUp, 'A');
  Press(' ');
  EXPECT_TRUE(Run(CL_KDisp_Key_Shift_LeftUp));
  EXPECT_FALSE(context_.textColour.has_value());
}

TEST_F(KeyFunctionCodecTest, FunctionKeyEntryChangesLeaveTheNormalEntry) {
  image_.SetByte(cmcImageMap::kKeyTable + kRightUp, 'A');
  Answer(Flex0, 'Z');
  EXPECT_TRUE(Run(CL_KDisp_Key_Shift_RightUp));
  EXPECT_EQ(image_.GetByte(cmcImageMap::kFunctionKeyTable + kRightUp), 'Z');
  EXPECT_EQ(image_.GetByte(cmcImageMap::kKeyTable + kRightUp), 'A');
  EXPECT_EQ(Refreshes(), 0);
}

TEST_F(KeyFunctionCodecTest, SteppingOntoAnOptionCodeOpensNoChooser) {
  image_.SetByte(cmcImageMap::kKeyTable + kRightUp, 'A');
  Press(' ');
  EXPECT_TRUE(Run(CL_KDisp_Key_Conv_RightUp));
  EXPECT_EQ(image_.GetByte(cmcImageMap::kKeyTable + kRightUp), 'I');
  EXPECT_TRUE(grid_.opened.empty());
  Press(13);
  EXPECT_FALSE(Run(CL_KDisp_Key_Conv_RightUp));
  ASSERT_EQ(grid_.opened.size(), 1u);
  EXPECT_EQ(grid_.opened[0].listKey, "Sel_Keys");
  EXPECT_EQ(grid_.opened[0].value, 'I');
}

TEST_F(KeyFunctionCodecTest, KeysWithoutAByteShowNothing) {
  cell_.label = CL_KDisp_Key_Conv_MicA;
  uint8_t b = 'A';
  Press(' ');
  EXPECT_FALSE(KeyFunctionCodec(context_, request_, b, mask_, "Sel_Keys"));
  EXPECT_EQ(b, 'A');
  EXPECT_EQ(request_.outputText, "");
  EXPECT_EQ(mask_, 0);
}

}  // namespace
