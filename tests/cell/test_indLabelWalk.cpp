// Every label id dispatched on every model type's initial image: exactly the labels
// that have no handler show "*Yet*"; every other label draws without it, and none
// crashes, whatever category the cell carries.
#include <set>

#include "cell/ProgramCells.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCellNames.h"
#include "cell/cmcCellRegistry.h"

namespace {

// The labels with no handler: ids the engine leaves unanswered on purpose.
constexpr int kWithoutHandler[][2] = {
    {FlexEeDebugWin, FlexEeDebugWin},
    {CL_Menu_Debug_Compare, CL_Menu_Debug_EeWindow},
    {CL_Check_SetMode, CL_Check_Common},
    {CL_CloneInfo_KeyBoard, CL_CloneInfo_KeyBoard},
    {CL_CloneInfo_PllRef, CL_CloneInfo_Option},
    {CL_EeDebugWin_Adr, CL_EeDebugWin_F},
    {CL_PMenu_Edit, CL_PMenu_Edit},
    {CL_PMenu_Insert, CL_PMenu_Insert},
    {CL_PMenu_MCHWin, CL_PMenu_WinCopy},
    {CL_FBits, CL_FBits},
    {CL_Mch_Msk_Log, CL_Mch_Msk_Log},
    {CL_Mch_Dig_ComID, CL_Mch_Dig_CC_T},
    {CL_Msk_Msg_ShortTxtTxMsg_2, CL_Msk_Msg_ShortTxtTxMsg_3},
    {CL_Msk_TimingErr_ND, CL_Msk_TimingErr_ND},
    {CL_Msk_TimingErr_TOF, CL_Msk_TimingErr_T3},
    {CL_Msk_Cfg_Dec_DurationTimer, CL_Msk_Cfg_Dec_DurationTimer},
    {CL_Msk_Cfg_Status_Send_Base, CL_Msk_Cfg_Status_Send_Base},
    {CL_Msk_Cfg_Status_Send_Dim, CL_Msk_Cfg_Gps_Enable},
    {CL_Msk_Cfg_Gps_Send_Call, CL_Msk_Cfg_Gps_Send_Call},
    {CL_Msk_Cfg_Gps_Send_Ack, CL_Msk_Cfg_Gps_Send_Ack},
    {CL_ExtPort_InOut_1, CL_ExtPort_Out_1_Logic},
    {CL_ExtPort_PortMode_none, CL_ExtPort_PortMode_none},
    {CL_KDisp_Key_Conv_P4, CL_KDisp_Key_Conv_Opf0},
    {CL_KDisp_Key_Conv_Opf2, CL_KDisp_Key_Conv_MicB},
    {CL_KDisp_Key_Shift_P4, CL_KDisp_Key_Shift_Opf0},
    {CL_KDisp_Key_Shift_Opf2, CL_KDisp_Key_Shift_MicB},
    {CL_KDisp_SmaKey, CL_KDisp_SmaKey},
    {CL_KDisp_MicFunc, CL_KDisp_LED_LP2},
    {CL_TSetM_LcdContrast, CL_TSetM_LcdContrast},
    {CL_TSetM_AFMinLev, CL_TSetM_AudioFilt},
    {CL_TSetM_VoxGain, CL_TSetM_HornOut},
    {CL_SetM_LcdContrast, CL_SetM_LcdContrast},
    {CL_SetM_AudioFilt, CL_SetM_AudioFilt},
    {CL_USetM_LcdContrast, CL_USetM_LcdContrast},
    {CL_USetM_AudioFilt, CL_USetM_AudioFilt},
    {CL_USetM_Ringer2, CL_USetM_RingerTimer},
    {CL_USetM_CodeDisp, CL_USetM_CodeDisp},
    {CL_Comm_ClonePassword, CL_Comm_ClonePassword},
    {CL_Comm_EmerIn, CL_Comm_EmerIn},
    {CL_Comm_EmerTim_On, CL_Comm_EmerTim_ReCycle},
    {CL_Emer_Signal_Code, CL_Emer_Signal_Code},
    {CL_Exp_RxAf_Filter, CL_Exp_PSaveStartTimer_2},
    {CL_Exp_EpttFtsw_C, CL_Exp_DimIgsw},
    {CL_Select_TX_Code, CL_Select_TX_Text},
    {CL_5TTx_DispDigit1, CL_5TTx_DispDigit0},
    {CL_UTone_Auto, CL_UTone_Auto},
    {CL_Maker_CtcssTone_Burst, CL_Maker_CtcssTone_Burst},
    {CL_Maker_RollStart_RX, CL_Maker_RollTiming_TX},
    {CL_Maker_mSFBW, CL_Model_MdcPmr_Mob},
    {CL_Mdc_System_List_Selcall, CL_Mdc_System_List_Selcall},
    {CL_Mdc_SelCall_Text, CL_Mdc_SelCall_Text},
    {CL_Mdc_General_Group_Id, CL_Mdc_General_Group_Id},
    {CL_Mdc_SelCall_Rx, CL_Mdc_CallAlert_Display_Time},
    {CL_Mdc_RadioChk_Tx, CL_Mdc_RadioChk_Ack_Wait},
    {CL_Mdc_Emg_Status_No, CL_Mdc_Emg_Status_No},
    {CL_Mdc_Emg_Cnt_Beep, CL_Mdc_Emg_Beep_Type},
    {CL_Mdc_Emg_Beep_Time, CL_Mdc_Emg_Beep_Time},
    {CL_Mdc_Stun_Tx, CL_Mdc_Stun_Disp_Time},
    {CL_Mdc_Revive_Tx, CL_Mdc_Revive_No_Retry},
    {CL_Mdc_Revive_Ack_Wait, CL_Mdc_General_Menu_Timeout},
    {CL_Mdc_Status_Rx, CL_Mdc_Alias1_Strip},
    {CL_Mdc_Status_Num, CL_Mdc_General_Mute_Type},
    {CL_Mdc_General_Auto_Reset, CL_Mdc_General_Auto_Reset},
    {CL_Mdc_SelCall_RT_Beep, CL_Mdc_SelCall_RT_Beep},
    {CL_Mdc_Msg_RX, CL_Mdc_System_List_CallAlert},
    {CL_Mdc_Status_Poll_Tx, CL_Mdc_Emg_Rx_Send_Ack},
    {CL_Mdc_Emg_Ack_Delay, CL_Check_MDC_Status},
    {CL_Adjust_BALN, CL_Adjust_BALW_Bar},
    {CL_Adjust_CtcsW, CL_Adjust_Ctcs_Bar},
    {CL_Adjust_Auto_BpfT1_S, CL_Adjust_Auto_BpfT1_S_Bar},
    {CL_Adjust_Auto_BpfT2_S, CL_Adjust_Auto_BpfT2_S_Bar},
    {CL_Adjust_Auto_RxLva_C, CL_Adjust_Auto_RxLva_C},
    {CL_Adjust_Auto_LvRx_FC, CL_Adjust_Auto_LvRx_FC_Sweep},
    {CL_Adjust_Auto_TxLva_C, CL_Adjust_Auto_TxLva_C},
    {CL_Adjust_Auto_LvTx_FC, CL_Adjust_Auto_LvTx_FC_Sweep},
    {CL_AdjustTool_AdrSet, CL_AdjustTool_DatGet},
    {CL_Adj_Pram_ModSl_Band0, CL_Adj_Pram_TxLvaSl_Band6},
};

// The guided adjustment cells: they wait for the adjustment sequencer.
constexpr int kAdjustmentProcedures[][2] = {
    {CL_Adjust_ChNo, CL_Adjust_ChRfPow},
    {CL_Adjust_ModRatio_W_Val, CL_Adjust_ModRatio_M_Bar},
    {CL_Adjust_BpfAll, CL_Adjust_BpfAll_Sweep},
    {CL_Adjust_BpfT1_Sweep, CL_Adjust_BpfT1_Sweep},
    {CL_Adjust_BpfT2_Sweep, CL_Adjust_BpfT2_Sweep},
    {CL_Adjust_RxLva_Sweep, CL_Adjust_RxLva_Sweep},
    {CL_Adjust_TxLva_Sweep, CL_Adjust_TxLva_Sweep},
    {CL_Adjust_Smeter, CL_Adjust_Smeter_Bar},
    {CL_Adjust_Auto_Base_Freq, CL_AdjustTool_DatGet},
};

std::set<int> Expected() {
  std::set<int> labels;
  for (const auto& r : kWithoutHandler)
    for (int l = r[0]; l <= r[1]; ++l) labels.insert(l);
  std::set<int> yet = labels;
  for (const auto& r : kAdjustmentProcedures)
    for (int l = r[0]; l <= r[1]; ++l) yet.insert(l);
  return yet;
}

class LabelWalk : public ProgramCells {};

TEST_F(LabelWalk, OnlyLabelsWithoutAHandlerShowYet) {
  std::set<int> withoutHandler;
  for (const auto& r : kWithoutHandler)
    for (int l = r[0]; l <= r[1]; ++l) withoutHandler.insert(l);
  ASSERT_EQ(withoutHandler.size(), 403u);

  const std::set<int> expected = Expected();
  for (int family = 0; family <= 3; ++family) {
    p_.main.ChangeModelType(family, true);
    std::set<int> seen;
    for (int label = 0; label <= static_cast<int>(kNoLabel); ++label) {
      for (int category = 0; category < static_cast<int>(kNoCategory); ++category) {
        const std::string text = Draw(category, label, 0).text;
        if (text.find("*Yet*") != std::string::npos) seen.insert(label);
      }
    }
    std::set<int> missing, extra;
    for (int l : expected)
      if (!seen.contains(l)) missing.insert(l);
    for (int l : seen)
      if (!expected.contains(l)) extra.insert(l);
    for (int l : extra)
      ADD_FAILURE() << "family " << family << ": " << LabelNameOf(l) << " (" << l << ") has no handler";
    // A label the engine answers on purpose shows nothing, never "*Yet*".
    for (int l : missing)
      if (withoutHandler.contains(l))
        ADD_FAILURE() << "family " << family << ": " << LabelNameOf(l) << " (" << l << ") should show *Yet*";
  }
}

}  // namespace
