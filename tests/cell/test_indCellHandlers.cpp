// The handlers that are not stored settings: row captions, the Flex labels and
// `FlexMark`, the channel check summary, memory statistics and the A/D read-outs.
#include <gtest/gtest.h>

#include "CellTestHost.h"
#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellObj.h"
#include "cell/indActiveCell.h"
#include "cell/indCellRequest.h"
#include "image/cmcImageMap.h"

namespace {

cmcCellObj Cell(int category, int label, int index = 0, const char* text = "") {
  cmcCellObj cell;
  cell.category = static_cast<uint32_t>(category);
  cell.label = static_cast<uint32_t>(label);
  cell.index = index;
  cell.text = text;
  return cell;
}

class Handlers : public ::testing::Test {
 protected:
  std::string Text(cmcCellObj cell) { return active_.CellText(cell, 0); }
  // The marks a chooser entry gets while the cell `edited` is being edited.
  uint8_t EntryMarks(int editedLabel, int editedIndex, int entry) {
    cmcCellObj edited = Cell(CT_Mch, editedLabel, editedIndex);
    cmcCellCapsule parent;
    parent.cell = &edited;
    cmcCellObj cell = Cell(CT_Null, FlexMark, entry);
    cmcCellCapsule c;
    c.cell = &cell;
    c.parent = &parent;
    active_.Dispatch(c, false);
    return c.state & (cmcCellCapsule::kWarningMark | cmcCellCapsule::kErrorMark);
  }
  void SetMskSignal(int channel) {
    datCh ch(&host_.image);
    ch.Load(3, channel);
    ch.mskSig = true;
    ch.Store();
  }

