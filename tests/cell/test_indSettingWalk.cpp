// Every label of the maker, MDC, adjustment, compensation and adjustment parameter
// families in the program, on the initial image of each model type, with and without
// maker reserve mode: a redraw shows a value unless the label has no handler, the
// shown text committed back changes nothing, and typing or stepping a setting changes
// bytes of its own family's area only.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "cell/ChooserGrid.h"
#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "cell/cmcNumberCodecs.h"
#include "cell/indActiveCell.h"
#include "cell/indCellHandlers.h"
#include "shell/indCellShell.h"
#include "support/TestProgram.h"

namespace {

void AddRange(std::set<int>& s, int first, int last) {
  for (int label = first; label <= last; ++label) s.insert(label);
}

// The labels of these families that show "%d *Yet*": those the dispatch gives no
// handler, and the cells of the adjustment sequencer and its guided procedures (the
// channel cells, the derived ratios, the sweeps, the S-meter capture, the procedures).
std::set<int> WithoutHandler() {
  std::set<int> s = {CL_Maker_CtcssTone_Burst,  CL_Mdc_System_List_Selcall, CL_Mdc_SelCall_Text,
                     CL_Mdc_General_Group_Id,   CL_Mdc_Emg_Status_No,       CL_Mdc_Emg_Beep_Time,
                     CL_Mdc_General_Auto_Reset, CL_Mdc_SelCall_RT_Beep,     CL_Adjust_Auto_RxLva_C,
                     CL_Adjust_Auto_TxLva_C};
  const int ranges[][2] = {
      {CL_Maker_RollStart_RX, CL_Maker_RollTiming_TX},
      {CL_Maker_mSFBW, CL_Maker_mRSSISL},
      {CL_Mdc_SelCall_Rx, CL_Mdc_CallAlert_Display_Time},
      {CL_Mdc_RadioChk_Tx, CL_Mdc_RadioChk_Ack_Wait},
      {CL_Mdc_Emg_Cnt_Beep, CL_Mdc_Emg_Beep_Type},
      {CL_Mdc_Stun_Tx, CL_Mdc_Stun_Disp_Time},
      {CL_Mdc_Revive_Tx, CL_Mdc_Revive_No_Retry},
      {CL_Mdc_Revive_Ack_Wait, CL_Mdc_General_Menu_Timeout},
      {CL_Mdc_Status_Rx, CL_Mdc_Alias1_Strip},
      {CL_Mdc_Status_Num, CL_Mdc_General_Mute_Type},
      {CL_Mdc_Msg_RX, CL_Mdc_System_List_CallAlert},
      {CL_Mdc_Status_Poll_Tx, CL_Mdc_Emg_Rx_Send_Ack},
      {CL_Mdc_Emg_Ack_Delay, CL_Mdc_General_Log_Action_Type},
      {CL_Adjust_BALN, CL_Adjust_BALW_Bar},
      {CL_Adjust_CtcsW, CL_Adjust_Ctcs_Bar},
      {CL_Adjust_Auto_BpfT1_S, CL_Adjust_Auto_BpfT1_S_Bar},
      {CL_Adjust_Auto_BpfT2_S, CL_Adjust_Auto_BpfT2_S_Bar},
      {CL_Adjust_Auto_LvRx_FC, CL_Adjust_Auto_LvRx_FC_Sweep},
      {CL_Adjust_Auto_LvTx_FC, CL_Adjust_Auto_LvTx_FC_Sweep},
      {CL_AdjustTool_AdrSet, CL_AdjustTool_DatGet},
      {CL_Adj_Pram_ModSl_Band0, CL_Adj_Pram_TxLvaSl_Band6},
      // The sequencer's cells.
      {CL_Adjust_ChNo, CL_Adjust_ChRfPow},
      {CL_Adjust_ModRatio_W_Val, CL_Adjust_ModRatio_M_Bar},
      {CL_Adjust_Smeter, CL_Adjust_Smeter_Bar},
      {CL_Adjust_Auto_Base_Freq, CL_Adjust_Auto_LvTx_FH_Sweep},
  };
  for (const auto& r : ranges) AddRange(s, r[0], r[1]);
  for (const int label : {CL_Adjust_BpfAll, CL_Adjust_BpfAll_Sweep, CL_Adjust_BpfT1_Sweep, CL_Adjust_BpfT2_Sweep,
                          CL_Adjust_RxLva_Sweep, CL_Adjust_TxLva_Sweep})
    s.insert(label);
  // The sweep cells among the procedures draw nothing.
  for (const int label : {CL_Adjust_Auto_LvRx_FL_Sweep, CL_Adjust_Auto_LvRx_FH_Sweep, CL_Adjust_Auto_LvTx_FL_Sweep,
                          CL_Adjust_Auto_LvTx_FH_Sweep})
    s.erase(label);
  return s;
}

// The labels drawing nothing (alias columns 2-5 and four sweeps).
bool DrawsNothing(int label) {
  return (label >= CL_Mdc_Alias2_Strip && label <= CL_Mdc_Alias5_Text) || label == CL_Adjust_LvRx_Sweep ||
         label == CL_Adjust_LvTx_Sweep || label == CL_Adjust_Smeter_Sweep || label == CL_Adjust_Auto_LvRx_FL_Sweep ||
         label == CL_Adjust_Auto_LvRx_FH_Sweep || label == CL_Adjust_Auto_LvTx_FL_Sweep ||
         label == CL_Adjust_Auto_LvTx_FH_Sweep;
}

std::vector<int> FamilyLabels() {
  std::vector<int> labels;
  for (int label = CL_Maker_SqlDelay_Op; label <= CL_Maker_mRSSISL; ++label) labels.push_back(label);
  for (int label = CL_Mdc_System_List_Text; label <= CL_Mdc_General_Log_Action_Type; ++label) labels.push_back(label);
  for (int label = CL_Adjust_ChNo; label <= CL_Adj_Pram_TxLva_A2; ++label) labels.push_back(label);
  return labels;
}

bool IsAlias(int label) { return label >= CL_Mdc_Alias1_Strip && label <= CL_Mdc_Alias5_Text; }
bool IsAdjustment(int label) { return label >= CL_Adjust_ChNo && label <= CL_Adj_Pram_TxLva_A2; }

int CategoryOf(int label) {
  if (IsAlias(label)) return CT_MDC_Alias;
  return IsAdjustment(label) ? CT_ADJ : CT_Null;
}

// The image area a family's settings live in.
bool InFamilyArea(int label, int address) {
  if (label <= CL_Maker_mRSSISL) return address >= 0x10C && address <= 0x14F;
  if (label <= CL_Mdc_General_Log_Action_Type) return address >= 0xB13B && address <= 0xB1CB;
  return address >= 0x50 && address <= 0xDF;
}

class SettingWalk : public ::testing::Test {
 protected:
  struct Reply {
    std::string text;
    uint8_t result;
  };
  Reply Send(int label, int row, int key, const std::string* text = nullptr, bool withGrid = false) {
    cmcCellObj cell;
    cell.category = static_cast<uint32_t>(CategoryOf(label));
    cell.label = static_cast<uint32_t>(label);
    cell.index = row;
    cmcCellCapsule c;
    c.cell = &cell;
    c.keyCode = key;
    if (withGrid) c.grid = &grid_;
    if (text) {
      c.inputKind = cmcCellCapsule::kInputText;
      c.inputText = *text;
    }
    const uint8_t result = active_.Dispatch(c, false);
    return {c.outputText, result};
  }

