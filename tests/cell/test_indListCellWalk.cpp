// Every label of the MSK, user-character, DTMF, scan-list and selective-call families
// on each model's initial image: a redraw shows a value (only the labels without a
// handler keep "*Yet*"), and committing the text a stored setting shows leaves the
// image as it was.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "cell/indActiveCell.h"
#include "cell/indCellHandlers.h"
#include "shell/indCellShell.h"
#include "support/TestProgram.h"

namespace {

struct Family {
  int first, last, category, firstRow, lastRow;
};

const Family kFamilies[] = {
    {CL_Msk_AdrRange_Individual, CL_Msk_AdrRange_Killer, CT_MSK_AdrRange, 0, 1},
    {CL_Msk_IdGroup_Adr, CL_Msk_IdGroup_SFunc, CT_MSK_IdGroup, 0, 7},
    {CL_Msk_CallList_Adr, CL_Msk_CallList_Sel, CT_MSK_CallList, 0, 31},
    {CL_Msk_Msg_Status_Beep, CL_Msk_Msg_Status_Text_Tx, CT_MSK_Msg_Status, 0, 23},
    {CL_Msk_Msg_ShortTxtTxMsg_1, CL_Msk_Msg_ShortTxtTxMsg_Sel, CT_MSK_Msg_ShortTxt, 0, 7},
    {CL_Msk_TimingErr_NA, CL_Msk_TimingErr_LetCall, CT_MSK_TimingErr, 0, 0},
    {CL_Msk_Cfg_Enc_PttCall, CL_Msk_Presl_Ptt_Side, CT_MSK_Cfg, 0, 0},
    {CL_CEdit, CL_CEdit, CT_CEdit, 0, 15},
    {CL_Dtmf_ChNo, CL_Dtmf_Text, CT_DTMF, 0, 7},
    {CL_Dtmf_DtmfTimer, CL_Dtmf_MarkTimer, CT_Null, 0, 0},
    {CL_ScanList_ScanType, CL_ScanList_PwrSave, CT_Scan, 0, 16},
    {CL_ScanComm_StopTimer, CL_ScanComm_PwrSave, CT_Null, 0, 0},
    {CL_2T_RxFreq_1st, CL_2T_Code_Type, CT_2Tone_Code, 1, 10},
    {CL_2TTx_Freq_1st, CL_2T_2nd_Period, CT_2ToneTX_Common, 0, 9},
    {CL_5TRx_RxCode, CL_5TRx_CompareTone, CT_RX_Code, 0, 8},
    {CL_5TTx_TxCode, CL_5TTx_LongToneTP, CT_TX_Code, 0, 31},
    {CL_UTone_Tone_Digit, CL_UTone_Length, CT_UserTone, 0, 14},
};

bool WithoutHandler(int label) {
  return label == CL_Msk_Msg_ShortTxtTxMsg_2 || label == CL_Msk_Msg_ShortTxtTxMsg_3 || label == CL_Msk_TimingErr_ND ||
         (label >= CL_Msk_TimingErr_TOF && label <= CL_Msk_TimingErr_T3) || label == CL_Msk_Cfg_Dec_DurationTimer ||
         label == CL_Msk_Cfg_Status_Send_Base || label == CL_Msk_Cfg_Status_Send_Dim ||
         label == CL_Msk_Cfg_Gps_Enable || label == CL_Msk_Cfg_Gps_Send_Call || label == CL_Msk_Cfg_Gps_Send_Ack ||
         label == CL_Select_TX_Code || label == CL_Select_TX_Text ||
         (label >= CL_5TTx_DispDigit1 && label <= CL_5TTx_DispDigit0) || label == CL_UTone_Auto;
}

// Labels whose text is not a value that reads back: captions and fixed range texts.
const std::set<int> kNotStored = {CL_Dtmf_ChNo, CL_Msk_AdrRange_Individual};

class ListCellWalk : public ::testing::TestWithParam<int> {
 protected:
  std::string Send(int category, int label, int row, int inputKind, const std::string& text) {
    cmcCellObj cell;
    cell.category = static_cast<uint32_t>(category);
    cell.label = static_cast<uint32_t>(label);
    cell.index = row;
    cmcCellCapsule c;
    c.cell = &cell;
    c.inputKind = static_cast<uint8_t>(inputKind);
    c.inputText = text;
    active_.Dispatch(c, false);
    return c.outputText;
  }

  ProgramDir dir_;
  Program p_{dir_};
  indCellShell& shell_ = p_.cellHost;
  indActiveCell& active_ = p_.dispatch;
};

TEST_P(ListCellWalk, EveryLabelShowsAValueAndCommitsItsTextUnchanged) {
  p_.main.ChangeModelType(GetParam(), true);
  for (const Family& f : kFamilies) {
    for (int label = f.first; label <= f.last; ++label) {
      for (int row = f.firstRow; row <= f.lastRow; ++row) {
        const std::string shown = Send(f.category, label, row, cmcCellCapsule::kInputKey, {});
        if (WithoutHandler(label)) {
          EXPECT_EQ(shown, indCellHandlers::YetText(label));
          continue;
        }
        ASSERT_EQ(shown.find("*Yet*"), std::string::npos) << label << " row " << row;
        if (kNotStored.contains(label) || (label == CL_Msk_AdrRange_Group && row == 1)) continue;
        cmcEeprom before;
        before.Assign(p_.main.Working());
        Send(f.category, label, row, cmcCellCapsule::kInputText, shown);
        ASSERT_TRUE(p_.main.Working().Equals(before))
            << "label " << label << " row " << row << " text '" << shown << "' model " << GetParam();
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(ModelTypes, ListCellWalk, ::testing::Values(0, 1, 2, 3));

}  // namespace
