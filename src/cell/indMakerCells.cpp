#include "cell/indMakerCells.h"

#include "cell/cmcCellIds.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "cell/indImageSettings.h"

namespace {

using enum indCodec;

constexpr const char* kOnOff = "GI_Sheet_Sel_Maker_OnOff";
constexpr const char* kPolarity = "GI_Sheet_Sel_Maker_Polarity";
constexpr const char* kAccess = "GI_Sheet_Sel_Maker_Access";

// Byte 0x10B is left to the common settings (its bit 4 gates the digital timers).
// Timers are whole bytes counting 1/scale seconds.
// clang-format off
constexpr indImageSetting kMaker[] = {
  // label                                  address bit width codec      list / scale, min, max
  {CL_Maker_SqlDelay_Op,                    0x10C, 7, 1,  Choice,    kOnOff},
  {CL_Maker_Dtcs_TxPolar,                   0x10C, 6, 1,  Choice,    kPolarity},
  {CL_Maker_Dtcs_RxPolar,                   0x10C, 5, 1,  Choice,    kPolarity},
  {CL_Maker_Dtcs_Decode,                    0x10C, 4, 1,  Choice,    "GI_Sheet_Sel_Maker_DtcsDecode"},
  {CL_Maker_Stone_2tone,                    0x10C, 3, 1,  Choice,    kOnOff},
  {CL_Maker_Stone_5tone,                    0x10C, 2, 1,  Choice,    kOnOff},
  {CL_Maker_SetModeAccess,                  0x10C, 1, 1,  Choice,    kAccess},
  {CL_Maker_ExtModeAccess,                  0x10C, 0, 1,  Choice,    kAccess},
  {CL_Maker_MchPitch,                       0x10D, 0, 3,  Choice,    "GI_Sheet_Sel_Maker_MchPitch"},
  {CL_Maker_IfFreq,                         0x10D, 3, 1,  Choice,    "GI_Sheet_Sel_Maker_IfFreq"},
  {CL_Maker_Pll_Type,                       0x10D, 4, 2,  Choice,    "GI_Sheet_Sel_Maker_PllType"},
  {CL_Maker_Pll_Reference,                  0x10D, 6, 2,  Choice,    "GI_Sheet_Sel_Maker_PllRef"},
  {CL_Maker_Pll_Cp1OutputCurrent,           0x10E, 0, 4,  Integer,   nullptr, 1, 0, 15},
  {CL_Maker_Pll_Cp2OutputCurrent,           0x10E, 4, 4,  Integer,   nullptr, 1, 0, 15},
  {CL_Maker_UI_Type,                        0x10F, 0, 2,  Choice,    "GI_Sheet_Sel_Maker_UiType"},
  {CL_Maker_Digital_RxPolar,                0x10F, 6, 1,  Choice,    kPolarity},
  {CL_Maker_Digital_TxPolar,                0x10F, 7, 1,  Choice,    kPolarity},
  {CL_Maker_Password,                       0x110, 0, 8,  FixedText},
  {CL_Maker_ManDown_DATA_CTRL_REG,          0x118, 0, 8,  Integer},
  {CL_Maker_ManDown_Polling,                0x119, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_SqlDelay_ResetTimer,            0x11A, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_Sql_SigDetTimer,                0x11B, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_Sql_NoiseDetTimer,              0x11C, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_Sql_SigDetTimerDR,              0x11D, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_Sql_NoiseDetTimerDR,            0x11E, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_Sql_FlickerChkTimer,            0x11F, 0, 8,  Timer,     nullptr, 100},
  {CL_Maker_Sql_Level_A,                    0x120, 0, 8,  Integer},
  {CL_Maker_Sql_Level_B,                    0x121, 0, 8,  Integer},
  {CL_Maker_Sql_Level_C,                    0x122, 0, 8,  Integer},
  {CL_Maker_Sql_Level_D,                    0x123, 0, 8,  Integer},
  {CL_Maker_Sql_Level_E,                    0x124, 0, 8,  Integer},
  {CL_Maker_Sql_Level_F,                    0x125, 0, 8,  Integer},
  {CL_Maker_Sql_Level_G,                    0x126, 0, 8,  Integer},
  {CL_Maker_CtcssDec_Attack,                0x127, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_CtcssDec_Release,               0x128, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_CtcssDec_PS,                    0x129, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_CtcssDec_Delay,                 0x12A, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_CtcssDec_Attack2,               0x12B, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_CtcssDec_Release2,              0x12C, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_PwrOffTimer,                    0x12D, 0, 8,  Timer,     nullptr, 100},
  {CL_Maker_PwrOffTimer2,                   0x12E, 0, 8,  Timer,     nullptr, 100},
  {CL_Maker_ON_Timer1,                      0x12F, 0, 8,  Timer,     nullptr, 100},
  {CL_Maker_ON_Timer2,                      0x130, 0, 8,  Timer,     nullptr, 100},
  {CL_Maker_ON_Timer3,                      0x131, 0, 8,  Timer,     nullptr, 100},
  {CL_Maker_Pll_TxFastTimer,                0x132, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_Pll_RxFastTimer,                0x133, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_Pll_TxFastTimer2,               0x134, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_Pll_RxFastTimer2,               0x135, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_MuteTimer_Tx,                   0x136, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_MuteTimer_Rx,                   0x137, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_Digital_Let,                    0x138, 0, 8,  Timer,     nullptr, 1000},
  {CL_Maker_Digital_Tack,                   0x139, 0, 8,  Timer,     nullptr, 1000},
  // Battery thresholds in A/D steps.
  {CL_Maker_Liion_Normal_Low1,              0x13A, 0, 8,  Integer},
  {CL_Maker_Liion_Normal_Low2,              0x13B, 0, 8,  Integer},
  {CL_Maker_Liion_Normal_Low3,              0x13C, 0, 8,  Integer},
  {CL_Maker_Liion_Low_Low1,                 0x13D, 0, 8,  Integer},
  {CL_Maker_Liion_Low_Low2,                 0x13E, 0, 8,  Integer},
  {CL_Maker_Liion_Low_Low3,                 0x13F, 0, 8,  Integer},
  {CL_Maker_Liion_Dry_Low1,                 0x140, 0, 8,  Integer},
  {CL_Maker_Liion_Dry_Low2,                 0x141, 0, 8,  Integer},
  {CL_Maker_Liion_Normal_DispNormal,        0x142, 0, 8,  Integer},
  {CL_Maker_Liion_Normal_DispLow1,          0x143, 0, 8,  Integer},
  {CL_Maker_Liion_Normal_DispLow2,          0x144, 0, 8,  Integer},
  {CL_Maker_Liion_Normal_DispLow3,          0x145, 0, 8,  Integer},
  {CL_Maker_Liion_Low_DispNormal,           0x146, 0, 8,  Integer},
  {CL_Maker_Liion_Low_DispLow1,             0x147, 0, 8,  Integer},
  {CL_Maker_Liion_Low_DispLow2,             0x148, 0, 8,  Integer},
  {CL_Maker_Liion_Low_DispLow3,             0x149, 0, 8,  Integer},
  {CL_Maker_Liion_Dry_DispNormal,           0x14A, 0, 8,  Integer},
  {CL_Maker_Liion_Dry_DispLow1,             0x14B, 0, 8,  Integer},
  {CL_Maker_Liion_Dry_DispLow2,             0x14C, 0, 8,  Integer},
  {CL_Maker_ManDown_Threshold_ManDown,      0x14D, 0, 8,  Integer},
  {CL_Maker_ManDown_Threshold_Recover,      0x14E, 0, 8,  Integer},
  {CL_Maker_LoneWorker_PeakDetCounter,      0x14F, 0, 4,  Integer,   nullptr, 1, 0, 15},
  {CL_Maker_Motion_PeakDetCounter,          0x14F, 4, 4,  Integer,   nullptr, 1, 0, 15},
};
// clang-format on

void Maker(indCellRequest& r) {
  if (r.label == CL_Maker_SqlDelay_ResetTimer && !r.host.MakerReserveMode()) return;
  indImageSettings::Run(r, *indImageSettings::Find(kMaker, r.label));
}

}  // namespace

void indMakerCells::Register(indCellHandlers& t) {
  for (const indImageSetting& s : kMaker) t.Set(s.label, Maker);
}