  ChooserGrid grid_;
  ProgramDir dir_;
  Program p_{dir_};
  indCellShell& shell_ = p_.cellHost;
  indActiveCell& active_ = p_.dispatch;
};

TEST_F(SettingWalk, EveryLabelDrawsAndTakesItsOwnTextBack) {
  const std::set<int> yet = WithoutHandler();
  for (int type = 0; type <= 3; ++type) {
    p_.main.ChangeModelType(type, false);
    for (const bool maker : {false, true}) {
      p_.main.makerReserveMode = maker;
      for (const int label : FamilyLabels()) {
        for (const int row : {0, 4}) {
          const std::string where = std::to_string(type) + (maker ? " maker " : " ") + std::to_string(label);
          const Reply drawn = Send(label, row, 0);
          if (yet.contains(label)) {
            EXPECT_EQ(drawn.text, indCellHandlers::YetText(label)) << where;
            continue;
          }
          EXPECT_NE(drawn.text, indCellHandlers::YetText(label)) << where;
          if (DrawsNothing(label)) {
            EXPECT_EQ(drawn.text, "") << where;
          }
          cmcEeprom before;
          before.Assign(p_.main.Working());
          Send(label, row, 0, &drawn.text);
          EXPECT_TRUE(p_.main.Working().Equals(before)) << where << " committed \"" << drawn.text << "\"";
        }
      }
    }
  }
  EXPECT_TRUE(p_.prompts.asked.empty());
}

TEST_F(SettingWalk, ASettingChangesOnlyItsFamilysBytes) {
  p_.main.makerReserveMode = true;
  for (const int label : FamilyLabels()) {
    if (IsAlias(label)) continue;  // records, not radio-wide bytes: the MDC suite
    for (const int key : {0, IsAdjustment(label) ? kKeyArrowRight : int{' '}}) {
      cmcEeprom before;
      before.Assign(p_.main.Working());
      const std::string typed = "12";
      Send(label, 1, key, key == 0 ? &typed : nullptr, true);
      const uint8_t* now = p_.main.Working().Data();
      for (int a = 0; a < cmcEeprom::kImageSize; ++a)
        if (now[a] != before.Data()[a] && !InFamilyArea(label, a))
          ADD_FAILURE() << "label " << label << " wrote " << std::hex << a;
    }
  }
}

}  // namespace
