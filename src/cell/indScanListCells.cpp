#include "cell/indScanListCells.h"

#include "cell/cmcCellIds.h"
#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcScanChannelCodec.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "cell/indSettingRows.h"
#include "channel/datChKinds.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"

namespace {

constexpr const char* kOnOff = "GI_Sheet_Sel_Misc_OnOff";

constexpr size_t kTypeByte = 2;  // byte 10
constexpr size_t kRefByte = 4;   // byte 12: talk-back reference kind in bits 4-7, cancel channel in 0-3
constexpr size_t kFlagByte = 3;  // byte 11: bit 7 is bit 5 of the cancel channel
constexpr size_t kTextByte = 1;  // byte 9: display text bits 5-7
constexpr int kPwrSaveByte = 8;  // list byte 8, bit 4
constexpr int kPwrSaveBit = 4;

// The scan list labels that are plain bits, and the radio-wide scan settings.
constexpr indSettingRow kRows[] = {
    {CL_ScanList_ScanType, InScanSet(Bits(2, 0, 4)), Choice("GI_Sheet_Sel_ScanType")},
    {CL_ScanList_TX_TalkBack, InScanSet(Bit(2, 5)), Choice(kOnOff)},
    {CL_ScanList_TX_Action, InScanSet(Bit(2, 6)), Choice("GI_Sheet_Sel_ScanTXAct")},
    {CL_ScanList_Cancel_TalkBack, InScanSet(Bit(2, 4)), Choice(kOnOff)},
    {CL_ScanList_PwrSave, InScanSet(Bit(0, 4)), Choice("GI_Sheet_Sel_Misc_OnOff2")},
    {CL_ScanComm_StopTimer, Byte(0xA0AF), Timer(10)},
    {CL_ScanComm_ResumeTimer, Byte(0xA0B0), Timer(10)},
    {CL_ScanComm_StopTimerB, Byte(0xA0C6), Timer(10)},
    {CL_ScanComm_TalkBackTimer, Byte(0xA0C7), Timer(10)},
    {CL_ScanComm_ScanTimer_Fast, Byte(0xA0A2), Timer(1000)},
    {CL_ScanComm_ScanTimer_Slow, Byte(0xA0A3), Timer(100)},
    {CL_ScanComm_AutoChCall_PmrOnly, Bit(0xA09C, 1), Choice(kOnOff)},
    {CL_ScanComm_BacklitatStopScan, Bit(0xA09F, 0), Choice(kOnOff)},
    {CL_ScanComm_NuisanceDelete, Bit(0xA09B, 4), Choice(kOnOff)},
    {CL_ScanComm_ModeDependentScan, Bit(0xA0E8, 2), Choice(kOnOff)},
    {CL_ScanComm_MonitorKeyAction, Bit(0xA0E8, 0), Choice("GI_Sheet_Sel_MonitorKey_Action")},
    {CL_ScanComm_TalkBackTimerBeep, Bit(0xA09C, 6), Choice(kOnOff)},
    {CL_ScanComm_PwrSave, Bit(cmcImageMap::kScanLists + kPwrSaveByte, kPwrSaveBit), Choice(kOnOff)},
};

bool HasBit(uint8_t b, int n) { return (b >> n) & 1; }
uint8_t WithBit(uint8_t b, int n, bool on) { return static_cast<uint8_t>(on ? b | (1 << n) : b & ~(1 << n)); }

// Whether a list label applies to the loaded list; otherwise "----" in silver, no keys.
bool Applies(indCellRequest& r) {
  if (r.kind != datChKind::kScanList) {
    r.SetText("");
    return false;
  }
  const uint8_t* set = r.record.scanSet.data();
  bool applies = (set[kTypeByte] & 0x0F) != 0 || r.label == CL_ScanList_ScanType;
  if (r.label == CL_ScanList_TX_TalkBack) applies = applies && (set[kRefByte] >> 4) != 0;
  if (r.label == CL_ScanList_Cancel_TalkBack) applies = applies && (set[kRefByte] & 0x0F) != 0;
  if (applies) return true;
  r.SetText("----");
  r.SetTextColour(indCellRequest::kSilver);
  return false;
}

void ListRow(indCellRequest& r) {
  if (!Applies(r)) return;
  const bool typeChanged = indRunRow(r, *indFindRow(kRows, r.label)) && r.label == CL_ScanList_ScanType;
  if (typeChanged) r.mask |= indCellRequest::kMaskLayout;
}

// Cancel channel: bits 0-3 of byte 12, bit 4 of byte 10 and bit 7 of byte 11.
void CancelChannel(indCellRequest& r) {
  if (!Applies(r)) return;
  uint8_t* set = r.record.scanSet.data();
  int32_t v = (set[kRefByte] & 0x0F) | (HasBit(set[kTypeByte], 4) << 4) | (HasBit(set[kFlagByte], 7) << 5);
  const bool changed = ChoiceCodecFlex0(r.codec, r.capsule, "GI_Sheet_Sel_ScanCancelCH", v);
  r.TakeCodecAnswer();
  if (!changed) return;
  set[kRefByte] = static_cast<uint8_t>((set[kRefByte] & 0xF0) | (v & 0x0F));
  set[kTypeByte] = WithBit(set[kTypeByte], 4, v & 0x10);
  set[kFlagByte] = WithBit(set[kFlagByte], 7, v & 0x20);
  r.record.Store();
}

// Display text: bit 7 of byte 9 is value bit 0, bit 6 value bit 1, bit 5 value bit 2.
void DisplayText(indCellRequest& r) {
  if (!Applies(r)) return;
  uint8_t& b = r.record.scanSet[kTextByte];
  int32_t v = HasBit(b, 7) | (HasBit(b, 6) << 1) | (HasBit(b, 5) << 2);
  const bool changed = ChoiceCodecFlex0(r.codec, r.capsule, "GI_Sheet_Sel_ScanList_Text", v);
  r.TakeCodecAnswer();
  if (!changed) return;
  b = WithBit(WithBit(WithBit(b, 7, v & 1), 6, v & 2), 5, v & 4);
  r.record.Store();
}

void Channel(indCellRequest& r) {
  if (!Applies(r)) return;
  const int which = r.label == CL_ScanList_Prio1_CH || r.label == CL_ScanList_Prio1_CH_29SR   ? cmcScanRef::kPrio1
                    : r.label == CL_ScanList_Prio2_CH || r.label == CL_ScanList_Prio2_CH_29SR ? cmcScanRef::kPrio2
                                                                                              : cmcScanRef::kTalkBack;
  const bool bankForm = r.label <= CL_ScanList_TX_CH;
  const bool changed = ScanChannelCodec(r.codec, r.capsule, r.record, which, bankForm);
  r.TakeCodecAnswer();
  if (changed) r.record.Store();
}

void Text(indCellRequest& r) {
  if (r.kind == datChKind::kScanList) indRecordText(r, std::span<uint8_t>(r.record.name.data(), 8));
}

void CommonRow(indCellRequest& r) { indRunRow(r, *indFindRow(kRows, r.label)); }

// Power-on scan: bit 7 of 0xA09D is value bit 1, bit 1 of 0xA0E8 value bit 0.
void PowerOnScan(indCellRequest& r) {
  cmcEeprom& image = r.host.Image();
  int32_t v = (HasBit(image.GetByte(0xA09D), 7) << 1) | HasBit(image.GetByte(0xA0E8), 1);
  const bool changed = ChoiceCodecFlex0(r.codec, r.capsule, "GI_Sheet_Sel_PwrOnScan", v);
  r.TakeCodecAnswer();
  if (!changed) return;
  image.SetByte(0xA09D, WithBit(image.GetByte(0xA09D), 7, v & 2));
  image.SetByte(0xA0E8, WithBit(image.GetByte(0xA0E8), 1, v & 1));
}

// The radio keeps one power-save setting for scanning: list 0's bit, copied into every
// other list whatever the request was.
void PowerSave(indCellRequest& r) {
  indRunRow(r, *indFindRow(kRows, r.label));
  cmcEeprom& image = r.host.Image();
  const bool on = HasBit(image.GetByte(cmcImageMap::kScanLists + kPwrSaveByte), kPwrSaveBit);
  for (int n = 1; n < cmcImageMap::kScanListCount; ++n) {
    const int at = cmcImageMap::kScanLists + cmcImageMap::kScanListSize * n + kPwrSaveByte;
    image.SetByte(at, WithBit(image.GetByte(at), kPwrSaveBit, on));
  }
}

}  // namespace

void indScanListCells::Register(indCellHandlers& t) {
  for (const indSettingRow& row : kRows) t.Set(row.label, row.label <= CL_ScanList_PwrSave ? ListRow : CommonRow);
  t.Replace(CL_ScanComm_PwrSave, indGuarded<PowerSave>);
  for (int label = CL_ScanList_Prio1_CH; label <= CL_ScanList_TX_CH_29SR; ++label) t.Set(label, indGuarded<Channel>);
  t.Set(CL_ScanList_Cancel_CH, indGuarded<CancelChannel>);
  t.Set(CL_ScanList_DispText, indGuarded<DisplayText>);
  t.Set(CL_ScanList_Text, indGuarded<Text>);
  t.Set(CL_ScanComm_PwrOnScan, indGuarded<PowerOnScan>);
}
