#include "cell/indCommonCells.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <span>
#include <string_view>

#include "cell/cmcCellIds.h"
#include "cell/cmcCodecCommon.h"
#include "cell/cmcTextCodecs.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "cell/indSettingRows.h"
#include "image/cmcClonePassword.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "runtime/cmcPrompts.h"

namespace {

constexpr const char* kOnOff = "GI_Sheet_Sel_Misc_OnOff";
constexpr const char* kEnable = "GI_Sheet_Sel_Misc_Enable";
constexpr const char* kAccess = "GI_Sheet_Sel_Comm_Access";
constexpr indBitField kManDownOn = Bit(cmcImageMap::kEmergencyFlags, 4);

// One row per label. Beyond the settings whose place the radio fixes, the family
// keeps its settings in bytes no other family uses: 0xA07E-0xA080, 0xA08D-0xA08F,
// 0xA091, 0xA0E0-0xA0EB (but 0xA0E6-0xA0E8, 0xA0EC-0xA0ED), 0xA0EE bits 4-7,
// 0x299 bits 5-7, 0xAFE3, 0xAFE4 bits 0-6 and 0xB12F-0xB139. Saving rebuilds
// 0xA0DB-0xA0DC from the template and 0xA0DE-0xA0DF from the low-battery alerts, so
// no setting lives there.
constexpr indSettingRow kCommon[] = {
    // Passwords and access.
    {CL_Comm_UserPassword, Run(0xA079, 4), Digits()},
    {CL_Comm_DealerPasscode, Run(0xA07B, 6), Digits()},
    {CL_Comm_PwrOnPassword, Bit(0xA09F, 5), Choice(kOnOff), kLayoutChange},
    {CL_Comm_IniSetModeAccess, Bit(0xA080, 7), Choice(kAccess)},
    {CL_Comm_KeyChgModeAccess, Bit(0xA080, 6), Choice(kAccess)},
    {CL_Comm_AllClearAccess, Bit(0xA080, 5), Choice(kAccess)},
    {CL_Comm_SetModeAccess, Bit(0xA080, 4), Choice(kAccess)},
    {CL_Comm_CloneComment1, Run(0xA10E, 16), PlainText()},
    {CL_Comm_CloneComment2, Run(0xA11E, 16), PlainText()},
    // Automatic reset and inactivity.
    {CL_Comm_AtResetTimer_A, Byte(0xA08D), Timer(1, true)},
    {CL_Comm_AtResetTimer_B, Byte(0xA08E), Timer(1, true)},
    {CL_Comm_InactiveTimer, Byte(0xA08F), Timer(1, true)},
    // Time-out timer.
    {CL_Comm_Tot, Bit(0xAFE4, 7), Choice(kOnOff), kDigitalTimers},
    {CL_Comm_Tot_Timer, Byte(0xA0B6), Timer(1, false, 1, 255)},
    {CL_Comm_Tot_ID_Out, Bit(0xA09D, 5), Choice(kOnOff)},
    {CL_Comm_Tot_Dtmf_ID_Out, Bit(0xA09D, 5), Choice(kOnOff)},
    {CL_Comm_Tot_PenaltyTimer, Byte(0xA0B7), Timer(1, true)},
    {CL_Comm_Tot_Beep, Bit(0xA09D, 4), Choice(kOnOff)},
    {CL_Comm_Tot_Reset, Byte(0xA0C8), Decimal(0, 3, 0, 15, true), kOffAtZero},
    // Busy lockout.
    {CL_Comm_LockoutAna, Bits(0xA080, 0, 2), Choice("GI_Sheet_Sel_Comm_Lockout")},
    {CL_Comm_LockoutDig, Bits(0xA080, 2, 2), Choice("GI_Sheet_Sel_Comm_Lockout")},
    {CL_Comm_LockoutPenaltyTimer, Byte(0xA091), Timer(1, true)},
    {CL_Comm_LockoutOverride, Bit(0xAFE3, 7), Choice(kOnOff)},
    // CTCSS.
    {CL_Comm_Ctcss_ToneBurst, Bit(0xB137, 7), Choice(kOnOff)},
    {CL_Comm_Ctcss_ReverseBurst, Bit(0xB137, 6), Choice(kOnOff)},
    {CL_Comm_Ctcss_RxAfFilt, Bit(0xB137, 5), Choice(kOnOff)},
    {CL_Comm_Ctcss_ChMuteCont, Bit(0xB137, 4), Choice(kOnOff)},
    {CL_Comm_Ctcss_Backup, Bit(0xB137, 3), Choice(kOnOff)},
    // Option connector and serial ports.
    {CL_Comm_OptC_CmdType, Bits(0xB137, 0, 2), Choice("GI_Sheet_Sel_Comm_OptC_CmdType")},
    {CL_Comm_RS232C_SPPED, Bits(0xB138, 0, 3), Choice("GI_Sheet_Sel_Comm_RS232C_Speed")},
    {CL_Comm_RS232C_Mode, Bits(0xB138, 3, 2), Choice("GI_Sheet_Sel_Comm_RS232C_Mode")},
    {CL_Comm_RS232C_Port, Bits(0xB138, 5, 2), Choice("GI_Sheet_Sel_Comm_RS232C_Port")},
    {CL_Comm_Dig_Rs232c_Speed, Bits(0xB139, 0, 3), Choice("GI_Sheet_Sel_Comm_RS232C_Speed")},
    {CL_Comm_Dig_Rs232c_Mode, Bits(0xB139, 3, 2), Choice("GI_Sheet_Sel_Comm_RS232C_Mode")},
    // Scrambler.
    {CL_Comm_Scrm_Type, Bits(0xAFE3, 0, 2), Choice("GI_Sheet_Sel_Comm_Scrm_Type")},
    {CL_Comm_Scrm_SyncCapture, Bit(0xAFE3, 2), Choice(kOnOff)},
    {CL_Comm_Scrm_GroupCode, Byte(0xA0EA), Integer(0, 255)},
    {CL_Comm_Scrm_TStartTiming, Byte(0xA0E0), Timer(100)},
    // Power save.
    {CL_Comm_PwrSave_Timer1, Byte(0xA0E1), Timer(10)},
    {CL_Comm_PwrSave_Timer2, Byte(0xA0E2), Timer(10)},
    // Man-down.
    {CL_Comm_ManDown_ON, kManDownOn, Choice(kOnOff), kLayoutChange},
    {CL_Comm_ManDown_Timer, Byte(0xB692), Timer(1), kSilverUnlessSet, kManDownOn},
    {CL_Comm_ManDown_TS1, Byte(0xA860), Timer(10), kSilverUnlessSet, kManDownOn},
    {CL_Comm_ManDown_TS2, Byte(0xA861), Timer(10), kSilverUnlessSet, kManDownOn},
    {CL_Comm_ManDown_TS3, Byte(0xA862), Timer(10), kSilverUnlessSet, kManDownOn},
    {CL_Comm_ManDown_Sairen, Bit(cmcImageMap::kEmergencyFlags, 5), Choice("GI_Sheet_Sel_Comm_Sairen"), kSilverUnlessSet,
     kManDownOn},
    {CL_Comm_ManDown_ReCycle, Byte(0xA85E), Integer(1, 8)},
    // Low battery.
    {CL_Comm_LowBatt1_Periods, Byte(0xA0E6), Timer(1, true), kSilverUnlessSet, Bit(0xA0E8, 5)},
    {CL_Comm_LowBatt2_Periods, Byte(0xA0E7), Timer(1, true), kSilverUnlessSet, Bit(0xA0E8, 4)},
    {CL_Comm_LowBatt1_TX_End, Bit(0xA0E8, 7), Choice(kOnOff)},
    {CL_Comm_LowBatt2_TX_End, Bit(0xA0E8, 6), Choice(kOnOff)},
    {CL_Comm_LowBatt1, Bit(0xA0E8, 5), Choice(kOnOff), kLayoutChange},
    {CL_Comm_LowBatt2, Bit(0xA0E8, 4), Choice(kOnOff), kLayoutChange},
    // Announcements and beeps.
    {CL_Comm_ChAnnounceSet, Bit(0xB137, 2), Choice(kOnOff)},
    {CL_Comm_SmartRing_Beep, Bit(0xAFE3, 3), Choice(kOnOff)},
    {CL_Comm_SmartRing_BeepTimer, Byte(0xA0E3), Timer(10)},
    {CL_Comm_Roger_Beep, Bit(0xAFE3, 4), Choice(kOnOff)},
    {CL_Comm_AllSelect, Bit(0xAFE3, 5), Choice(kEnable)},
    {CL_Comm_TRDataOut, Bit(0xAFE3, 6), Choice(kOnOff)},
    // Channel widths the radio offers; the wide and middle widths mark channel cells.
    {CL_Comm_Wide, Bit(0xA0EE, 4), Choice(kEnable), kLayoutChange},
    {CL_Comm_Middle, Bit(0xA0EE, 5), Choice(kEnable), kLayoutChange},
    {CL_Comm_FNarrow, Bit(0xA0EE, 6), Choice(kEnable)},
    {CL_Comm_FNarrow_Change, Bit(0xA0EE, 7), Choice(kEnable)},
    {CL_Comm_Sql_Tight_Ofs, Byte(0xA0EB), Integer(0, 255)},
    // PTT.
    {CL_Comm_PTTSide, Bit(0x299, 7), Choice(kEnable)},
    {CL_Comm_PTTOver, Bit(0x299, 6), Choice(kEnable)},
    {CL_Comm_PTTwithRinger, Bit(0x299, 5), Choice(kEnable)},
    // MSK and MDC.
    {CL_Comm_Msk_DosTimer, Byte(0xA0E4), Timer(1, true)},
    {CL_Comm_Msk_CoastTimer, Byte(0xA0E5), Timer(10, true)},
    {CL_Comm_Msk_Mdc_SelfID, Word(0xA07E), Nibbles()},
    // Stun.
    {CL_Comm_Strv_Stun_Type, Bits(0xAFE4, 0, 2), Choice("GI_Sheet_Sel_Comm_Stun_Type")},
    {CL_Comm_Strv_TRDataOut, Bit(0xAFE4, 2), Choice(kOnOff)},
    {CL_Comm_Strv_PSW_Inhibit, Bit(0xAFE4, 3), Choice(kOnOff)},
    {CL_Comm_Strv_LCD_OFF, Bit(0xAFE4, 4), Choice(kOnOff)},
    {CL_Comm_Strv_LCD_OFF_Timer, Byte(0xA0E9), Timer(1, true)},
    {CL_Comm_Strv_Text_ON, Bit(0xAFE4, 5), Choice(kOnOff)},
    {CL_Comm_Strv_Text, Run(0xB12F, 8), RadioText()},
    {CL_Comm_Strv_Beep_ON, Bit(0xAFE4, 6), Choice(kOnOff)},
    {CL_Comm_Strv_DecAll, Bit(0xB139, 5), Choice(kEnable)},
    {CL_Comm_Strv_RevAll, Bit(0xB139, 6), Choice(kEnable)},
};

// The clone password: 16 bytes, zero-padded; the first is 0 when there is none. One the
// clone frame cannot carry is refused, typed or entered in the dialog.

void ClonePassword(indCellRequest& r) {
  cmcEeprom& image = r.host.Image();
  std::array<uint8_t, cmcTextCodecs::kMaxPasswordLength> entered{};
  const std::span<const uint8_t> current(image.Data() + cmcImageMap::kClonePassword, entered.size());
  if (!cmcTextCodecs::ClonePasswordCodec(r.capsule, current, entered, r.codec.result)) return;
  const auto end = std::find(entered.begin(), entered.end(), 0);
  if (!cmcClonePassword::FitsFrame(std::string_view(reinterpret_cast<const char*>(entered.data()),
                                                    static_cast<size_t>(end - entered.begin())))) {
    const std::string text = r.host.Text(cmcClonePassword::kRefusedKey);
    if (cmcCodecCommon::ReadsTyped(r.capsule))
      cmcCodecCommon::Refuse(r.capsule, text);
    else
      r.host.Prompts().Show(cmcPromptIcon::Warning, r.host.Text("GI_Sys_AppTitle"), text);
    return;
  }
  image.WriteBlock(cmcImageMap::kClonePassword, entered.data(), static_cast<int>(entered.size()));
}

}  // namespace

void indCommonCells::Register(indCellHandlers& t) {
  indRegisterRows(t, kCommon, indShownText::kNormalised);
  t.Set(CL_Comm_ClonePasswordStr, ClonePassword);
}
