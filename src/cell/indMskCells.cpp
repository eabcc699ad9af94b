#include "cell/indMskCells.h"

#include <array>
#include <cstdio>
#include <string>

#include "cell/cmcCellIds.h"
#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcCodecCommon.h"
#include "cell/cmcNumberCodecs.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellRequest.h"
#include "cell/indSettingRows.h"
#include "channel/datChKinds.h"

namespace {

constexpr const char* kOnOff = "GI_Sheet_Sel_Misc_OnOff";
constexpr const char* kOnOff2 = "GI_Sheet_Sel_Misc_OnOff2";
constexpr const char* kEnable = "GI_Sheet_Sel_Misc_Enable";
constexpr const char* kEnable2 = "GI_Sheet_Sel_Misc_Enable2";
constexpr const char* kBeep = "GI_Sheet_Sel_RxC_Beep";

constexpr int kCommon = 0xA70F;
constexpr int kKiller = 0xA711;
constexpr int kCountryCode = 0xA713;
constexpr int kLastStatusRow = 22;  // row 23 of the status sheet holds no message

// One row per stored MSK setting. Record rows name the byte of the record's setting
// bytes: kind 15 at 0xA699 + 16n, kind 16 at 0xA723 + 10n, kind 17 at 0xA9AB + 12n,
// kind 18 at 0xAAC3 + 2n. The 4 digit flags of a call-list entry are in the top bits
// of its first setting byte.
constexpr indSettingRow kRows[] = {
    {CL_Msk_AdrRange_Common, Word(kCommon), Padded(0, 4095)},
    {CL_Msk_AdrRange_Killer, Word(kKiller), Padded(0, 4095)},
    {CL_Msk_AdrRange_CountryCode, Byte(kCountryCode), Choice("GI_Sheet_Sel_MSK_Country_Code")},
    {CL_Msk_IdGroup_Alert, InSettings(Bits(0, 0, 3)), Choice(kBeep)},
    {CL_Msk_IdGroup_Bell, InSettings(Bits(1, 0, 3)), Choice("GI_Sheet_Sel_Msk_IdGroup_Bell")},
    {CL_Msk_IdGroup_SFunc, InSettings(Bit(2, 0)), Choice(kOnOff2)},
    {CL_Msk_CallList_Digit, InSettings(Byte(0)), FlagSet(1, 4)},
    {CL_Msk_CallList_Update, InSettings(Bit(1, 0)), Choice(kEnable2)},
    {CL_Msk_CallList_Sel, InSettings(Bit(1, 1)), Choice(kEnable2)},
    {CL_Msk_Msg_Status_Beep, InSettings(Bits(0, 0, 3)), Choice(kBeep)},
    {CL_Msk_Msg_Status_Horn, InSettings(Bit(0, 4)), Choice(kOnOff2)},
    {CL_Msk_Msg_Status_Auto, InSettings(Bit(0, 5)), Choice(kOnOff2)},
    {CL_Msk_Msg_Status_SFunc, InSettings(Bit(0, 6)), Choice(kOnOff2)},
    {CL_Msk_Msg_Status_Rriority, InSettings(Bits(1, 0, 2)), Choice("GI_Sheet_Sel_Msk_Status_Priority")},
    {CL_Msk_Msg_Status_Selection, InSettings(Bit(2, 0)), Choice(kEnable2)},
    {CL_Msk_Msg_ShortTxtTxMsg_Sel, InSettings(Bit(0, 0)), Choice(kEnable2)},
    // Timing: counts, and times in hundredths of a second.
    {CL_Msk_TimingErr_NA, Byte(0xA85B), Integer(0, 15)},
    {CL_Msk_TimingErr_NM, Byte(0xA85C), Integer(0, 15)},
    {CL_Msk_TimingErr_NR, Byte(0xA85D), Integer(0, 15)},
    {CL_Msk_TimingErr_TAC, Byte(0xA85F), Decimal(2, 2, 1, 255, true, 1)},
    {CL_Msk_TimingErr_LetAck, Byte(0xA863), Decimal(2, 2, 0, 255, true, 1)},
    {CL_Msk_TimingErr_LetCall, Byte(0xA864), Decimal(2, 2, 0, 255, true, 1)},
    {CL_Msk_TimingErr_BusyCheck, Byte(0xA865), Integer(0, 255)},
    // Configuration.
    {CL_Msk_Cfg_Enc_PttCall, Bit(0xA0F0, 0), Choice(kOnOff)},
    {CL_Msk_Cfg_Enc_PreEmphasis, Bit(0xA0F0, 1), Choice(kOnOff)},
    {CL_Msk_Cfg_Enc_SyncvWord, Word(0xA683), Nibbles(4)},
    {CL_Msk_Cfg_Enc_PttSideTone, Bit(0xA0F0, 2), Choice(kOnOff)},
    {CL_Msk_Cfg_Dec_BeepRepeatTimer, Byte(0xA866), Timer(1, true)},
    {CL_Msk_Cfg_Dec_MuteMskTone, Bit(0xA0F0, 3), Choice(kOnOff)},
    {CL_Msk_Cfg_Dec_ANI_Disp, Bit(0xA0F0, 4), Choice(kOnOff)},
    {CL_Msk_Cfg_Dec_ANI_Disp_Timer, Byte(0xA879), Timer(10)},
    {CL_Msk_Cfg_Status_FixBaseId, Word(0xA873), Padded(0, 4095)},
    {CL_Msk_Cfg_Status_Send_PrioA, Bit(0xA0F0, 5), Choice(kOnOff)},
    {CL_Msk_Cfg_Status_Send_On, Bit(0xA0F0, 6), Choice(kOnOff)},
    {CL_Msk_Cfg_Status_Send_Off, Bit(0xA0F0, 7), Choice(kOnOff)},
    {CL_Msk_Cfg_Gps_FixBaseId, Word(0xA875), Padded(0, 4095)},
    {CL_Msk_Cfg_Gps_Send_Base, Bit(0xA09E, 5), Choice(kOnOff)},
    {CL_Msk_Cfg_Gps_Auto, Bit(0xA09E, 6), Choice(kOnOff)},
    {CL_Msk_Cfg_Gps_TimeMarker, Bits(0xA867, 0, 4), Choice("GI_Sheet_Sel_Msk_Gps_TimeMarker")},
    {CL_Msk_Cfg_Gps_IntervalTimer, Byte(0xA868), MinuteSecond(2550, 10, true)},
    {CL_Msk_Cfg_Gps_Send_Logoff, Bit(0xA869, 0), Choice(kOnOff)},
    {CL_Msk_Cfg_Gps_Send_Status, Bit(0xA869, 1), Choice(kOnOff)},
    {CL_Msk_Cfg_Gps_Send_Sdm, Bit(0xA869, 2), Choice(kOnOff)},
    {CL_Msk_Cfg_Gps_Send_Emer, Bit(0xA869, 3), Choice(kOnOff)},
    {CL_Msk_Cfg_Gps_Send_ManDown, Bit(0xA869, 4), Choice(kOnOff)},
    {CL_Msk_Cfg_Gps_Sentence, Bits(0xA86A, 0, 2), Choice("GI_Sheet_Sel_Msk_Gps_Sentence")},
    {CL_Msk_Cfg_Etc_PttEnableAtConnect, Bit(0xA86B, 0), Choice(kOnOff)},
    // Preselection: which of the radio's MSK settings the user may preselect.
    {CL_Msk_Presl_Own_Id, Bit(0xA685, 0), Choice(kEnable)},
    {CL_Msk_Presl_Dest_Id, Bit(0xA685, 1), Choice(kEnable)},
    {CL_Msk_Presl_Common, Bit(0xA685, 2), Choice(kEnable)},
    {CL_Msk_Presl_Sync, Bit(0xA685, 3), Choice(kEnable)},
    {CL_Msk_Presl_Country, Bit(0xA685, 4), Choice(kEnable)},
    {CL_Msk_Presl_Call_Let, Bit(0xA685, 5), Choice(kEnable)},
    {CL_Msk_Presl_Ptt_Side, Bit(0xA685, 6), Choice(kEnable)},
};

// The record kind each label's rows work on; 0 for radio-wide settings.
int KindOf(int label) {
  if (label >= CL_Msk_IdGroup_Adr && label <= CL_Msk_IdGroup_SFunc) return datChKind::kMskIdGroup;
  if (label >= CL_Msk_CallList_Adr && label <= CL_Msk_CallList_Sel) return datChKind::kMskCallList;
  if (label >= CL_Msk_Msg_Status_Beep && label <= CL_Msk_Msg_Status_Text_Tx) return datChKind::kMskStatus;
  if (label >= CL_Msk_Msg_ShortTxtTxMsg_1 && label <= CL_Msk_Msg_ShortTxtTxMsg_Sel) return datChKind::kMskShortText;
  return datChKind::kNone;
}

bool OnItsRecord(indCellRequest& r) { return indOnItsRecord(r, KindOf(r.label)); }

void ErrorAtLeft(indCellRequest& r) {
  r.SetError();
  r.capsule.markPosition = 1;
}

std::string NoEdit(int address) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d (No Edit)", address);
  return text;
}

