#include "cell/indSetModeCells.h"

#include <iterator>
#include <span>

#include "cell/cmcCellIds.h"
#include "cell/cmcChannelCodecContext.h"
#include "cell/cmcFlagCodecs.h"
#include "cell/cmcToneCodecs.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "cell/indSettingRows.h"
#include "image/cmcEeprom.h"

namespace {

constexpr const char* kOnOff = "GI_Sheet_Sel_Misc_OnOff";
constexpr const char* kOnOffI = "GI_Sheet_Sel_Misc_OnOff_I";
constexpr const char* kBeepLev = "GI_Sheet_Sel_SetM_BeepLev";
constexpr const char* kSensLev = "GI_Sheet_Sel_SetM_SensLev";

// The set-mode values; a level that may be "max" is bits 0-3 plus 100 for bit 6.
constexpr indSettingRow kSetMode[] = {
    {CL_SetM_Backlight, Bits(0x28E, 0, 4), Choice("GI_Sheet_Sel_SetM_Backlight")},
    {CL_SetM_BeepOn, Bit(0x280, 7), Choice(kOnOff)},
    {CL_SetM_BeepLev, {Bits(0x280, 0, 4), Bit(0x280, 6, 100)}, Choice(kBeepLev)},
    {CL_SetM_SqlLev, Byte(0x288), ByteChoice("GI_Sheet_Sel_SetM_SqlLev")},
    {CL_SetM_AFMinLev, Byte(0x282), Integer(0, 255)},
    {CL_SetM_MicGain, Byte(0x283), ByteChoice("GI_Sheet_Sel_SetM_MicGain")},
    {CL_SetM_VoxOnOff, Bit(0x28F, 4), Choice(kOnOffI)},
    {CL_SetM_VoxGain, Bits(0x289, 0, 4), Choice("GI_Sheet_Sel_SetM_VoxGain")},
    {CL_SetM_VoxDelay, Bits(0x289, 4, 4), Choice("GI_Sheet_Sel_SetM_VoxDelay")},
    {CL_SetM_HornOut, Bit(0x28F, 7), Choice(kOnOffI)},
    {CL_SetM_BATVDisp, Bit(0x28F, 6), Choice(kOnOff)},
    {CL_SetM_BERDisp, Byte(0x28F), FixedText("----")},
    {CL_SetM_SigMoni, Bit(0x28F, 2), Choice(kOnOffI)},
    {CL_SetM_Ringer, Byte(0x284), ByteChoice("GI_Sheet_Sel_SetM_Ringer")},
    {CL_SetM_Ringer2, Byte(0x286), ByteChoice("GI_Sheet_Sel_SetM_RingerOff")},
    {CL_SetM_RingerTimer, Byte(0x285), Integer(0, 16)},
    {CL_SetM_RingerLev, {Bits(0x287, 0, 4), Bit(0x287, 6, 100)}, Choice(kBeepLev)},
    {CL_SetM_CodeDisp, Bit(0x28E, 4), Choice("GI_Sheet_Sel_SetM_CodeType")},
    {CL_SetM_Psave, Bits(0x28F, 0, 2), Choice(kOnOff)},
    {CL_SetM_LoneWorker, Bit(0x28F, 3), Choice(kOnOff)},
    {CL_SetM_StationarySens, Bits(0x28D, 0, 2), Choice(kSensLev)},
    {CL_SetM_MotionSens, Bits(0x28D, 2, 2), Choice(kSensLev)},
    {CL_SetM_AutoPowerOff, Bits(0x290, 0, 4), Choice("GI_Sheet_Sel_SetM_AutoPwrOff")},
    {CL_SetM_LockOut, {Bit(0x28D, 5, 2), Bit(0x28D, 4)}, Choice("GI_Sheet_Sel_SetM_Lockout")},
    {CL_SetM_ScanStopTimer, Bits(0x28D, 6, 2), Choice("GI_Sheet_Sel_SetM_ScanStopTimer")},
    {CL_SetM_ScanRestart, Bit(0x28E, 5), Choice(kOnOff)},
    {CL_SetM_RogerBeep, Bit(0x280, 5), Choice(kOnOff)},
    {CL_SetM_PttHold, Bit(0x290, 7), Choice(kOnOff)},
    {CL_SetM_OwnID, Byte(0x290), FixedText("----")},
    {CL_SetM_ChAnnounce, Bit(0x290, 6), Choice(kOnOffI)},
};

// The titles of the set-mode items, 4 characters in slots of 8 from 0xB067, and of
// their values, 3 characters in slots of 8 from 0xB0E7. The items without a title
// cell take no slot, so the 14 item titles fit below the value titles.
constexpr int kItemTitles = 0xB067;
constexpr int kValueTitles = 0xB0E7;
constexpr int kTitleStep = 8;
constexpr indSettingRow kTitles[] = {
    {CL_TSetM_Backlight, Run(kItemTitles + 0 * kTitleStep, 4), RadioText()},
    {CL_TSetM_BeepOn, Run(kItemTitles + 1 * kTitleStep, 4), RadioText()},
    {CL_TSetM_BeepLev, Run(kItemTitles + 2 * kTitleStep, 4), RadioText()},
    {CL_TSetM_SqlLev, Run(kItemTitles + 3 * kTitleStep, 4), RadioText()},
    {CL_TSetM_MicGain, Run(kItemTitles + 4 * kTitleStep, 4), RadioText()},
    {CL_TSetM_BATVDisp, Run(kItemTitles + 5 * kTitleStep, 4), RadioText()},
    {CL_TSetM_BERDisp, Run(kItemTitles + 6 * kTitleStep, 4), RadioText()},
    {CL_TSetM_SigMoni, Run(kItemTitles + 7 * kTitleStep, 4), RadioText()},
    {CL_TSetM_Ringer, Run(kItemTitles + 8 * kTitleStep, 4), RadioText()},
    {CL_TSetM_Ringer2, Run(kItemTitles + 9 * kTitleStep, 4), RadioText()},
    {CL_TSetM_RingerTimer, Run(kItemTitles + 10 * kTitleStep, 4), RadioText()},
    {CL_TSetM_RingerLev, Run(kItemTitles + 11 * kTitleStep, 4), RadioText()},
    {CL_TSetM_CodeDisp, Run(kItemTitles + 12 * kTitleStep, 4), RadioText()},
    {CL_TSetM_Psave, Run(kItemTitles + 13 * kTitleStep, 4), RadioText()},
    {CL_TSetI_OFF, Run(kValueTitles + 0 * kTitleStep, 3), RadioText()},
    {CL_TSetI_ON, Run(kValueTitles + 1 * kTitleStep, 3), RadioText()},
    {CL_TSetI_Auto, Run(kValueTitles + 2 * kTitleStep, 3), RadioText()},
    {CL_TSetI_Auto2, Run(kValueTitles + 3 * kTitleStep, 3), RadioText()},
    {CL_TSetI_Code, Run(kValueTitles + 4 * kTitleStep, 3), RadioText()},
    {CL_TSetI_Number, Run(kValueTitles + 5 * kTitleStep, 3), RadioText()},
    {CL_TSetI_Ana, Run(kValueTitles + 6 * kTitleStep, 3), RadioText()},
    {CL_TSetI_Dig, Run(kValueTitles + 7 * kTitleStep, 3), RadioText()},
    {CL_TSetI_Both, Run(kValueTitles + 8 * kTitleStep, 3), RadioText()},
};

// The user set-mode enables: bit n of the 4 bytes at 0xA089, counted from the most
// significant bit of the first byte. Items the user cannot be given take no bit.
constexpr int kUserEnables = 0xA089;
struct UserEnable {
  int label;
  int bit;
};
constexpr UserEnable kUserEnableBits[] = {
    {CL_USetM_Backlight, 0},   {CL_USetM_BeepOn, 1},         {CL_USetM_BeepLev, 2},
    {CL_USetM_SqlLev, 3},      {CL_USetM_AfMinLev, 4},       {CL_USetM_MicGain, 5},
    {CL_USetM_VoxOnOff, 6},    {CL_USetM_VoxGain, 7},        {CL_USetM_VoxDelay, 8},
    {CL_USetM_HornOut, 9},     {CL_USetM_BATVDisp, 10},      {CL_USetM_BERDisp, 11},
    {CL_USetM_SigMoni, 12},    {CL_USetM_Ringer, 13},        {CL_USetM_RingerLev, 14},
    {CL_USetM_Psave, 15},      {CL_USetM_LoneWorker, 16},    {CL_USetM_StationarySens, 17},
    {CL_USetM_MotionSens, 18}, {CL_USetM_CtcssTone, 19},     {CL_USetM_AutoPowerOff, 20},
    {CL_USetM_LockOut, 21},    {CL_USetM_ScanStopTimer, 22}, {CL_USetM_ScanRestart, 23},
    {CL_USetM_RogerBeep, 24},  {CL_USetM_PttHold, 25},       {CL_USetM_OwnID, 26},
    {CL_USetM_ChAnnounce, 27},
};

void UserEnableCell(indCellRequest& r) {
  for (const UserEnable& e : kUserEnableBits) {
    if (e.label != r.label) continue;
    cmcEeprom& image = r.host.Image();
    UserSetEnableBit(r.codec, r.capsule, std::span<uint8_t>(image.Data() + kUserEnables, 4), e.bit);
    return;
  }
}

// The set-mode tone: bit 6 of 0x28A selects DTCS, 0x28B holds the tone.
void SetModeTone(indCellRequest& r) {
  cmcChannelCodecContext context;
  static_cast<cmcChoiceContext&>(context) = r.codec;
  SetModeToneCodec(context, r.capsule);
  r.codec.result = context.result;
  r.codec.textColour = context.textColour;
  if (context.textAlign)
    r.cell.layout = static_cast<uint8_t>((r.cell.layout & ~cmcCellObj::kHAlignMask) | *context.textAlign);
}

}  // namespace

void indSetModeCells::Register(indCellHandlers& t) {
  indRegisterRows(t, kSetMode, indShownText::kNormalised);
  indRegisterRows(t, kTitles, indShownText::kNormalised);
  for (const UserEnable& e : kUserEnableBits) t.Set(e.label, UserEnableCell);
  t.Set(CL_SetM_CtcssTone, SetModeTone);
}
