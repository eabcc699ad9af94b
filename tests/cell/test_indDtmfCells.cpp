// DTMF memories, their timers and row captions, and the user characters.
#include <gtest/gtest.h>

#include "SettingCellFixture.h"
#include "cell/cmcCellIds.h"

namespace {

constexpr int kMemories = 0xA3E9;  // 21 bytes each: name 8, 24 digits, length

class DtmfCells : public celltest::SettingCells {};

TEST_F(DtmfCells, CodesArePackedNibblesWithALength) {
  Type(CT_DTMF, CL_Dtmf_Code, 1, "3*");
  EXPECT_EQ(At(kMemories + 21 + 8), 0x3E);
  EXPECT_EQ(At(kMemories + 21 + 20), 2);
  EXPECT_EQ(Draw(CT_DTMF, CL_Dtmf_CodeEmer, 1).text, "3*");
}

TEST_F(DtmfCells, TimersAreHundredthsOfASecond) {
  EXPECT_EQ(Type(CT_Null, CL_Dtmf_FirstTimer, 0, "1.5").text, "1.50");
  EXPECT_EQ(At(0xA0AC), 150);
  EXPECT_EQ(Type(CT_Null, CL_Dtmf_MarkTimer, 0, "9").text, "2.55");
  EXPECT_EQ(At(0xA0AD), 255);
}

TEST_F(DtmfCells, RowCaptions) {
  host_.family = 0;
  EXPECT_EQ(Draw(CT_DTMF, CL_Dtmf_ChNo, 0).text, "Autodial");
  EXPECT_EQ(Draw(CT_DTMF, CL_Dtmf_ChNo, 3).text, "4");
  EXPECT_EQ(Draw(CT_DTMF, CL_Dtmf_ChNo, 6).text, "Emergency");
  EXPECT_EQ(Draw(CT_DTMF, CL_Dtmf_ChNo, 7).text, "Log/ID");
  host_.family = 1;
  EXPECT_EQ(Draw(CT_DTMF, CL_Dtmf_ChNo, 6).text, "7");
}

TEST_F(DtmfCells, UserCharacterTakesTheEditorsMask) {
  cmcCellObj cell;
  cell.category = CT_CEdit;
  cell.label = CL_CEdit;
  cell.index = 3;
  cmcCellCapsule answer;
  cmcCellCapsule c;
  c.cell = &cell;
  c.grid = &grid_;
  c.inputKind = cmcCellCapsule::kInputPopupAnswer;
  c.parent = &answer;
  c.inputText = "4660";
  active_.Dispatch(c, false);
  EXPECT_EQ(At(0xA12E + 6), 0x12);
  EXPECT_EQ(At(0xA12E + 7), 0x34);
}

}  // namespace
