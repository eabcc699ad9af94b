#include "cell/indDigitalCells.h"

#include <iterator>
#include <span>

#include "cell/cmcCellIds.h"
#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcTextCodecs.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "cell/indSettingRows.h"
#include "channel/datChKinds.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"

namespace {

// Progress messages: 8 characters each from 0xAFE7 in steps of 8, in label order.
constexpr int kMessages = 0xAFE7;
constexpr int kMessageStep = 8;
constexpr indSettingRow kProgress[] = {
    {CL_Dig_ProgMes_Busy, Run(kMessages + 0 * kMessageStep, 8), RadioText()},
    {CL_Dig_ProgMes_Break, Run(kMessages + 1 * kMessageStep, 8), RadioText()},
    {CL_Dig_ProgMes_Calling, Run(kMessages + 2 * kMessageStep, 8), RadioText()},
    {CL_Dig_ProgMes_Cancelled, Run(kMessages + 3 * kMessageStep, 8), RadioText()},
    {CL_Dig_ProgMes_Complete, Run(kMessages + 4 * kMessageStep, 8), RadioText()},
    {CL_Dig_ProgMes_Connect, Run(kMessages + 5 * kMessageStep, 8), RadioText()},
    {CL_Dig_ProgMes_Failed, Run(kMessages + 6 * kMessageStep, 8), RadioText()},
    {CL_Dig_ProgMes_HiVolt, Run(kMessages + 7 * kMessageStep, 8), RadioText()},
    {CL_Dig_ProgMes_NoAns, Run(kMessages + 8 * kMessageStep, 8), RadioText()},
    {CL_Dig_ProgMes_Standby, Run(kMessages + 9 * kMessageStep, 8), RadioText()},
    {CL_Dig_ProgMes_Wait, Run(kMessages + 10 * kMessageStep, 8), RadioText()},
    {CL_Dig_ProgMes_Lock, Run(kMessages + 11 * kMessageStep, 8), RadioText()},
    {CL_Dig_ProgMes_LowBatt, Run(kMessages + 12 * kMessageStep, 8), RadioText()},
};

// The digital timers, 0xAFD3-0xAFDF: three words in milliseconds, then bytes.
constexpr indSettingRow kTimers[] = {
    {CL_Dig_Tim_Chk, Word(0xAFD3), Timer(1000, false, 100, 1275), kDigitalTimers},
    {CL_Dig_Tim_TxWait, Word(0xAFD5), Timer(1000, false, 0, 65535), kDigitalTimers},
    {CL_Dig_Tim_Free, Word(0xAFD7), Timer(1000, false, 0, 65535), kDigitalTimers},
    {CL_Dig_Tim_Tac, Byte(0xAFD9), Timer(100), kDigitalTimers},
    {CL_Dig_Tim_Breakin, Byte(0xAFDA), Timer(100), kDigitalTimers},
    {CL_Dig_Tim_Wakeup, Word(0xAFDB), Timer(1000, false, 0, 65535), kDigitalTimers},
    {CL_Dig_Tim_ND, Byte(0xAFDD), Timer(10), kDigitalTimers},
    {CL_Dig_Tim_NR, Byte(0xAFDE), Timer(10), kDigitalTimers},
    {CL_Dig_Tim_L0Level, Byte(0xAFDF), Integer(0, 255), kDigitalTimers},
};

// A digital status message (record kind 19): the received text (16 characters at
// 0xAD53 + 20n, then its setting bytes) and the sent text (0xAAD3 + 20n).
constexpr uint8_t kBeepBits = 0x03;      // setting byte 0, bits 0-1: the alert beep
constexpr uint8_t kSelectionBit = 0x80;  // setting byte 0, bit 7: offered for selection

std::span<const uint8_t> UserTable(indCellRequest& r) {
  return {r.host.Image().Data() + cmcImageMap::kUserChars,
          static_cast<size_t>(cmcImageMap::kUserCharSize * cmcImageMap::kUserCharCount)};
}

void StatusText(indCellRequest& r) {
  if (r.kind != datChKind::kDigStatus) return;
  auto& text = r.label == CL_Dig_Msg_Status_Text_Rx ? r.record.name : r.record.name2;
  if (cmcTextCodecs::RadioTextCodec(r.capsule, text, UserTable(r), false, r.codec.result)) r.record.Store();
}

void StatusChoice(indCellRequest& r) {
  if (r.kind != datChKind::kDigStatus) return;
  uint8_t& b = r.record.settings[0];
  const bool beep = r.label == CL_Dig_Msg_Status_Beep;
  int32_t v = beep ? b & kBeepBits : (b & kSelectionBit ? 1 : 0);
  const char* list = beep ? "GI_Sheet_Sel_Dig_Status_Beep" : "GI_Sheet_Sel_Misc_OnOff";
  if (!ChoiceCodecFlex0(r.codec, r.capsule, list, v)) return;
  if (beep)
    b = static_cast<uint8_t>((b & ~kBeepBits) | (v & kBeepBits));
  else
    b = static_cast<uint8_t>(v ? b | kSelectionBit : b & ~kSelectionBit);
  r.record.Store();
}

}  // namespace

void indDigitalCells::Register(indCellHandlers& t) {
  indRegisterRows(t, kProgress, indShownText::kNormalised);
  indRegisterRows(t, kTimers, indShownText::kNormalised);
  t.Set(CL_Dig_Msg_Status_Text_Rx, StatusText);
  t.Set(CL_Dig_Msg_Status_Text_Tx, StatusText);
  t.Set(CL_Dig_Msg_Status_Beep, StatusChoice);
  t.Set(CL_Dig_Msg_Status_Selection, StatusChoice);
}
