#include "cell/indEmergencyCells.h"

#include <iterator>

#include "cell/cmcCellIds.h"
#include "cell/indCellHandlers.h"
#include "cell/indSettingRows.h"
#include "image/cmcImageMap.h"

namespace {

constexpr const char* kOnOff = "GI_Sheet_Sel_Misc_OnOff";
constexpr const char* kEnable = "GI_Sheet_Sel_Misc_Enable";
using cmcImageMap::kEmergencyFlags;
constexpr indBitField kCodeSent = Bit(kEmergencyFlags, 3);
constexpr indBitField kLoneWorkerTimeout = Byte(0xB688);

constexpr indSettingRow kEmergency[] = {
    {CL_Emer_LoneWorker_DetectionType,
     {Bit(kEmergencyFlags, 0), Bit(kEmergencyFlags, 1, 2)},
     Choice("GI_Sheet_Sel_Comm_LoneWorkerDetectionType")},
    {CL_Emer_LoneWorker_Timeout, kLoneWorkerTimeout, Timer(1, true), kLayoutChange},
    {CL_Emer_LoneWorker_PreAlarm, Byte(0xB689), Timer(1), kSilverUnlessSet, kLoneWorkerTimeout},
    {CL_Emer_LoneWorker_RepeatAlarm, Byte(0xB68A), Timer(1), kSilverUnlessSet, kLoneWorkerTimeout},
    {CL_Emer_LoneWorker_Pttdelay, Byte(0xB68B), Timer(10), kSilverUnlessSet, kLoneWorkerTimeout},
    {CL_Emer_ShakeFunction_Timer, Byte(0xB693), Timer(2, true, 0, 20), 0, {}, 5},
    {CL_Emer_Setting_MaxAlert, {Bits(0xB682, 0, 4), Bit(0xB682, 6, 100)}, Choice("GI_Sheet_Sel_SetM_BeepLev")},
    {CL_Emer_Setting_Sql, Byte(0xB681), ByteChoice("GI_Sheet_Sel_SetM_SqlLev")},
    {CL_Emer_Setting_MicGain, Byte(0xB680), ByteChoice("GI_Sheet_Sel_SetM_MicGain")},
    {CL_Emer_Setting_RptCycle, Byte(0xB691), Integer(0, 255), kInfiniteAtZero},
    {CL_Emer_Setting_Silent, Bit(kEmergencyFlags, 5), Choice("GI_Sheet_Sel_Comm_Silent")},
    {CL_Emer_Timer_Start, Byte(0xB686), Timer(1)},
    {CL_Emer_Timer_TxTone, Byte(0xB68C), Timer(1, true)},
    {CL_Emer_Timer_AutoTx, Byte(0xB68D), Timer(1, true)},
    {CL_Emer_Timer_RxTone, Byte(0xB68E), Timer(1, true)},
    {CL_Emer_Timer_AutoRx, Byte(0xB68F), Timer(1, true)},
    {CL_Emer_Timer_Idle, Byte(0xB690), Timer(1, true)},
    {CL_Emer_Signal_CodeEna, kCodeSent, Choice("GI_Sheet_Sel_Misc_Enable3"), kLayoutChange},
    {CL_Emer_Signal_CodeLong, Bit(0xB697, 7), Choice(kOnOff), kSilverUnlessSet, kCodeSent},
    {CL_Emer_Signal_2TDec, Bit(kEmergencyFlags, 2), Choice("GI_Sheet_Sel_Misc_Enable4")},
    {CL_Emer_Signal_5TDec, Bit(kEmergencyFlags, 2), Choice("GI_Sheet_Sel_Misc_Enable4")},
    {CL_Emer_5T_Code_Mandown, Bits(0xB698, 0, 7), TypedChoice("GI_Sheet_Sel_RxC_EmgCode"), kSilverUnlessSet, kCodeSent},
    {CL_Emer_5T_Code_LoneWorker, Bits(0xB699, 0, 7), TypedChoice("GI_Sheet_Sel_RxC_EmgCode"), kSilverUnlessSet,
     kCodeSent},
    {CL_Emer_5T_Code_EmerKey, Bits(0xB697, 0, 7), TypedChoice("GI_Sheet_Sel_RxC_EmgCode"), kSilverUnlessSet, kCodeSent},
    {CL_Emer_QARN_Code_Mandown, Byte(0xB694), TypedChoice("GI_Sheet_Sel_QARN_EmgCode")},
    {CL_Emer_QARN_Code_LoneWorker, Byte(0xB695), TypedChoice("GI_Sheet_Sel_QARN_EmgCode")},
    {CL_Emer_QARN_Code_EmerKey, Byte(0xB696), TypedChoice("GI_Sheet_Sel_QARN_EmgCode")},
};

// The beep tones hold ten times the hertz; the value shown is the word / 10.
constexpr indSettingRow kExpansion[] = {
    {CL_Exp_UserCtcss, Word(0xA1D1), Decimal(1, 1, 670, 2541, false)},
    {CL_Exp_Emer_SwOnTimer, Byte(0xB684), Timer(10)},
    {CL_Exp_Emer_SwOffTimer, Byte(0xB685), Timer(10)},
    {CL_Exp_Emer_StartRepeat, Byte(0xB687), Timer(1)},
    {CL_Exp_Emer_Text, Run(0xA67B, 8), RadioText()},
    {CL_Exp_BeepFreq_Low, Word(0xA083), Integer(400, 3000), 0, {}, 10},
    {CL_Exp_BeepFreq_High, Word(0xA085), Integer(400, 3000), 0, {}, 10},
    {CL_Exp_BeepFreq_High2, Word(0xA087), Integer(400, 3000), 0, {}, 10},
    {CL_Exp_DtcsInv_Tx, Bit(0xA09B, 7), Choice("GI_Sheet_Sel_Exp_DtcsInv")},
    {CL_Exp_DtcsInv_Rx, Bit(0xA09B, 6), Choice("GI_Sheet_Sel_Exp_DtcsInv")},
    {CL_Exp_RxExo_On, Bit(0xA0A1, 3), Choice(kOnOff)},
    {CL_Exp_RxExo_Delay, Byte(0xA0C0), Timer(10, true)},
    {CL_Exp_DecExo_OffTimer, Byte(0xA0EC), Timer(1)},
    {CL_Exp_DecExo_Cycle, Byte(0xA0ED), Integer(1, 255)},
    {CL_Exp_ExoInh_Igsw, Bit(0xA0EE, 2), Choice(kOnOff)},
    {CL_Exp_ExPttDelay, Byte(0xA0C1), Timer(10, true)},
    {CL_Exp_ToneMuteExPtt, Bit(0xA0A1, 2), Choice(kOnOff)},
    {CL_Exp_Select_ExPttFtsw, Bit(0xA0A1, 1), Choice(kEnable), kRefreshCells},
    {CL_Exp_Ignition, Bit(0x299, 4), Choice(kEnable)},
    {CL_Exp_IgnitionTimer, Byte(0xA0C2), MinuteSecond(7200, 30)},
    {CL_Exp_ClShift, Bits(0xA09E, 0, 2), Choice("GI_Sheet_Sel_Exp_ClShift")},
    {CL_Exp_BattTypeChange, {Bit(0xA09E, 2, 2), Bit(0xA09E, 3)}, Choice("GI_Sheet_Sel_Comm_Batt_Type")},
    {CL_Exp_PttSw, Bit(0xA09F, 6), Choice("GI_Sheet_Sel_Misc_Enable_D")},
    {CL_Exp_Ats_Sring, Bit(0xA09C, 5), Choice(kOnOff)},
};

}  // namespace

void indEmergencyCells::Register(indCellHandlers& t) {
  indRegisterRows(t, kEmergency, indShownText::kNormalised);
  indRegisterRows(t, kExpansion, indShownText::kNormalised);
}
