#include "cell/indChannelCells.h"

#include <type_traits>

#include "cell/cmcCellIds.h"
#include "cell/cmcChoiceCodecs.h"
#include "cell/cmcDigitCodecs.h"
#include "cell/cmcNumberCodecs.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellRequest.h"
#include "cell/indChannelRules.h"
#include "cell/indCodecScope.h"
#include "channel/datChBits.h"

namespace {

// How a row's value is read from and put back into the channel record.
struct Field {
  int (*get)(const datCh&) = nullptr;
  void (*put)(datCh&, int) = nullptr;
};

template <auto M>
constexpr Field Of() {
  return {[](const datCh& c) { return static_cast<int>(c.*M); },
          [](datCh& c, int v) { c.*M = static_cast<std::remove_cvref_t<decltype(c.*M)>>(v); }};
}

// A bit the record does not model, in region r (0 main record, 1 extension) at byte b.
template <int R, int B, int Bit>
constexpr Field RawBit() {
  return {[](const datCh& c) { return datGetBits(c.raw[R][B], Bit, 1); },
          [](datCh& c, int v) { datSetBits(c.raw[R][B], Bit, 1, v); }};
}

// Bit 7 of X 8, X 9 or X 10, the flags of the repeater, station and ID codes.
template <int I>
constexpr Field CodeBit7() {
  return {[](const datCh& c) { return c.codeBit7[I] ? 1 : 0; }, [](datCh& c, int v) { c.codeBit7[I] = v != 0; }};
}

// X 7 bit 6 + 2 x X 7 bit 7.
constexpr Field kCodeFlags = {[](const datCh& c) { return (c.formFlag ? 1 : 0) + (c.codeFlag ? 2 : 0); },
                              [](datCh& c, int v) {
                                c.formFlag = v & 1;
                                c.codeFlag = v & 2;
                              }};

enum class Codec { kChoice, kMark, kTyped, kInteger, kDigit, kOwn };

struct Row {
  int label;
  const char* where;  // the record bits
  Codec codec;
  Field field;
  const char* list;
  int min;
  int max;
  indCellHandler own;
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

using C = Codec;
using R = indChannelRules;

// clang-format off
constexpr Row kRows[] = {
  // label                     record bits                  codec         field                       list key     limits   own handler
  {CL_Mch_Atr,             "attribute pointers",            C::kOwn,     {},                          nullptr,     0, 0,    R::Attribute},
  {CL_Mch_Inh,             "M 0 bit 7",                     C::kChoice,  Of<&datCh::inhR>(),          kInh,        0, 1,    nullptr},
  {CL_Mch_FreqR,           "M 0-3",                         C::kOwn,     {},                          nullptr,     0, 0,    R::FreqR},
  {CL_Mch_FreqT,           "M 4-7",                         C::kOwn,     {},                          nullptr,     0, 0,    R::FreqT},
  {CL_Mch_TxInh,           "M 4 bit 7",                     C::kChoice,  Of<&datCh::inhT>(),          kTxInh,      0, 1,    nullptr},
  {CL_Mch_Nar,             "M 20 bit 6",                    C::kChoice,  Of<&datCh::width>(),         kNar,        0, 1,    nullptr},
  {CL_Mch_WNM,             "M 20 bit 6",                    C::kOwn,     {},                          "GI_Sheet_Sel_Mch_WNM", 0, 3, R::Wnm},
  {CL_Mch_Sql_Tight,       "X 1 bit 2",                     C::kChoice,  Of<&datCh::sqlTight>(),      kOnOff,      0, 1,    nullptr},
  {CL_Mch_CTone_R,         "M 8-9",                         C::kOwn,     {},                          nullptr,     0, 0,    R::ToneR},
  {CL_Mch_CTone_T,         "M 10-11",                       C::kOwn,     {},                          nullptr,     0, 0,    R::ToneT},
  {CL_Mch_Text,            "M 12-19",                       C::kOwn,     {},                          nullptr,     0, 0,    R::Text},
  {CL_Mch_Compander,       "X 3 bit 4",                     C::kChoice,  Of<&datCh::compander>(),     kOnOff,      0, 1,    nullptr},
  {CL_Mch_Tot,             "X 0 bit 4",                     C::kChoice,  Of<&datCh::tot>(),           kOnOff,      0, 1,    nullptr},
  {CL_Mch_RfPo,            "X 0 bits 0-1",                  C::kChoice,  Of<&datCh::rfPower>(),       kRfPwr,      0, 3,    nullptr},
  {CL_Mch_PwrSave,         "X 0 bit 7, X 15 bit 5",         C::kChoice,  Of<&datCh::powerSave>(),     kPwrSave,    0, 3,    nullptr},
  {CL_Mch_Lockout,         "X 0 bits 2-3, X 15 bit 4",      C::kChoice,  Of<&datCh::lockout>(),       kLockout,    0, 7,    nullptr},
  {CL_Mch_Scan,            "scan maps 0x8AA8-0x8AE7",       C::kOwn,     {},                          nullptr,     1, 17,   R::Scan},
  {CL_Mch_Scan_Inc,        "X 1 bit 1",                     C::kChoice,  Of<&datCh::scanInc>(),       kOnOff,      0, 1,    nullptr},
  {CL_Mch_Scan_List,       "M 21",                          C::kInteger, Of<&datCh::scanList>(),      nullptr,     0, 16,   nullptr},
  {CL_Mch_Scan_ListSel,    "X 0 bit 5",                     C::kChoice,  Of<&datCh::scanListSel>(),   kListSel,    0, 1,    nullptr},
  {CL_Mch_Scan_OnOff,      "X 15 bit 7",                    C::kChoice,  RawBit<1, 15, 7>(),          kOnOff,      0, 1,    nullptr},
  {CL_Mch_AutoChScan,      "X 3 bit 0",                     C::kChoice,  Of<&datCh::autoChScan>(),    kOnOff,      0, 1,    nullptr},
  {CL_Mch_AutoReset,       "X 2 bits 0-1",                  C::kChoice,  Of<&datCh::autoReset>(),     kAutoReset,  0, 3,    nullptr},
  {CL_Mch_SigType_Log_Lmr, "X 3 bit 7, X 4 bit 5",          C::kChoice,  Of<&datCh::sigLog>(),        kSigType,    0, 3,    nullptr},
  {CL_Mch_SigType_Emg_Lmr, "X 4 bits 6-7",                  C::kChoice,  Of<&datCh::sigEmg>(),        kSigType,    0, 3,    nullptr},
  {CL_Mch_SigType_Dec_Lmr, "X 4 bit 4, X 13 bit 4",         C::kChoice,  Of<&datCh::sigDec>(),        kSigType,    0, 3,    nullptr},
  {CL_Mch_CH_Mute,         "X 1 bit 0",                     C::kMark,    Of<&datCh::chMute>(),        kMute,       0, 1,    nullptr},
  {CL_Mch_2Tone,           "X 9 bits 0-6",                  C::kTyped,   Of<&datCh::twoTone>(),       kTwoTone,    0, 10,   nullptr},
  {CL_Mch_RxCNo2,          "X 11-12 bits 15-6",             C::kTyped,   Of<&datCh::rxCode>(),        kRxCode,     0, 8,    nullptr},
  {CL_Mch_Log,             "X 1 bits 4-7",                  C::kChoice,  Of<&datCh::log>(),           kLog,        0, 3,    nullptr},
  {CL_Mch_Log_Msk,         "X 3 bit 7, X 4 bit 5",          C::kChoice,  Of<&datCh::sigLog>(),        kLogMsk,     0, 3,    nullptr},
  {CL_Mch_Mdc_On,          "X 4 bit 4, X 13 bit 4",         C::kChoice,  Of<&datCh::sigDec>(),        kMdcOn,      0, 3,    nullptr},
  {CL_Mch_Mdc_System,      "X 4 bits 0-3",                  C::kTyped,   Of<&datCh::mdcSystem>(),     kMdcSystem,  0, 15,   nullptr},
  {CL_Mch_Scrm_On,         "X 3 bits 5-6",                  C::kChoice,  Of<&datCh::scrambler>(),     kScrm,       0, 3,    nullptr},
  {CL_Mch_Scrm_Code,       "X 6",                           C::kInteger, Of<&datCh::scrmCode>(),      nullptr,     1, 16,   nullptr},

  {CL_Mch_Atr_Pmr,         "attribute pointers",            C::kOwn,     {},                          nullptr,     0, 0,    R::AttributePmr},
  {CL_Mch_Inh_Pmr,         "M 0 bit 7",                     C::kChoice,  Of<&datCh::inhR>(),          kInh,        0, 1,    nullptr},
  {CL_Mch_FreqR_Pmr,       "M 0-7, X 5 preset",             C::kOwn,     {},                          nullptr,     1, 100,  R::FreqRPmr},
  {CL_Mch_FreqT_Pmr,       "M 4-7",                         C::kOwn,     {},                          nullptr,     0, 0,    R::FreqT},
  {CL_Mch_TxInh_Pmr,       "M 4 bit 7",                     C::kChoice,  Of<&datCh::inhT>(),          kTxInh,      0, 1,    nullptr},
  {CL_Mch_Nar_Pmr,         "M 20 bit 6",                    C::kChoice,  Of<&datCh::width>(),         kNar,        0, 1,    nullptr},
  {CL_Mch_WNM_Pmr,         "M 20 bit 6",                    C::kOwn,     {},                          kNar,        0, 3,    R::WnmPmr},
  {CL_Mch_Sql_Tight_Pmr,   "X 1 bit 2",                     C::kChoice,  Of<&datCh::sqlTight>(),      kOnOff,      0, 1,    nullptr},
  {CL_Mch_CTone_R_Pmr,     "M 8-9",                         C::kOwn,     {},                          nullptr,     0, 0,    R::ToneR},
  {CL_Mch_CTone_T_Pmr,     "M 10-11",                       C::kOwn,     {},                          nullptr,     0, 0,    R::ToneT},
  {CL_Mch_Text_Pmr,        "M 12-19",                       C::kOwn,     {},                          nullptr,     0, 0,    R::Text},
  {CL_Mch_Compander_Pmr,   "X 3 bit 4",                     C::kChoice,  Of<&datCh::compander>(),     kOnOff,      0, 1,    nullptr},
  {CL_Mch_Tot_Pmr,         "X 0 bit 4",                     C::kChoice,  Of<&datCh::tot>(),           kOnOff,      0, 1,    nullptr},
  {CL_Mch_RfPo_Pmr,        "X 0 bits 0-1",                  C::kChoice,  Of<&datCh::rfPower>(),       kRfPwr,      0, 3,    nullptr},
  {CL_Mch_PwrSave_Pmr,     "X 0 bit 7, X 15 bit 5",         C::kChoice,  Of<&datCh::powerSave>(),     kPwrSave,    0, 3,    nullptr},
  {CL_Mch_Lockout_Pmr,     "X 0 bits 2-3, X 15 bit 4",      C::kChoice,  Of<&datCh::lockout>(),       kLockout,    0, 7,    nullptr},
  {CL_Mch_Scan_Pmr,        "scan maps 0x8AA8-0x8AE7",       C::kOwn,     {},                          nullptr,     1, 4,    R::ScanPmr},
  {CL_Mch_Scan_Inc_Pmr,    "X 1 bit 1",                     C::kChoice,  Of<&datCh::scanInc>(),       kOnOff,      0, 1,    nullptr},
  {CL_Mch_Scan_List_Pmr,   "M 21",                          C::kInteger, Of<&datCh::scanList>(),      nullptr,     0, 16,   nullptr},
  {CL_Mch_Scan_ListSel_Pmr,"X 0 bit 5",                     C::kChoice,  Of<&datCh::scanListSel>(),   kListSel,    0, 1,    nullptr},
  {CL_Mch_Scan_OnOff_Pmr,  "X 15 bit 7",                    C::kChoice,  RawBit<1, 15, 7>(),          kOnOff,      0, 1,    nullptr},
  {CL_Mch_AutoChScan_Pmr,  "X 3 bit 0",                     C::kChoice,  Of<&datCh::autoChScan>(),    kOnOff,      0, 1,    nullptr},
  {CL_Mch_AutoResetPmr,    "X 2 bits 0-1",                  C::kChoice,  Of<&datCh::autoReset>(),     kAutoReset,  0, 3,    nullptr},
  {CL_Mch_CH_Mute_Pmr,     "X 1 bit 0",                     C::kMark,    Of<&datCh::chMute>(),        kMute,       0, 1,    nullptr},
  {CL_Mch_Log_Pmr,         "X 1 bits 4-7",                  C::kChoice,  Of<&datCh::log>(),           kLog,        0, 3,    nullptr},
  {CL_Mch_Log_Msk_Pmr,     "X 3 bit 7, X 4 bit 5",          C::kChoice,  Of<&datCh::sigLog>(),        kLogMsk,     0, 3,    nullptr},
  {CL_Mch_Moni_Pmr,        "X 0 bit 6",                     C::kMark,    Of<&datCh::moniPmr>(),       "GI_Sheet_Sel_Mch_Moni_Pmr", 0, 1, nullptr},
  {CL_Mch_Sel_Pmr,         "X 1 bit 3",                     C::kMark,    Of<&datCh::selPmr>(),        "GI_Sheet_Sel_Mch_Sel_Pmr",  0, 1, nullptr},
  {CL_Mch_Call_Pmr,        "X 2 bits 2-4",                  C::kMark,    Of<&datCh::callPmr>(),       "GI_Sheet_Sel_Mch_Call_Pmr", 0, 7, nullptr},
  {CL_Mch_PTT_Pmr,         "X 2 bits 5-7",                  C::kMark,    Of<&datCh::pttPmr>(),        "GI_Sheet_Sel_Mch_PTT_Pmr",  0, 7, nullptr},
  {CL_Mch_SigType_Log_Pmr, "X 3 bit 7, X 4 bit 5",          C::kChoice,  Of<&datCh::sigLog>(),        kSigType,    0, 3,    nullptr},
  {CL_Mch_SigType_Emg_Pmr, "X 4 bits 6-7",                  C::kChoice,  Of<&datCh::sigEmg>(),        kSigType,    0, 3,    nullptr},
  {CL_Mch_SigType_Dec_Pmr, "X 4 bit 4, X 13 bit 4",         C::kChoice,  Of<&datCh::sigDec>(),        kSigType,    0, 3,    nullptr},
  {CL_Mch_Form_Pmr,        "X 7 bits 0-3",                  C::kDigit,   Of<&datCh::rptCode>(),       nullptr,     0, 15,   nullptr},
  {CL_Mch_Rpt_C_Pmr,       "X 8 bits 0-6",                  C::kInteger, Of<&datCh::rptNo>(),         nullptr,     0, 127,  nullptr},
  {CL_Mch_Rpt_L_Pmr,       "X 8 bit 7",                     C::kChoice,  CodeBit7<0>(),               kOnOff,      0, 1,    nullptr},
  {CL_Mch_Stn_C_Pmr,       "X 9 bits 0-6",                  C::kInteger, Of<&datCh::stnCode>(),       nullptr,     0, 127,  nullptr},
  {CL_Mch_Stn_L_Pmr,       "X 9 bit 7",                     C::kChoice,  CodeBit7<1>(),               kOnOff,      0, 1,    nullptr},
  {CL_Mch_Id_C_Pmr,        "X 10 bits 0-6",                 C::kInteger, Of<&datCh::idCode>(),        nullptr,     0, 127,  nullptr},
  {CL_Mch_Id_L_Pmr,        "X 10 bit 7",                    C::kChoice,  CodeBit7<2>(),               kOnOff,      0, 1,    nullptr},
  {CL_Mch_Pos_Pmr,         "X 7 bit 6 + 2 x bit 7",         C::kChoice,  kCodeFlags,                  "GI_Sheet_Sel_Mch_Pos_Pmr", 0, 3, nullptr},
  {CL_Mch_RxCNo_Pmr,       "X 11",                          C::kTyped,   Of<&datCh::rxCode>(),        kRxCode,     0, 8,    nullptr},
  {CL_Mch_Mdc_System_Pmr,  "X 4 bits 0-3",                  C::kTyped,   Of<&datCh::mdcSystem>(),     kMdcSystem,  0, 15,   nullptr},
  {CL_Mch_Scrm_On_Pmr,     "X 3 bits 5-6",                  C::kChoice,  Of<&datCh::scrambler>(),     kScrm,       0, 3,    nullptr},
  {CL_Mch_Scrm_Code_Pmr,   "X 6",                           C::kInteger, Of<&datCh::scrmCode>(),      nullptr,     1, 16,   nullptr},
  {CL_Mch_CB,              "X 5, M 4 bit 7 (read only)",    C::kOwn,     {},                          "GI_Sheet_Sel_Mch_CB",       0, 3, R::CallButton},
  {CL_Mch_Dup,             "M 20 bit 2",                    C::kOwn,     {},                          "GI_Sheet_Sel_Mch_Dup",      0, 1, R::Dup},
  {CL_Mch_DupEna,          "X 13 bit 7",                    C::kOwn,     {},                          "GI_Sheet_Sel_Mch_DupEna",   0, 1, R::DupEna},
  {CL_Mch_CTone_Sel,       "X 13 bit 6",                    C::kOwn,     {},                          "GI_Sheet_Sel_Mch_CToneSel", 0, 1, R::CToneSel},
  {CL_Mch_CTone_Edit,      "X 13 bit 5",                    C::kOwn,     {},                          "GI_Sheet_Sel_Mch_CToneEdit",0, 1, R::CToneEdit},
  {CL_Mch_RogerBeep,       "X 15 bit 6",                    C::kChoice,  RawBit<1, 15, 6>(),          kOnOff,      0, 1,    nullptr},

  {CL_Mch_Atr_Pmr446,      "attribute pointers",            C::kOwn,     {},                          nullptr,     0, 0,    R::Attribute},
  {CL_Mch_FreqR_Pmr446,    "M 0-7, M 20 bit 3 free",        C::kOwn,     {},                          nullptr,     0, 0,    R::FreqRPmr446},
  {CL_Mch_CTone_R_Pmr446,  "M 8-9",                         C::kOwn,     {},                          nullptr,     0, 0,    R::ToneR},
  {CL_Mch_CTone_T_Pmr446,  "M 10-11",                       C::kOwn,     {},                          nullptr,     0, 0,    R::ToneT},
  {CL_Mch_Lockout_Pmr446,  "X 0 bits 2-3, X 15 bit 4",      C::kChoice,  Of<&datCh::lockout>(),       kLockout,    0, 7,    nullptr},

  {CL_Mch_Msk_Sig,         "X 3 bit 3",                     C::kOwn,     {},                          "GI_Sheet_Sel_Mch_Msk_Signal_Pmr", 0, 1, R::MskSig},
  {CL_Mch_Msk_SendStatus,  "X 3 bit 1",                     C::kOwn,     {},                          "GI_Sheet_Sel_Mch_SendStatus",     0, 1, R::MskSendStatus},
  {CL_Mch_Msk_Rpt,         "X 3 bit 2 (255), X 8 bits 0-6", C::kOwn,     {},                          "GI_Sheet_Sel_Mch_Msk_Rpt_1st_Pmr",0, 255, R::MskRpt},
  {CL_Mch_Msk_Stn,         "X 9 bits 0-6",                  C::kOwn,     {},                          "GI_Sheet_Sel_Mch_Msk_ID",         0, 127, R::MskStn},
  {CL_Mch_Msk_RxCNo,       "X 11 bits 0-6",                 C::kOwn,     {},                          nullptr,     1, 7,    R::MskRxCNo},
  {CL_Mch_Dig_Sig,         "M 20 bits 0-1 (read only)",     C::kOwn,     {},                          "GI_Sheet_Sel_Mch_Dig_Signal",     0, 3, R::DigSig},
};
// clang-format on

const Row* RowOf(int label) {
  for (const Row& row : kRows)
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
  const Row& row = *RowOf(r.label);
  indCodecScope codec(r);
  int32_t v = row.field.get(r.record);
  bool changed = false;
  switch (row.codec) {
    case Codec::kChoice:
      changed = ChoiceCodecFlex0(codec.context, r.capsule, row.list, v);
      break;
    case Codec::kMark:
      changed = ChoiceCodecMark(codec.context, r.capsule, row.list, v);
      break;
    case Codec::kTyped:
      changed = TypedChoiceCodec(codec.context, r.capsule, row.list, Flex0, v);
      break;
    case Codec::kInteger: {
      cmcIntegerRule rule;
      rule.min = row.min;
      rule.max = row.max;
      changed = IntegerCodec(codec.context, r.capsule, v, rule);
      break;
    }
    case Codec::kDigit:
      changed = SingleDigitCodec(codec.context, r.capsule, v, true);
      break;
    case Codec::kOwn:
      break;
  }
  indChannelRules::MarkEntry(r, v);
  if (!changed) return;
  row.field.put(r.record, v);
  indCellSteps::StoreChannel(r);
}

}  // namespace

const char* indChannelCells::ListOf(int label) {
  const Row* row = RowOf(label);
  return row ? row->list : nullptr;
}

void indChannelCells::Register(indCellHandlers& t) {
  for (const Row& row : kRows) t.Set(row.label, row.codec == Codec::kOwn ? row.own : FieldCell);
}
