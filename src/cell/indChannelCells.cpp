#include "cell/indChannelCells.h"

#include <type_traits>

#include "cell/cmcCellIds.h"
#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcDigitCodecs.h"
#include "cell/cmcNumberCodecs.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellRequest.h"
#include "cell/indChannelRules.h"
#include "cell/indSettingRows.h"
#include "channel/datChBits.h"

namespace {

// A field of the channel record, read and put back as a number.
template <auto M>
constexpr indChannelField Of() {
  return {[](const datCh& c) { return static_cast<int>(c.*M); },
          [](datCh& c, int v) { c.*M = static_cast<std::remove_cvref_t<decltype(c.*M)>>(v); }};
}

// A bit the record does not model, in region r (0 main record, 1 extension) at byte b.
template <int R, int B, int Bit>
constexpr indChannelField RawBit() {
  return {[](const datCh& c) { return datGetBits(c.raw[R][B], Bit, 1); },
          [](datCh& c, int v) { datSetBits(c.raw[R][B], Bit, 1, v); }};
}

// Bit 7 of X 8, X 9 or X 10, the flags of the repeater, station and ID codes.
template <int I>
constexpr indChannelField CodeBit7() {
  return {[](const datCh& c) { return c.codeBit7[I] ? 1 : 0; }, [](datCh& c, int v) { c.codeBit7[I] = v != 0; }};
}

// X 7 bit 6 + 2 x X 7 bit 7.
constexpr indChannelField kCodeFlags = {[](const datCh& c) { return (c.formFlag ? 1 : 0) + (c.codeFlag ? 2 : 0); },
                                        [](datCh& c, int v) {
                                          c.formFlag = v & 1;
                                          c.codeFlag = v & 2;
                                        }};

struct OwnRow {
  int label;
  const char* list;
  indCellHandler handler;
};

constexpr const char* kOnOff = "GI_Sheet_Sel_Misc_OnOff";
constexpr const char* kInh = "GI_Sheet_Sel_Mch_ChInh";
constexpr const char* kTxInh = "GI_Sheet_Sel_Mch_CH_TxInh";
constexpr const char* kNar = "GI_Sheet_Sel_Mch_Nar";
constexpr const char* kRfPwr = "GI_Sheet_Sel_Mch_RfPwr";
constexpr const char* kPwrSave = "GI_Sheet_Sel_Mch_PwrSave";
constexpr const char* kLockout = "GI_Sheet_Sel_Mch_Lockout";
constexpr const char* kListSel = "GI_Sheet_Sel_Mch_ScanListSel";
constexpr const char* kAutoReset = "GI_Sheet_Sel_Mch_AutoReset";
constexpr const char* kSigType = "GI_Sheet_Sel_Mch_SigType";
constexpr const char* kMute = "GI_Sheet_Sel_Mch_CH_Mute";
constexpr const char* kLog = "GI_Sheet_Sel_Mch_Log";
constexpr const char* kLogMsk = "GI_Sheet_Sel_Mch_Log_Msk";
constexpr const char* kMdcOn = "GI_Sheet_Sel_Mch_Mdc_On";
constexpr const char* kTwoTone = "GI_Sheet_Sel_Mch_2Tone";
constexpr const char* kRxCode = "GI_Sheet_Sel_Mch_RxCNo";
constexpr const char* kMdcSystem = "GI_Sheet_Sel_Mch_Mdc_System";
constexpr const char* kScrm = "GI_Sheet_Sel_Mch_Scrm";

using R = indChannelRules;

// clang-format off
// The settings that are a field of the channel record, with the record bits.
constexpr indSettingRow kFields[] = {
  {CL_Mch_Inh, Of<&datCh::inhR>(), Choice(kInh)},  // M 0 bit 7
  {CL_Mch_TxInh, Of<&datCh::inhT>(), Choice(kTxInh)},  // M 4 bit 7
  {CL_Mch_Nar, Of<&datCh::width>(), Choice(kNar)},  // M 20 bit 6
  {CL_Mch_Sql_Tight, Of<&datCh::sqlTight>(), Choice(kOnOff)},  // X 1 bit 2
  {CL_Mch_Compander, Of<&datCh::compander>(), Choice(kOnOff)},  // X 3 bit 4
  {CL_Mch_Tot, Of<&datCh::tot>(), Choice(kOnOff)},  // X 0 bit 4
  {CL_Mch_RfPo, Of<&datCh::rfPower>(), Choice(kRfPwr)},  // X 0 bits 0-1
  {CL_Mch_PwrSave, Of<&datCh::powerSave>(), Choice(kPwrSave)},  // X 0 bit 7, X 15 bit 5
  {CL_Mch_Lockout, Of<&datCh::lockout>(), Choice(kLockout)},  // X 0 bits 2-3, X 15 bit 4
  {CL_Mch_Scan_Inc, Of<&datCh::scanInc>(), Choice(kOnOff)},  // X 1 bit 1
  {CL_Mch_Scan_List, Of<&datCh::scanList>(), Integer(0, 16)},  // M 21
  {CL_Mch_Scan_ListSel, Of<&datCh::scanListSel>(), Choice(kListSel)},  // X 0 bit 5
  {CL_Mch_Scan_OnOff, RawBit<1, 15, 7>(), Choice(kOnOff)},  // X 15 bit 7
  {CL_Mch_AutoChScan, Of<&datCh::autoChScan>(), Choice(kOnOff)},  // X 3 bit 0
  {CL_Mch_AutoReset, Of<&datCh::autoReset>(), Choice(kAutoReset)},  // X 2 bits 0-1
  {CL_Mch_SigType_Log_Lmr, Of<&datCh::sigLog>(), Choice(kSigType)},  // X 3 bit 7, X 4 bit 5
  {CL_Mch_SigType_Emg_Lmr, Of<&datCh::sigEmg>(), Choice(kSigType)},  // X 4 bits 6-7
  {CL_Mch_SigType_Dec_Lmr, Of<&datCh::sigDec>(), Choice(kSigType)},  // X 4 bit 4, X 13 bit 4
  {CL_Mch_2Tone, Of<&datCh::twoTone>(), TypedChoice(kTwoTone, Flex0)},  // X 9 bits 0-6
  {CL_Mch_RxCNo2, Of<&datCh::rxCode>(), TypedChoice(kRxCode, Flex0)},  // X 11-12 bits 15-6
  {CL_Mch_Log, Of<&datCh::log>(), Choice(kLog)},  // X 1 bits 4-7
  {CL_Mch_Log_Msk, Of<&datCh::sigLog>(), Choice(kLogMsk)},  // X 3 bit 7, X 4 bit 5
  {CL_Mch_Mdc_On, Of<&datCh::sigDec>(), Choice(kMdcOn)},  // X 4 bit 4, X 13 bit 4
  {CL_Mch_Mdc_System, Of<&datCh::mdcSystem>(), TypedChoice(kMdcSystem, Flex0)},  // X 4 bits 0-3
  {CL_Mch_Scrm_On, Of<&datCh::scrambler>(), Choice(kScrm)},  // X 3 bits 5-6
  {CL_Mch_Scrm_Code, Of<&datCh::scrmCode>(), Integer(1, 16)},  // X 6

  {CL_Mch_Inh_Pmr, Of<&datCh::inhR>(), Choice(kInh)},  // M 0 bit 7
  {CL_Mch_TxInh_Pmr, Of<&datCh::inhT>(), Choice(kTxInh)},  // M 4 bit 7
  {CL_Mch_Nar_Pmr, Of<&datCh::width>(), Choice(kNar)},  // M 20 bit 6
  {CL_Mch_Sql_Tight_Pmr, Of<&datCh::sqlTight>(), Choice(kOnOff)},  // X 1 bit 2
  {CL_Mch_Compander_Pmr, Of<&datCh::compander>(), Choice(kOnOff)},  // X 3 bit 4
  {CL_Mch_Tot_Pmr, Of<&datCh::tot>(), Choice(kOnOff)},  // X 0 bit 4
  {CL_Mch_RfPo_Pmr, Of<&datCh::rfPower>(), Choice(kRfPwr)},  // X 0 bits 0-1
  {CL_Mch_PwrSave_Pmr, Of<&datCh::powerSave>(), Choice(kPwrSave)},  // X 0 bit 7, X 15 bit 5
  {CL_Mch_Lockout_Pmr, Of<&datCh::lockout>(), Choice(kLockout)},  // X 0 bits 2-3, X 15 bit 4
  {CL_Mch_Scan_Inc_Pmr, Of<&datCh::scanInc>(), Choice(kOnOff)},  // X 1 bit 1
  {CL_Mch_Scan_List_Pmr, Of<&datCh::scanList>(), Integer(0, 16)},  // M 21
  {CL_Mch_Scan_ListSel_Pmr, Of<&datCh::scanListSel>(), Choice(kListSel)},  // X 0 bit 5
  {CL_Mch_Scan_OnOff_Pmr, RawBit<1, 15, 7>(), Choice(kOnOff)},  // X 15 bit 7
  {CL_Mch_AutoChScan_Pmr, Of<&datCh::autoChScan>(), Choice(kOnOff)},  // X 3 bit 0
  {CL_Mch_AutoResetPmr, Of<&datCh::autoReset>(), Choice(kAutoReset)},  // X 2 bits 0-1
  {CL_Mch_Log_Pmr, Of<&datCh::log>(), Choice(kLog)},  // X 1 bits 4-7
  {CL_Mch_Log_Msk_Pmr, Of<&datCh::sigLog>(), Choice(kLogMsk)},  // X 3 bit 7, X 4 bit 5
  {CL_Mch_Moni_Pmr, Of<&datCh::moniPmr>(), ChoiceMark("GI_Sheet_Sel_Mch_Moni_Pmr")},  // X 0 bit 6
  {CL_Mch_Sel_Pmr, Of<&datCh::selPmr>(), ChoiceMark("GI_Sheet_Sel_Mch_Sel_Pmr")},  // X 1 bit 3
  {CL_Mch_Call_Pmr, Of<&datCh::callPmr>(), ChoiceMark("GI_Sheet_Sel_Mch_Call_Pmr")},  // X 2 bits 2-4
  {CL_Mch_PTT_Pmr, Of<&datCh::pttPmr>(), ChoiceMark("GI_Sheet_Sel_Mch_PTT_Pmr")},  // X 2 bits 5-7
  {CL_Mch_SigType_Log_Pmr, Of<&datCh::sigLog>(), Choice(kSigType)},  // X 3 bit 7, X 4 bit 5
  {CL_Mch_SigType_Emg_Pmr, Of<&datCh::sigEmg>(), Choice(kSigType)},  // X 4 bits 6-7
  {CL_Mch_SigType_Dec_Pmr, Of<&datCh::sigDec>(), Choice(kSigType)},  // X 4 bit 4, X 13 bit 4
  {CL_Mch_Form_Pmr, Of<&datCh::rptCode>(), SingleDigit(true)},  // X 7 bits 0-3
  {CL_Mch_Rpt_C_Pmr, Of<&datCh::rptNo>(), Integer(0, 127)},  // X 8 bits 0-6
  {CL_Mch_Rpt_L_Pmr, CodeBit7<0>(), Choice(kOnOff)},  // X 8 bit 7
  {CL_Mch_Stn_C_Pmr, Of<&datCh::stnCode>(), Integer(0, 127)},  // X 9 bits 0-6
  {CL_Mch_Stn_L_Pmr, CodeBit7<1>(), Choice(kOnOff)},  // X 9 bit 7
  {CL_Mch_Id_C_Pmr, Of<&datCh::idCode>(), Integer(0, 127)},  // X 10 bits 0-6
  {CL_Mch_Id_L_Pmr, CodeBit7<2>(), Choice(kOnOff)},  // X 10 bit 7
  {CL_Mch_Pos_Pmr, kCodeFlags, Choice("GI_Sheet_Sel_Mch_Pos_Pmr")},  // X 7 bit 6 + 2 x bit 7
  {CL_Mch_RxCNo_Pmr, Of<&datCh::rxCode>(), TypedChoice(kRxCode, Flex0)},  // X 11
  {CL_Mch_Mdc_System_Pmr, Of<&datCh::mdcSystem>(), TypedChoice(kMdcSystem, Flex0)},  // X 4 bits 0-3
  {CL_Mch_Scrm_On_Pmr, Of<&datCh::scrambler>(), Choice(kScrm)},  // X 3 bits 5-6
  {CL_Mch_Scrm_Code_Pmr, Of<&datCh::scrmCode>(), Integer(1, 16)},  // X 6
  {CL_Mch_RogerBeep, RawBit<1, 15, 6>(), Choice(kOnOff)},  // X 15 bit 6

  {CL_Mch_Lockout_Pmr446, Of<&datCh::lockout>(), Choice(kLockout)},  // X 0 bits 2-3, X 15 bit 4
};

// The settings with handlers of their own (indChannelRules), with the list key of
// their chooser where they have one.
constexpr OwnRow kOwn[] = {
  {CL_Mch_Atr, nullptr, R::Attribute},
  {CL_Mch_FreqR, nullptr, R::FreqR},
  {CL_Mch_FreqT, nullptr, R::FreqT},
  {CL_Mch_WNM, "GI_Sheet_Sel_Mch_WNM", R::Wnm},
  {CL_Mch_CTone_R, nullptr, R::ToneR},
  {CL_Mch_CTone_T, nullptr, R::ToneT},
  {CL_Mch_Text, nullptr, R::Text},
  {CL_Mch_Scan, nullptr, R::Scan},
  {CL_Mch_CH_Mute, kMute, R::Mute},

  {CL_Mch_Atr_Pmr, nullptr, R::AttributePmr},
  {CL_Mch_FreqR_Pmr, nullptr, R::FreqRPmr},
  {CL_Mch_FreqT_Pmr, nullptr, R::FreqT},
  {CL_Mch_WNM_Pmr, kNar, R::WnmPmr},
  {CL_Mch_CTone_R_Pmr, nullptr, R::ToneR},
  {CL_Mch_CTone_T_Pmr, nullptr, R::ToneT},
  {CL_Mch_Text_Pmr, nullptr, R::Text},
  {CL_Mch_Scan_Pmr, nullptr, R::ScanPmr},
  {CL_Mch_CH_Mute_Pmr, kMute, R::Mute},
  {CL_Mch_CB, "GI_Sheet_Sel_Mch_CB", R::CallButton},
  {CL_Mch_Dup, "GI_Sheet_Sel_Mch_Dup", R::Dup},
  {CL_Mch_DupEna, "GI_Sheet_Sel_Mch_DupEna", R::DupEna},
  {CL_Mch_CTone_Sel, "GI_Sheet_Sel_Mch_CToneSel", R::CToneSel},
  {CL_Mch_CTone_Edit, "GI_Sheet_Sel_Mch_CToneEdit", R::CToneEdit},

  {CL_Mch_Atr_Pmr446, nullptr, R::Attribute},
  {CL_Mch_FreqR_Pmr446, nullptr, R::FreqRPmr446},
  {CL_Mch_CTone_R_Pmr446, nullptr, R::ToneR},
  {CL_Mch_CTone_T_Pmr446, nullptr, R::ToneT},

  {CL_Mch_Msk_Sig, "GI_Sheet_Sel_Mch_Msk_Signal_Pmr", R::MskSig},
  {CL_Mch_Msk_SendStatus, "GI_Sheet_Sel_Mch_SendStatus", R::MskSendStatus},
  {CL_Mch_Msk_Rpt, "GI_Sheet_Sel_Mch_Msk_Rpt_1st_Pmr", R::MskRpt},
  {CL_Mch_Msk_Stn, "GI_Sheet_Sel_Mch_Msk_ID", R::MskStn},
  {CL_Mch_Msk_RxCNo, nullptr, R::MskRxCNo},
  {CL_Mch_Dig_Sig, "GI_Sheet_Sel_Mch_Dig_Signal", R::DigSig},
};
// clang-format on

const OwnRow* OwnRowOf(int label) {
  for (const OwnRow& row : kOwn)
    if (row.label == label) return &row;
  return nullptr;
}

// The analogue receive code shares X 11 with the MSK receive digits: an MSK channel
// of a QarnPmr radio has none, so the cell shows dashes and takes no keys, as the MSK
// cells do on an analogue channel.
bool AnalogueCodeOnMskChannel(const indCellRequest& r) {
  return (r.label == CL_Mch_RxCNo_Pmr || r.label == CL_Mch_RxCNo2) && r.qarnPmr && r.record.mskSig;
}

void FieldCell(indCellRequest& r) {
  if (AnalogueCodeOnMskChannel(r)) return indChannelRules::NoSignalCell(r);
  const indSettingRow& row = *indFindRow(kFields, r.label);
  indRunRow(r, row, 0, indShownText::kNormalised);
  indChannelRules::MarkEntry(r, indReadRow(r, row));
}

}  // namespace

const char* indChannelCells::ListOf(int label) {
  if (const indSettingRow* row = indFindRow(kFields, label)) return row->codec.list;
  const OwnRow* own = OwnRowOf(label);
  return own ? own->list : nullptr;
}

void indChannelCells::Register(indCellHandlers& t) {
  for (const indSettingRow& row : kFields) t.Set(row.label, FieldCell);
  for (const OwnRow& row : kOwn) t.Set(row.label, row.handler);
}