void Row(indCellRequest& r) {
  if (!OnItsRecord(r)) return;
  if (r.kind == datChKind::kMskStatus && r.row > kLastStatusRow) {
    r.SetTextColour(indCellRequest::kRestrictedColour);
    indRefuseKeys(r, true);
  }
  indRunRow(r, *indFindRow(kRows, r.label));
  if (r.label == CL_Msk_AdrRange_Killer && !r.address.individual.Contains(indReadRow(r, *indFindRow(kRows, r.label))))
    ErrorAtLeft(r);
}

void Individual(indCellRequest& r) {
  const int g = r.address.Boundary();
  if (g == 0)
    r.SetText("----");
  else if (r.row == 0)
    r.SetText(NoEdit(0));
  else if (r.row == 1)
    r.SetText(NoEdit(g - 1));
  else
    r.SetText("error");
}

void Group(indCellRequest& r) {
  if (r.row == 1) {
    r.SetText(NoEdit(datQarnAdr::kAddressMax));
    return;
  }
  if (r.row != 0) {
    r.SetText("error");
    return;
  }
  int32_t g = r.address.Boundary();
  const bool changed = PaddedIntegerCodec(r.codec, r.capsule, g, {4, 0, datQarnAdr::kAddressMax, false});
  r.TakeCodecAnswer();
  if (!changed) return;
  r.address.SetBoundary(g);
  r.mask |= indCellRequest::kMaskLayout;
}