  celltest::Host host_;
  indActiveCell active_{host_};
};

TEST_F(Handlers, RowCaptions) {
  host_.SetBanks({16, 4});
  struct Case {
    int category, label, row;
    const char* bankOperation;
    const char* text;
  };
  const Case cases[] = {
      {CT_Mch, CL_Mch_No, 3, "{(:x)}Banks", "1-  4"},
      {CT_Mch, CL_Mch_No, 17, "{(:x)}Banks", "2-  2"},
      {CT_Mch, CL_Mch_No, 17, "None", "18"},
      {CT_Mch, CL_Mch_No, 20, "None", "New"},
      {CT_Mch, CL_Mch_No_Pmr, 3, "{(:x)}Banks", "1-  4"},
      {CT_Mch_Win, CL_MchWin_No, 17, "{(:x)}Banks", "2-  2"},
      {CT_Mch_Win, CL_MchWin_No, 20, "{(:x)}Banks", "2- New"},
      {CT_Null, CL_Misc_ChNo_0Base, 7, "None", "7"},
      {CT_Null, CL_Misc_ChNo_1Base, 7, "None", "8"},
  };
  for (const auto& c : cases) {
    host_.texts["GI_Tree_Branch_Mch_BankOperation"] = c.bankOperation;
    EXPECT_EQ(Text(Cell(c.category, c.label, c.row)), c.text) << c.label << " row " << c.row;
  }
}

TEST_F(Handlers, QuarterPillarFillsTheLowerThirtyPercentGrey) {
  celltest::Canvas canvas;
  cmcCellObj cell = Cell(CT_Null, CL_Misc_QuarterPillar);
  cmcCellCapsule c;
  c.cell = &cell;
  c.canvas = &canvas;
  active_.Dispatch(c, false);
  ASSERT_EQ(canvas.fills.size(), 1u);
  EXPECT_EQ(canvas.fills[0].percent, 30);
  EXPECT_EQ(canvas.fills[0].colour, 8421504u);
  EXPECT_EQ(c.outputText, "");
  EXPECT_EQ(Text(cell), "") << "nothing to draw on without a canvas";
}

TEST_F(Handlers, MemoryStatistics) {
  host_.SetBanks({16, 6});  // banks on; in use: 0-3 and 16-17
  host_.Use(16);
  host_.Use(17);
  host_.SetWord(cmcImageMap::kBudgetWord2, 15231 - 38 * 5);  // room for five more channels
  struct Case {
    int category, label, row;
    const char* text;
  };
  const Case cases[] = {
      {CT_Null, CL_Bank_UsedTotal, 0, "6"},    {CT_Null, CL_Bank_UsedLeft, 0, "122"},
      {CT_Null, CL_Mch_Bank_Total, 0, "22"},   {CT_Null, CL_Mch_Bank_Left, 0, "5"},
      {CT_BankOp, CL_Mch_UsedCHs, 1, "2"},     {CT_Mch, CL_Mch_UsedCHs, 2, "4"},
      {CT_Null, CL_Mch_UsedCHs_Total, 0, "6"}, {CT_Null, CL_Mch_UsedCHs_Left, 0, "122"},
      {CT_BankOp, CL_Bank_UsedQty, 1, "2"},
  };
  for (const auto& c : cases) EXPECT_EQ(Text(Cell(c.category, c.label, c.row)), c.text) << c.label;
  host_.SetBanks({22});
  EXPECT_EQ(Text(Cell(CT_BankOp, CL_Bank_UsedQty, 0)), "---") << "banks off";
}

TEST_F(Handlers, FlexLabels) {
  host_.SetWord(cmcImageMap::kMdcAliasCount, 4);
  host_.confirmed[62] = true;
  struct Case {
    int label, index;
    const char* text;
  };
  const Case cases[] = {
      {Flex0, 5, "own"},
      {FlexZoneSelNum, 4, "  5"},
      {FlexCHSelNum, 99, "100"},
      {FlexMdcAlias_ChNo, 4, "New"},
      {FlexMdcAlias_ChNo, 3, "  4"},
      {FlexLockCh, 60, "-"},
      {FlexLockCh, 61, "own"},
      {FlexLockCh, 63, "own"},
      {FlexEeDebugWin, 1, "7 *Yet*"},
  };
  for (const auto& c : cases) EXPECT_EQ(Text(Cell(CT_Null, c.label, c.index, "own")), c.text) << c.label;
}

TEST_F(Handlers, FlexMarkMarksEntriesTheModelOrChannelRefuses) {
  constexpr uint8_t W = cmcCellCapsule::kWarningMark, E = cmcCellCapsule::kErrorMark;
  SetMskSignal(1);  // channel 1 is digital on a QarnPmr radio
  struct Case {
    int family, widths, label, channel, entry;
    uint8_t marks;
  };
  const Case cases[] = {
      {1, 0x00, CL_Mch_WNM_Pmr, 0, 2, W},  {1, 0x00, CL_Mch_WNM, 0, 3, W},     {1, 0x10, CL_Mch_WNM_Pmr, 0, 2, 0},
      {1, 0x00, CL_Mch_WNM_Pmr, 0, 1, 0},  {0, 0x00, CL_Mch_WNM, 0, 2, 0},     {2, 0x00, CL_Mch_CH_Mute, 1, 0, W},
      {2, 0x00, CL_Mch_CH_Mute, 1, 1, 0},  {2, 0x00, CL_Mch_CH_Mute, 0, 0, 0}, {2, 0x00, CL_Mch_Moni_Pmr, 1, 5, W},
      {2, 0x00, CL_Mch_Moni_Pmr, 1, 6, 0}, {2, 0x00, CL_Mch_Sel_Pmr, 1, 0, E}, {2, 0x00, CL_Mch_Sel_Pmr, 1, 1, 0},
      {2, 0x00, CL_Mch_Call_Pmr, 1, 2, E}, {2, 0x00, CL_Mch_PTT_Pmr, 1, 1, E}, {2, 0x00, CL_Mch_PTT_Pmr, 1, 0, 0},
  };
  for (const auto& c : cases) {
    host_.family = c.family;
    host_.image.SetByte(0xA0EE, static_cast<uint8_t>(c.widths));
    EXPECT_EQ(EntryMarks(c.label, c.channel, c.entry), c.marks)
        << "family " << c.family << " label " << c.label << " channel " << c.channel << " entry " << c.entry;
  }
}

TEST_F(Handlers, ChannelCheckCollectsTheMarksOfTheBank) {
  // Stand-ins for the check cells: channel 2 of bank 0 is marked.
  indCellHandlers table = indCellHandlers::Default();
  table.Replace(CL_Mch_RxCNo_Pmr, [](indCellRequest& r) {
    if (r.row == 2) r.SetWarning();
  });
  table.Replace(CL_Mch_Sel_Pmr, [](indCellRequest& r) {
    if (r.row == 2) r.SetError();
  });
  indActiveCell dispatch(host_, table);
  host_.SetBanks({4, 4});
  struct Case {
    int family, bank;
    uint8_t marks;
  };
  const Case cases[] = {
      {2, 0, cmcCellCapsule::kWarningMark | cmcCellCapsule::kErrorMark},
      {1, 0, cmcCellCapsule::kWarningMark},  // PMR radios do not check the select setting
      {0, 0, 0},
      {2, 1, 0},
  };
  for (const auto& c : cases) {
    host_.family = c.family;
    cmcCellObj cell = Cell(CT_Null, CL_Check_Mch, c.bank);
    cmcCellCapsule capsule;
    capsule.cell = &cell;
    dispatch.Dispatch(capsule, false);
    EXPECT_EQ(capsule.state & 0x0C, c.marks) << "family " << c.family << " bank " << c.bank;
  }
  EXPECT_TRUE(dispatch.WarningMarkOf(CT_Mch_Check, CL_Mch_RxCNo_Pmr, 2));
  EXPECT_FALSE(dispatch.ErrorMarkOf(CT_Mch_Check, CL_Mch_RxCNo_Pmr, 2));
}

TEST_F(Handlers, ReadoutsInTheirThreeForms) {
  host_.reading = 200;
  EXPECT_EQ(Text(Cell(CT_ADJ, CL_WinAD_VIN_Dec)), "200");
  EXPECT_EQ(Text(Cell(CT_ADJ, CL_WinAD_VIN_Hex)), "C8");
  EXPECT_EQ(Text(Cell(CT_ADJ, CL_WinDA_RXLVA_Vt)), "3.92V");
  host_.reading = 7;
  EXPECT_EQ(Text(Cell(CT_ADJ, CL_WinAD_SMTR_Dec)), "  7");
  EXPECT_EQ(Text(Cell(CT_ADJ, CL_WinDA_T1_Hex)), " 7");
}

}  // namespace
