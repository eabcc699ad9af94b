#include "cell/indKeyCells.h"

#include <iterator>

#include "cell/cmcCellIds.h"
#include "cell/cmcKeyFunctionCodec.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "cell/indSettingRows.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"

namespace {

constexpr const char* kOnOff = "GI_Sheet_Sel_Misc_OnOff";
constexpr const char* kEnable3 = "GI_Sheet_Sel_Misc_Enable3";

constexpr indSettingRow kDisplay[] = {
    {CL_KDisp_Key_Hold_Timer, Byte(0xA082), ByteChoice("GI_Sheet_Sel_KDisp_HoldTm")},
    {CL_KDisp_HangAct_Moni, Bit(0xA0A1, 7), Choice(kOnOff)},
    {CL_KDisp_HangAct_Scan, Bit(0xA0A1, 5), Choice(kOnOff)},
    {CL_KDisp_HangAct_PrioA, Bit(0xA0A1, 6), Choice(kEnable3)},
    {CL_KDisp_HangAct_ScanSuspend,
     {Bit(0xA0CA, 4, 4), Bit(0xA0CA, 5, 2), Bit(0xA0A1, 4)},
     Choice("GI_Sheet_Sel_HookOffSuspend")},
    {CL_KDisp_OpeningText, Run(0xA673, 8), RadioText()},
    {CL_KDisp_OpeningBeep, Bits(0xA09A, 6, 2), Choice("GI_Sheet_Sel_KDisp_Opening_Beep")},
    {CL_KDisp_RotarySel, {Bit(0xA09F, 4, 4), Bit(0xA09F, 3, 2)}, Choice("GI_Sheet_Sel_KDisp_Rotary")},
    {CL_KDisp_ScrollTimer, Byte(0xA87B), Timer(10, true)},
    {CL_KDisp_RfPoSel, Bit(0xA09F, 2), Choice("GI_Sheet_Sel_KDisp_RfPwr")},
    {CL_KDisp_MrCode, {Bit(0xA09B, 1, 2), Bit(0xA09B, 0)}, Choice("GI_Sheet_Sel_MrCode")},
    {CL_KDisp_PwrSW, Bit(0xA09E, 4), Choice("GI_Sheet_Sel_Misc_Enable_I")},
    {CL_KDisp_PrioA_SwOn, Bit(0xA09D, 1), Choice(kEnable3)},
    {CL_KDisp_PrioA_ClearDown, Bit(0xA09E, 7), Choice(kEnable3)},
    {CL_KDisp_Auto_KeyLock_Timer, Word(0xA0F4), MinuteSecond(3600, 1, true)},
};

// The ten-key selection offers the digital forms only on QarnPmr radios.
constexpr indSettingRow kTenkey = {
    CL_KDisp_Tenkey_Select, {Bit(0xA0DD, 3, 2), Bit(0xA09C, 4)}, Choice("GI_Sheet_Sel_KDisp_Tenkey_Normal")};
constexpr indSettingRow kTenkeyQarn = {
    CL_KDisp_Tenkey_Select, {Bit(0xA0DD, 3, 2), Bit(0xA09C, 4)}, Choice("GI_Sheet_Sel_KDisp_Tenkey")};

// Each change refreshes the sheet: the ports' other cells follow the mode.
constexpr indSettingRow kPortModes[] = {
    {CL_ExtPort_PortMode_IGSW, Bit(0x299, 1), Choice("GI_Sheet_Sel_PortMode_IGSW"), kRefreshCells},
    {CL_ExtPort_PortMode_HORN, Byte(0x299), FirstEntry("GI_Sheet_Sel_PortMode_HORN")},
    {CL_ExtPort_PortMode_AFO, Bit(0xA0CA, 6), Choice("GI_Sheet_Sel_PortMode_AFO"), kRefreshCells},
    {CL_ExtPort_PortMode_EPTT, Bit(0xA0A1, 1), Choice("GI_Sheet_Sel_PortMode_EPTT"), kRefreshCells},
    {CL_ExtPort_PortMode_SCI, Bit(0xA0CA, 7), Choice("GI_Sheet_Sel_PortMode_SCI"), kRefreshCells},
};

void Tenkey(indCellRequest& r) { indRunRow(r, r.qarnPmr ? kTenkeyQarn : kTenkey, 0, indShownText::kNormalised); }

// A programmable key: its byte in the normal or the function-key table.
void Key(indCellRequest& r) {
  int position = 0;
  bool functionTable = false;
  if (!KeyPositionOf(static_cast<uint32_t>(r.label), position, functionTable)) return;
  cmcEeprom& image = r.host.Image();
  const int address = (functionTable ? cmcImageMap::kFunctionKeyTable : cmcImageMap::kKeyTable) + position;
  uint8_t code = image.GetByte(address);
  const uint8_t old = code;
  const std::string list = KeyListFor(r.codec, r.capsule, functionTable);
  if (KeyFunctionCodec(r.codec, r.capsule, code, r.mask, list) && code != old) image.SetByte(address, code);
}

}  // namespace

void indKeyCells::Register(indCellHandlers& t) {
  for (int label = CL_KDisp_Key_Conv_RightUp; label <= CL_KDisp_Key_Pmr446_Opf1; ++label) {
    int position = 0;
    bool functionTable = false;
    if (KeyPositionOf(static_cast<uint32_t>(label), position, functionTable)) t.Set(label, Key);
  }
  indRegisterRows(t, kDisplay, indShownText::kNormalised);
  t.Set(CL_KDisp_Tenkey_Select, Tenkey);
  indRegisterRows(t, kPortModes, indShownText::kNormalised);
}