int CallListAddress(const datCh& entry) {
  int a = 0;
  for (size_t i = 0; i < 4; ++i) a = a * 10 + entry.digits[i];
  return a;
}

void SetCallListAddress(datCh& entry, int a) {
  for (size_t i = 4; i-- > 0; a /= 10) entry.digits[i] = static_cast<uint8_t>(a % 10);
}

// The range an address of this row belongs to.
dst_AdrRange RangeOf(const indCellRequest& r) {
  const datQarnAdr& q = r.address;
  if (r.kind == datChKind::kMskCallList) return q.callRanges[static_cast<size_t>(r.row) % q.callRanges.size()];
  if (r.row == 0) return q.individual;
  return q.groupRanges[static_cast<size_t>(r.row - 1) % q.groupRanges.size()];
}

// The address of an ID group (a word) or of a call-list entry (4 BCD digits).
void Address(indCellRequest& r) {
  if (!OnItsRecord(r)) return;
  const bool group = r.kind == datChKind::kMskIdGroup;
  int32_t a = group ? r.record.word : CallListAddress(r.record);
  const bool changed = PaddedIntegerCodec(r.codec, r.capsule, a, {4, 0, datQarnAdr::kAddressMax, false});
  r.TakeCodecAnswer();
  if (changed) {
    if (group)
      r.record.word = a;
    else
      SetCallListAddress(r.record, a);
    r.record.Store();
  }
  if (!RangeOf(r).Contains(a)) ErrorAtLeft(r);
}

void Text(indCellRequest& r) {
  if (!OnItsRecord(r)) return;
  if (r.kind == datChKind::kMskStatus && r.row > kLastStatusRow) {
    r.SetTextColour(indCellRequest::kRestrictedColour);
    indRefuseKeys(r, true);
  }
  const bool second = r.label == CL_Msk_Msg_Status_Text_Tx;
  indRecordText(r, std::span<uint8_t>(second ? r.record.name2.data() : r.record.name.data(), 8));
}

}  // namespace

void indMskCells::Register(indCellHandlers& t) {
  for (const indSettingRow& row : kRows) t.Set(row.label, Row);
  t.Set(CL_Msk_AdrRange_Individual, indGuarded<Individual>);
  t.Set(CL_Msk_AdrRange_Group, indGuarded<Group>);
  t.Set(CL_Msk_IdGroup_Adr, indGuarded<Address>);
  t.Set(CL_Msk_CallList_Adr, indGuarded<Address>);
  for (const int label : {CL_Msk_IdGroup_Text, CL_Msk_CallList_Text, CL_Msk_Msg_Status_Text_Rx,
                          CL_Msk_Msg_Status_Text_Tx, CL_Msk_Msg_ShortTxtTxMsg_1})
    t.Set(label, indGuarded<Text>);
}
