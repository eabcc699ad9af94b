#include "cell/indMakerCells.h"

#include "cell/cmcCellIds.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "cell/indSettingRows.h"

namespace {

constexpr const char* kOnOff = "GI_Sheet_Sel_Maker_OnOff";
constexpr const char* kPolarity = "GI_Sheet_Sel_Maker_Polarity";
constexpr const char* kAccess = "GI_Sheet_Sel_Maker_Access";

// Byte 0x10B is left to the common settings (its bit 4 gates the digital timers).
// Timers are whole bytes counting 1/scale seconds.
// clang-format off
constexpr indSettingRow kMaker[] = {
  {CL_Maker_SqlDelay_Op, Bit(0x10C, 7), Choice(kOnOff)},
  {CL_Maker_Dtcs_TxPolar, Bit(0x10C, 6), Choice(kPolarity)},
  {CL_Maker_Dtcs_RxPolar, Bit(0x10C, 5), Choice(kPolarity)},
  {CL_Maker_Dtcs_Decode, Bit(0x10C, 4), Choice("GI_Sheet_Sel_Maker_DtcsDecode")},
  {CL_Maker_Stone_2tone, Bit(0x10C, 3), Choice(kOnOff)},
  {CL_Maker_Stone_5tone, Bit(0x10C, 2), Choice(kOnOff)},
  {CL_Maker_SetModeAccess, Bit(0x10C, 1), Choice(kAccess)},
  {CL_Maker_ExtModeAccess, Bit(0x10C, 0), Choice(kAccess)},
  {CL_Maker_MchPitch, Bits(0x10D, 0, 3), Choice("GI_Sheet_Sel_Maker_MchPitch")},
  {CL_Maker_IfFreq, Bit(0x10D, 3), Choice("GI_Sheet_Sel_Maker_IfFreq")},
  {CL_Maker_Pll_Type, Bits(0x10D, 4, 2), Choice("GI_Sheet_Sel_Maker_PllType")},
  {CL_Maker_Pll_Reference, Bits(0x10D, 6, 2), Choice("GI_Sheet_Sel_Maker_PllRef")},
  {CL_Maker_Pll_Cp1OutputCurrent, Bits(0x10E, 0, 4), Integer(0, 15)},
  {CL_Maker_Pll_Cp2OutputCurrent, Bits(0x10E, 4, 4), Integer(0, 15)},
  {CL_Maker_UI_Type, Bits(0x10F, 0, 2), Choice("GI_Sheet_Sel_Maker_UiType")},
  {CL_Maker_Digital_RxPolar, Bit(0x10F, 6), Choice(kPolarity)},
  {CL_Maker_Digital_TxPolar, Bit(0x10F, 7), Choice(kPolarity)},
  {CL_Maker_Password, Run(0x110, 8), ZeroFilledText()},
  {CL_Maker_ManDown_DATA_CTRL_REG, Byte(0x118), Integer(0, 255)},
  {CL_Maker_ManDown_Polling, Byte(0x119), Timer(1000)},
  {CL_Maker_SqlDelay_ResetTimer, Byte(0x11A), Timer(1000)},
  {CL_Maker_Sql_SigDetTimer, Byte(0x11B), Timer(1000)},
  {CL_Maker_Sql_NoiseDetTimer, Byte(0x11C), Timer(1000)},
  {CL_Maker_Sql_SigDetTimerDR, Byte(0x11D), Timer(1000)},
  {CL_Maker_Sql_NoiseDetTimerDR, Byte(0x11E), Timer(1000)},
  {CL_Maker_Sql_FlickerChkTimer, Byte(0x11F), Timer(100)},
  {CL_Maker_Sql_Level_A, Byte(0x120), Integer(0, 255)},
  {CL_Maker_Sql_Level_B, Byte(0x121), Integer(0, 255)},
  {CL_Maker_Sql_Level_C, Byte(0x122), Integer(0, 255)},
  {CL_Maker_Sql_Level_D, Byte(0x123), Integer(0, 255)},
  {CL_Maker_Sql_Level_E, Byte(0x124), Integer(0, 255)},
  {CL_Maker_Sql_Level_F, Byte(0x125), Integer(0, 255)},
  {CL_Maker_Sql_Level_G, Byte(0x126), Integer(0, 255)},
  {CL_Maker_CtcssDec_Attack, Byte(0x127), Timer(1000)},
  {CL_Maker_CtcssDec_Release, Byte(0x128), Timer(1000)},
  {CL_Maker_CtcssDec_PS, Byte(0x129), Timer(1000)},
  {CL_Maker_CtcssDec_Delay, Byte(0x12A), Timer(1000)},
  {CL_Maker_CtcssDec_Attack2, Byte(0x12B), Timer(1000)},
  {CL_Maker_CtcssDec_Release2, Byte(0x12C), Timer(1000)},
  {CL_Maker_PwrOffTimer, Byte(0x12D), Timer(100)},
  {CL_Maker_PwrOffTimer2, Byte(0x12E), Timer(100)},
  {CL_Maker_ON_Timer1, Byte(0x12F), Timer(100)},
  {CL_Maker_ON_Timer2, Byte(0x130), Timer(100)},
  {CL_Maker_ON_Timer3, Byte(0x131), Timer(100)},
  {CL_Maker_Pll_TxFastTimer, Byte(0x132), Timer(1000)},
  {CL_Maker_Pll_RxFastTimer, Byte(0x133), Timer(1000)},
  {CL_Maker_Pll_TxFastTimer2, Byte(0x134), Timer(1000)},
  {CL_Maker_Pll_RxFastTimer2, Byte(0x135), Timer(1000)},
  {CL_Maker_MuteTimer_Tx, Byte(0x136), Timer(1000)},
  {CL_Maker_MuteTimer_Rx, Byte(0x137), Timer(1000)},
  {CL_Maker_Digital_Let, Byte(0x138), Timer(1000)},
  {CL_Maker_Digital_Tack, Byte(0x139), Timer(1000)},
  // Battery thresholds in A/D steps.
  {CL_Maker_Liion_Normal_Low1, Byte(0x13A), Integer(0, 255)},
  {CL_Maker_Liion_Normal_Low2, Byte(0x13B), Integer(0, 255)},
  {CL_Maker_Liion_Normal_Low3, Byte(0x13C), Integer(0, 255)},
  {CL_Maker_Liion_Low_Low1, Byte(0x13D), Integer(0, 255)},
  {CL_Maker_Liion_Low_Low2, Byte(0x13E), Integer(0, 255)},
  {CL_Maker_Liion_Low_Low3, Byte(0x13F), Integer(0, 255)},
  {CL_Maker_Liion_Dry_Low1, Byte(0x140), Integer(0, 255)},
  {CL_Maker_Liion_Dry_Low2, Byte(0x141), Integer(0, 255)},
  {CL_Maker_Liion_Normal_DispNormal, Byte(0x142), Integer(0, 255)},
  {CL_Maker_Liion_Normal_DispLow1, Byte(0x143), Integer(0, 255)},
  {CL_Maker_Liion_Normal_DispLow2, Byte(0x144), Integer(0, 255)},
  {CL_Maker_Liion_Normal_DispLow3, Byte(0x145), Integer(0, 255)},
  {CL_Maker_Liion_Low_DispNormal, Byte(0x146), Integer(0, 255)},
  {CL_Maker_Liion_Low_DispLow1, Byte(0x147), Integer(0, 255)},
  {CL_Maker_Liion_Low_DispLow2, Byte(0x148), Integer(0, 255)},
  {CL_Maker_Liion_Low_DispLow3, Byte(0x149), Integer(0, 255)},
  {CL_Maker_Liion_Dry_DispNormal, Byte(0x14A), Integer(0, 255)},
  {CL_Maker_Liion_Dry_DispLow1, Byte(0x14B), Integer(0, 255)},
  {CL_Maker_Liion_Dry_DispLow2, Byte(0x14C), Integer(0, 255)},
  {CL_Maker_ManDown_Threshold_ManDown, Byte(0x14D), Integer(0, 255)},
  {CL_Maker_ManDown_Threshold_Recover, Byte(0x14E), Integer(0, 255)},
  {CL_Maker_LoneWorker_PeakDetCounter, Bits(0x14F, 0, 4), Integer(0, 15)},
  {CL_Maker_Motion_PeakDetCounter, Bits(0x14F, 4, 4), Integer(0, 15)},
};
// clang-format on

void Maker(indCellRequest& r) {
  if (r.label == CL_Maker_SqlDelay_ResetTimer && !r.host.MakerReserveMode()) return;
  indRunRow(r, *indFindRow(kMaker, r.label), 0, indShownText::kNormalised);
}

}  // namespace

void indMakerCells::Register(indCellHandlers& t) {
  for (const indSettingRow& s : kMaker) t.Set(s.label, Maker);
}
