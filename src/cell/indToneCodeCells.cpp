#include "cell/indToneCodeCells.h"

#include <cmath>

#include "cell/cmcCellIds.h"
#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcCodeCodecs.h"
#include "cell/cmcNumberCodecs.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "cell/indSettingRows.h"
#include "channel/datChKinds.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"

namespace {

constexpr const char* kOnOff = "GI_Sheet_Sel_Misc_OnOff";
constexpr const char* kOnOff2 = "GI_Sheet_Sel_Misc_OnOff2";
constexpr const char* kEnable2 = "GI_Sheet_Sel_Misc_Enable2";

constexpr int kCapacity = cmcImageMap::kFiveToneCapacity;
constexpr int kDispDigits = 0xA095;
constexpr int kCompareDigits = 0xA096;
constexpr int kUserToneTiming = 0xA1CC;
constexpr int kPeriods = 0xA1B0;  // 2-tone transmit periods: 2 bytes per code from 0xA1B0 + 2n

// One row per stored setting. Receive codes (kinds 9 and 12 share the records at
// 0xA5D1 + 14n) keep their settings in the bytes after the name: byte 0 beep, bell,
// answer-back, EXO, auto transmit, stun; byte 1 scan, S-function, group call, ID
// decode, emergency cancel, ABC, audible, external I/O; byte 2 beep-ringer and ringer;
// byte 3 the repeat marks of the code; byte 5 the code type. Transmit codes (kind 10,
// 0xA491 + 10n) keep the input digit flags in byte 0 and their switches in byte 1.
constexpr indSettingRow kRows[] = {
    {CL_2T_GroupCall, InSettings(Bit(1, 2)), Choice(kOnOff)},
    {CL_2T_Bell, InSettings(Bit(0, 3)), Choice(kOnOff)},
    {CL_2T_ANS, InSettings(Bit(0, 4)), Choice(kOnOff)},
    {CL_2T_EXO, InSettings(Bit(0, 5)), Choice(kOnOff)},
    {CL_2T_Beep, InSettings(Bits(0, 0, 3)), Choice("GI_Sheet_Sel_RxC_Beep")},
    {CL_2T_AutoTx, InSettings(Bit(0, 6)), Choice(kOnOff)},
    {CL_2T_Stun, InSettings(Bit(0, 7)), Choice(kOnOff)},
    {CL_2T_Scan, InSettings(Bit(1, 0)), Choice("GI_Sheet_Sel_RxC_Scan")},
    {CL_2T_Sfunc, InSettings(Bit(1, 1)), Choice(kOnOff2)},
    {CL_2T_Code_Type, InSettings(Bits(5, 0, 2)), Choice("GI_Sheet_Sel_2T_CodeType")},
    {CL_2T_NotoneTimer, Byte(0xA1B1), Decimal(2, 3, 2, 30, true, 2)},
    {CL_2T_GroupTimer, Byte(0xA0B8), Timer(10)},
    {CL_2T_ExoTimer, Byte(0xA0B9), Timer(1)},
    {CL_2T_BeepRepeatTimer, Byte(0xA0BA), Timer(1, true)},
    {CL_2T_AutoTxTimer, Byte(0xA0BB), Timer(1)},
    {CL_2T_CompareTone, Bits(0xA0BC, 0, 2), Choice("GI_Sheet_Sel_2T_CompareTone")},
    // 5-tone receive codes.
    {CL_5TRx_IdDec, InSettings(Bit(1, 3)), Choice(kOnOff)},
    {CL_5TRx_Bell, InSettings(Bit(0, 3)), Choice(kOnOff)},
    {CL_5TRx_EmerCancel, InSettings(Bit(1, 4)), Choice(kOnOff)},
    {CL_5TRx_Abc, InSettings(Bit(1, 5)), Choice(kOnOff)},
    {CL_5TRx_Exo, InSettings(Bit(0, 5)), Choice(kOnOff)},
    {CL_5TRx_BeepRinger, InSettings(Bits(2, 0, 2)), Choice("GI_Sheet_Sel_RxC_BeepRinger")},
    {CL_5TRx_Beep, InSettings(Bits(0, 0, 3)), Choice("GI_Sheet_Sel_RxC_Beep")},
    {CL_5TRx_Ringer, InSettings(Bits(2, 4, 4)), Choice("GI_Sheet_Sel_RxC_Ringer")},
    {CL_5TRx_AutoTx, InSettings(Bit(0, 6)), Choice(kOnOff)},
    {CL_5TRx_Aud, InSettings(Bit(1, 6)), Choice(kOnOff)},
    {CL_5TRx_Stun, InSettings(Bit(0, 7)), Choice(kOnOff)},
    {CL_5TRx_External_IO, InSettings(Bit(1, 7)), Choice(kOnOff)},
    {CL_5TRx_Scan, InSettings(Bit(1, 0)), Choice("GI_Sheet_Sel_RxC_Scan")},
    {CL_5TRx_Sfunc, InSettings(Bit(1, 1)), Choice(kOnOff2)},
    {CL_5TRx_LinkATimer, Byte(0xA0A4), Timer(10)},
    {CL_5TRx_CompareDigit, Byte(kCompareDigits), FlagSet(1, 0)},
    {CL_5TRx_IdDecodeTimer, Byte(0xA0A5), Timer(10)},
    {CL_5TRx_ExoTimer, Byte(0xA0A6), Timer(1)},
    {CL_5TRx_BeepRepeatTimer, Byte(0xA0A7), Timer(1, true)},
    {CL_5TRx_ExternalTimer, Byte(0xA0A8), Timer(1)},
    {CL_5TRx_AutoTxTimer, Byte(0xA0A9), Timer(1)},
    {CL_5TRx_CompareTone, Bits(0xA0AA, 0, 2), Choice("GI_Sheet_Sel_5TRx_CompareTone")},
    // 5-tone transmit codes.
    {CL_5TTx_InputDigit, InSettings(Byte(0)), FlagSet(1, 0)},
    {CL_5TTx_Update, InSettings(Bit(1, 0)), Choice(kEnable2)},
    {CL_5TTx_AbcDec, InSettings(Bit(1, 1)), Choice(kOnOff)},
    {CL_5TTx_AbcAud, InSettings(Bit(1, 2)), Choice(kOnOff)},
    {CL_5TTx_Sel, InSettings(Bit(1, 3)), Choice(kEnable2)},
    {CL_5TTx_LongToneTimer, Byte(0xA0AE), Timer(10)},
    {CL_5TTx_LinkRTimer, Byte(0xA0B1), Timer(100)},
    {CL_5TTx_Link1Timer, Byte(0xA0B2), Timer(100)},
    {CL_5TTx_Link2Timer, Byte(0xA0B3), Timer(100)},
    {CL_5TTx_LeadOutDelayTimer, Byte(0xA0B4), Timer(100)},
    {CL_5TTx_AbcDecTimer, Byte(0xA0B5), Timer(10)},
    {CL_5TTx_DispDigit, Byte(kDispDigits), FlagSet(1, 0)},
    {CL_5TTx_SpTone_Group, Bits(cmcImageMap::kGroupTone, 0, 4), SingleDigit()},
    {CL_5TTx_SpTone_Repeat, Bits(0xA098, 0, 4), SingleDigit()},
    {CL_5TTx_SpTone_Link2, Bits(0xA099, 0, 4), SingleDigit()},
    {CL_5TTx_PTTCallIna, Bit(0xA0BD, 0), Choice(kOnOff)},
    {CL_5TTx_LongToneTP, Bits(0xA0BE, 0, 2), Choice("GI_Sheet_Sel_5TTx_LongToneTP")},
    // User tones: the timing byte's three fields.
    {CL_UTone_TonePeriod, Bits(kUserToneTiming, 0, 4), Choice("GI_Sheet_Sel_UTone_TonePeriod")},
    {CL_UTone_NotoneTimer, Bits(kUserToneTiming, 4, 2), Choice("GI_Sheet_Sel_UTone_NotoneTimer")},
    {CL_UTone_Length, Bits(kUserToneTiming, 6, 2), Choice("GI_Sheet_Sel_UTone_Length")},
};

// The record kind a label's rows work on; 0 for radio-wide settings.
int KindOf(int label) {
  if (label >= CL_2T_RxFreq_1st && label <= CL_2T_Sfunc) return datChKind::k2Tone;
  if (label == CL_2T_Code_Type) return datChKind::k2Tone;
  if (label >= CL_5TRx_RxCode && label <= CL_5TRx_Sfunc) return datChKind::kRx5Tone;
  if (label >= CL_5TTx_TxCode && label <= CL_5TTx_Sel) return datChKind::kTx5Tone;
  if (label >= CL_UTone_Encode && label <= CL_UTone_Dec_High) return datChKind::kUserTone;
  return datChKind::kNone;
}

bool OnItsRecord(indCellRequest& r) { return indOnItsRecord(r, KindOf(r.label)); }

void Row(indCellRequest& r) {
  if (OnItsRecord(r)) indRunRow(r, *indFindRow(kRows, r.label));
}

void Text(indCellRequest& r) {
  if (OnItsRecord(r)) indRecordText(r, std::span<uint8_t>(r.record.name.data(), 8));
}

// A frequency in hertz held as a decimal number of tenths.
bool Frequency(indCellRequest& r, int32_t& tenths, double min, double max) {
  const bool changed = DecimalCodec(r.codec, r.capsule, tenths, {1, 1, min, max, 0.1, true, 0});
  r.TakeCodecAnswer();
  return changed;
}

bool FrequencyHz(indCellRequest& r, double& hz, double min, double max) {
  auto tenths = static_cast<int32_t>(std::lround(hz * 10));
  if (!Frequency(r, tenths, min, max)) return false;
  hz = tenths / 10.0;
  return true;
}

void TwoToneRx(indCellRequest& r) {
  if (!OnItsRecord(r)) return;
  if (!indRecordInRange(r)) indRefuseKeys(r, false);
  double& hz = r.record.twoToneFreq[r.label == CL_2T_RxFreq_1st ? 0 : 1];
  if (FrequencyHz(r, hz, 250.0, 3300.0)) r.record.Store();
}

// A 2-tone transmit row n works on 2-tone code n + 1: its transmit frequencies and the
// two period bytes at 0xA1B0 + 2 (n + 1), in hundredths of a second.
void TwoToneTx(indCellRequest& r) {
  if (r.kind != datChKind::k2ToneTxCommon) {
    r.SetText("");
    return;
  }
  const int code = r.row + 1;
  const datChKindInfo& info = datChKindOf(datChKind::k2Tone);
  if (code < info.first || code > info.last) {
    indRefuseKeys(r, false);
    r.SetText("");
    return;
  }
  if (r.label == CL_2T_1st_Period || r.label == CL_2T_2nd_Period) {
    const int at = kPeriods + 2 * code + (r.label == CL_2T_2nd_Period ? 1 : 0);
    indRunRow(r, {r.label, Byte(at), Timer(100)});
    return;
  }
  datCh tones(&r.host.Image());
  tones.Load(datChKind::k2Tone, code);
  double& hz = tones.twoToneFreq[r.label == CL_2TTx_Freq_1st ? 3 : 4];
  if (FrequencyHz(r, hz, 400.0, 3000.0)) tones.Store();
}

void FiveToneCode(indCellRequest& r) {
  if (!OnItsRecord(r)) return;
  const bool receive = r.kind == datChKind::kRx5Tone;
  if (receive && r.row == 0) {
    r.SetText("----");
    return;
  }
  if (!indRecordInRange(r)) indRefuseKeys(r, false);
  // Transmit codes carry no repeat marks: "+" cannot be typed there.
  uint8_t noMarks = 0;
  uint8_t& marker = receive ? r.record.settings[3] : noMarks;
  const bool changed = FiveToneCodeCodec(r.codec, r.capsule, std::span<uint8_t>(r.record.digits.data(), 8), marker,
                                         indFiveToneCapacity(r), receive);
  r.TakeCodecAnswer();
  if (changed) r.record.Store();
}

void UserTone(indCellRequest& r) {
  if (!OnItsRecord(r)) return;
  int& word = r.label == CL_UTone_Encode ? r.record.word : r.record.words[r.label == CL_UTone_Dec_Low ? 0 : 1];
  int32_t tenths = word;
  if (!Frequency(r, tenths, 250.0, 3300.0)) return;
  word = tenths;
  r.record.Store();
}

// Keeps flags 1 … capacity (bits 7 downwards) of a flag byte.
uint8_t KeepFlags(uint8_t b, int capacity) { return static_cast<uint8_t>(b & (0xFF00 >> capacity)); }

// Nibbles from the capacity on become F; those below it that held F become 0.
void LayOut(datCh& code, int capacity) {
  for (int i = 0; i < 8; ++i) {
    uint8_t& d = code.digits[static_cast<size_t>(i)];
    if (i >= capacity)
      d = 0x0F;
    else if (d == 0x0F)
      d = 0;
  }
}

void ReLayOut(cmcEeprom& image, int capacity) {
  image.SetByte(kDispDigits, KeepFlags(image.GetByte(kDispDigits), capacity));
  image.SetByte(kCompareDigits, KeepFlags(image.GetByte(kCompareDigits), capacity));
  datCh code(&image);
  for (int n = 0; n < 32; ++n) {
    code.Load(datChKind::kTx5Tone, n);
    code.settings[0] = KeepFlags(code.settings[0], capacity);
    LayOut(code, capacity);
    code.Store();
  }
  for (int n = 0; n <= 10; ++n) {
    code.Load(datChKind::kRx5Tone, n);
    LayOut(code, capacity);
    code.Store();
  }
}

void ToneDigit(indCellRequest& r) {
  cmcEeprom& image = r.host.Image();
  uint8_t capacity = image.GetByte(kCapacity);
  const uint8_t stored = capacity;
  const bool changed = ChoiceCodecByte(r.codec, r.capsule, "GI_Sheet_Sel_SelCall_ToneDigit", capacity);
  r.TakeCodecAnswer();
  if (!changed) return;
  if (capacity != stored) ReLayOut(image, capacity);
  image.SetByte(kCapacity, capacity);
  r.mask |= indCellRequest::kMaskLayout;
}

}  // namespace

void indToneCodeCells::Register(indCellHandlers& t) {
  for (const indSettingRow& row : kRows) t.Set(row.label, Row);
  t.Set(CL_2T_RxFreq_1st, indGuarded<TwoToneRx>);
  t.Set(CL_2T_RxFreq_2nd, indGuarded<TwoToneRx>);
  for (const int label : {CL_2TTx_Freq_1st, CL_2T_1st_Period, CL_2TTx_Freq_2nd, CL_2T_2nd_Period})
    t.Set(label, indGuarded<TwoToneTx>);
  for (const int label : {CL_2T_Text, CL_5TRx_Text, CL_5TTx_Text}) t.Set(label, indGuarded<Text>);
  t.Set(CL_5TRx_RxCode, indGuarded<FiveToneCode>);
  t.Set(CL_5TTx_TxCode, indGuarded<FiveToneCode>);
  for (const int label : {CL_UTone_Encode, CL_UTone_Dec_Low, CL_UTone_Dec_High}) t.Set(label, indGuarded<UserTone>);
  t.Set(CL_UTone_Tone_Digit, indGuarded<ToneDigit>);
}
