#include "cell/indAdjustCells.h"

#include <cstdio>
#include <span>
#include <string>

#include "cell/cmcCellIds.h"
#include "cell/cmcNumberCodecs.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "cell/indCodecScope.h"
#include "cell/indSettingRows.h"
#include "image/cmcEeprom.h"

namespace {

// How a value reaches the radio: an adjustment item 5-20 of its own, the byte at its
// address, or not at all (kept in the working image only).
constexpr int kByte = 0;
constexpr int kWorkingOnly = -1;

struct AdjustValue {
  int label;
  int bar;
  int address;
  int item;
  bool isSigned = false;
  bool noEditor = false;  // Enter does nothing; the bar shows the value as a voltage
};

constexpr bool S = true;  // signed

// clang-format off
constexpr AdjustValue kAdjust[] = {
  // value label                 bar label                    address item
  {CL_Adjust_Pow_Hi,             CL_Adjust_Hi_Bar,            0xA8,  9},
  {CL_Adjust_Pow_L2,             CL_Adjust_L2_Bar,            0xA7,  10},
  {CL_Adjust_Pow_L1,             CL_Adjust_L1_Bar,            0xA6,  11},
  {CL_Adjust_Bal_Com_Val,        CL_Adjust_Bal_Com_Bar,       0xBC,  8},
  {CL_Adjust_Bal_W_Val,          CL_Adjust_Bal_W_Bar,         0x63,  16},
  {CL_Adjust_Bal_M_Val,          CL_Adjust_Bal_M_Bar,         0x6B,  18},
  {CL_Adjust_Bal_N_Val,          CL_Adjust_Bal_N_Bar,         0x67,  17},
  {CL_Adjust_Mod_N_Old_Val,      CL_Adjust_Mod_N_Old_Bar,     0x5A,  kByte},
  {CL_Adjust_Mod_W_Val,          CL_Adjust_Mod_W_Bar,         0x62,  12},
  {CL_Adjust_Mod_M_Val,          CL_Adjust_Mod_M_Bar,         0x6A,  14},
  {CL_Adjust_Mod_N_Val,          CL_Adjust_Mod_N_Bar,         0x66,  13},
  {CL_Adjust_Ctn_OLD_Val,        CL_Adjust_Ctn_OLD_Bar,       0x5B,  kByte},
  {CL_Adjust_Ctn_W_Val,          CL_Adjust_Ctn_W_Bar,         0x61,  kByte},
  {CL_Adjust_Ctn_M_Val,          CL_Adjust_Ctn_M_Bar,         0x69,  kByte},
  {CL_Adjust_Ctn_N_Val,          CL_Adjust_Ctn_N_Bar,         0x65,  kByte},
  {CL_Adjust_Sql,                CL_Adjust_Sql_Bar,           0xAD,  5},
  {CL_Adjust_Ref,                CL_Adjust_Ref_Bar,           0x53,  15},
  {CL_Adjust_BpfT1,              CL_Adjust_BpfT1_Bar,         0x54,  19},
  {CL_Adjust_BpfT2,              CL_Adjust_BpfT2_Bar,         0x55,  20},
  {CL_Adjust_RxLva,              CL_Adjust_RxLva_Bar,         0x5C,  6},
  {CL_Adjust_TxLva,              CL_Adjust_TxLva_Bar,         0x5D,  7},
  // The bisection targets.
  {CL_Adjust_LvRx,               CL_Adjust_LvRx_Bar,          0xAE,  kWorkingOnly, false, true},
  {CL_Adjust_LvTx,               CL_Adjust_LvTx_Bar,          0xAF,  kWorkingOnly, false, true},
};

// The per-width slopes, the temperature slopes, and the tracking coefficients of each
// tracked item: first-order data and its scale exponent, second-order data and its
// exponent (the bytes the tracking fit writes).
constexpr AdjustValue kComp[] = {
  // value label                    bar label                        address item   signed
  {CL_Comp_Sql_W_Slant_Val,         CL_Comp_Sql_W_Slant_Bar,         0x70, kByte, S},
  {CL_Comp_Sql_M_Slant_Val,         CL_Comp_Sql_M_Slant_Bar,         0x71, kByte, S},
  {CL_Comp_Sql_N_Slant_Val,         CL_Comp_Sql_N_Slant_Bar,         0x72, kByte, S},
  {CL_Comp_Bal_W_Slant_Val,         CL_Comp_Bal_W_Slant_Bar,         0x73, kByte, S},
  {CL_Comp_Bal_M_Slant_Val,         CL_Comp_Bal_M_Slant_Bar,         0x74, kByte, S},
  {CL_Comp_Bal_N_Slant_Val,         CL_Comp_Bal_N_Slant_Bar,         0x75, kByte, S},
  {CL_Comp_Mod_W_Slant_Val,         CL_Comp_Mod_W_Slant_Bar,         0x76, kByte, S},
  {CL_Comp_Mod_M_Slant_Val,         CL_Comp_Mod_M_Slant_Bar,         0x77, kByte, S},
  {CL_Comp_Mod_N_Slant_Val,         CL_Comp_Mod_N_Slant_Bar,         0x78, kByte, S},
  {CL_Comp_Ctn_W_Slant_Val,         CL_Comp_Ctn_W_Slant_Bar,         0x79, kByte, S},
  {CL_Comp_Ctn_M_Slant_Val,         CL_Comp_Ctn_M_Slant_Bar,         0x7A, kByte, S},
  {CL_Comp_Ctn_N_Slant_Val,         CL_Comp_Ctn_N_Slant_Bar,         0x7B, kByte, S},
  {CL_Comp_Sql_TempSlant_Val,       CL_Comp_Sql_TempSlant_Bar,       0x7C, kByte, S},
  {CL_Comp_Bal_TempSlant_Val,       CL_Comp_Bal_TempSlant_Bar,       0x7D, kByte, S},
  {CL_Comp_Mod_TempSlant_Val,       CL_Comp_Mod_TempSlant_Bar,       0x7E, kByte, S},
  {CL_Comp_Ctn_TempSlant_Val,       CL_Comp_Ctn_TempSlant_Bar,       0x7F, kByte, S},
  {CL_Comp_Rfp_TempSlant_Val,       CL_Comp_Rfp_TempSlant_Bar,       0x80, kByte, S},
  {CL_Comp_BpfT1_TempSlant_Val,     CL_Comp_BpfT1_TempSlant_Bar,     0x81, kByte, S},
  {CL_Comp_BpfT2_TempSlant_Val,     CL_Comp_BpfT2_TempSlant_Bar,     0x82, kByte, S},
  {CL_Comp_RxLva_TempSlant_Val,     CL_Comp_RxLva_TempSlant_Bar,     0x83, kByte, S},
  {CL_Comp_TxLva_TempSlant_Val,     CL_Comp_TxLva_TempSlant_Bar,     0x84, kByte, S},
  {CL_Comp_Rfp_FinalProtect_Val,    CL_Comp_Rfp_FinalProtect_Bar,    0x85, kByte},
  {CL_Comp_Dev_CtnCorrect_Val,      CL_Comp_Dev_CtnCorrect_Bar,      0x86, kByte, S},
  {CL_Comp_Rssi_S1S3Ratio_Val,      CL_Comp_Rssi_S1S3Ratio_Bar,      0x87, kByte},
  {CL_Comp_Rssi_S1Setting_Val,      CL_Comp_Rssi_S1Setting_Bar,      0x88, kByte},
  {CL_Comp_Rfp_a1d_Val,             CL_Comp_Rfp_a1d_Bar,             0xC0, kByte, S},
  {CL_Comp_Rfp_a1s_Val,             CL_Comp_Rfp_a1s_Bar,             0xC1, kByte},
  {CL_Comp_Rfp_a2d_Val,             CL_Comp_Rfp_a2d_Bar,             0xC2, kByte, S},
  {CL_Comp_Rfp_a2s_Val,             CL_Comp_Rfp_a2s_Bar,             0xC3, kByte},
  {CL_Comp_Ctn_a1d_Val,             CL_Comp_Ctn_a1d_Bar,             0xC4, kByte, S},
  {CL_Comp_Ctn_a1s_Val,             CL_Comp_Ctn_a1s_Bar,             0xC5, kByte},
  {CL_Comp_Ctn_a2d_Val,             CL_Comp_Ctn_a2d_Bar,             0xC6, kByte, S},
  {CL_Comp_Ctn_a2s_Val,             CL_Comp_Ctn_a2s_Bar,             0xC7, kByte},
  {CL_Comp_Dev_a1d_Val,             CL_Comp_Dev_a1d_Bar,             0xC8, kByte, S},
  {CL_Comp_Dev_a1s_Val,             CL_Comp_Dev_a1s_Bar,             0xC9, kByte},
  {CL_Comp_Dev_a2d_Val,             CL_Comp_Dev_a2d_Bar,             0xCA, kByte, S},
  {CL_Comp_Dev_a2s_Val,             CL_Comp_Dev_a2s_Bar,             0xCB, kByte},
  {CL_Comp_Bal_a1d_Val,             CL_Comp_Bal_a1d_Bar,             0xCC, kByte, S},
  {CL_Comp_Bal_a1s_Val,             CL_Comp_Bal_a1s_Bar,             0xCD, kByte},
  {CL_Comp_Bal_a2d_Val,             CL_Comp_Bal_a2d_Bar,             0xCE, kByte, S},
  {CL_Comp_Bal_a2s_Val,             CL_Comp_Bal_a2s_Bar,             0xCF, kByte},
  {CL_Comp_BpfT1_a1d_Val,           CL_Comp_BpfT1_a1d_Bar,           0xD0, kByte, S},
  {CL_Comp_BpfT1_a1s_Val,           CL_Comp_BpfT1_a1s_Bar,           0xD1, kByte},
  {CL_Comp_BpfT1_a2d_Val,           CL_Comp_BpfT1_a2d_Bar,           0xD2, kByte, S},
  {CL_Comp_BpfT1_a2s_Val,           CL_Comp_BpfT1_a2s_Bar,           0xD3, kByte},
  {CL_Comp_BpfT2_a1d_Val,           CL_Comp_BpfT2_a1d_Bar,           0xD4, kByte, S},
  {CL_Comp_BpfT2_a1s_Val,           CL_Comp_BpfT2_a1s_Bar,           0xD5, kByte},
  {CL_Comp_BpfT2_a2d_Val,           CL_Comp_BpfT2_a2d_Bar,           0xD6, kByte, S},
  {CL_Comp_BpfT2_a2s_Val,           CL_Comp_BpfT2_a2s_Bar,           0xD7, kByte},
  {CL_Comp_RxLva_a1d_Val,           CL_Comp_RxLva_a1d_Bar,           0xD8, kByte, S},
  {CL_Comp_RxLva_a1s_Val,           CL_Comp_RxLva_a1s_Bar,           0xD9, kByte},
  {CL_Comp_RxLva_a2d_Val,           CL_Comp_RxLva_a2d_Bar,           0xDA, kByte, S},
  {CL_Comp_RxLva_a2s_Val,           CL_Comp_RxLva_a2s_Bar,           0xDB, kByte},
  {CL_Comp_TxLva_a1d_Val,           CL_Comp_TxLva_a1d_Bar,           0xDC, kByte, S},
  {CL_Comp_TxLva_a1s_Val,           CL_Comp_TxLva_a1s_Bar,           0xDD, kByte},
  {CL_Comp_TxLva_a2d_Val,           CL_Comp_TxLva_a2d_Bar,           0xDE, kByte, S},
  {CL_Comp_TxLva_a2s_Val,           CL_Comp_TxLva_a2s_Bar,           0xDF, kByte},
};
// clang-format on

constexpr std::span<const AdjustValue> kTables[] = {kAdjust, kComp};

// The radio's adjustment password: 8 plain characters, zero-filled.
constexpr indSettingRow kPassword{CL_Adjust_Password, Run(0x89, 8), ZeroFilledText()};

const AdjustValue* Find(int label) {
  for (const std::span<const AdjustValue> table : kTables)
    for (const AdjustValue& v : table)
      if (v.label == label || v.bar == label) return &v;
  return nullptr;
}

int32_t ValueOf(const cmcEeprom& image, const AdjustValue& a) {
  const int byte = image.GetByte(a.address);
  return a.isSigned ? static_cast<int8_t>(byte) : byte;
}

int32_t Min(const AdjustValue& a) { return a.isSigned ? -128 : 0; }
int32_t Max(const AdjustValue& a) { return a.isSigned ? 127 : 255; }

void Value(indCellRequest& r) {
  const AdjustValue& a = *Find(r.label);
  cmcEeprom& image = r.host.Image();
  int32_t v = ValueOf(image, a);
  const cmcAdjustRule rule{.min = Min(a), .max = Max(a), .step = r.host.ShiftHeld() ? 5 : 1, .noEditor = a.noEditor};
  bool changed = false;
  {
    indCodecScope codec(r);
    changed = AdjustCodec(codec.context, r.capsule, v, rule);
  }
  if (changed) {
    image.SetByte(a.address, static_cast<uint8_t>(v));
    r.mask |= indCellRequest::kMaskLayout;  // the bar follows
  }
  if (a.item > 0)
    r.host.LiveWriteItem(a.item);
  else if (a.item == kByte)
    r.host.LiveWriteByte(a.address);
}

void Bar(indCellRequest& r) {
  const AdjustValue& a = *Find(r.label);
  const int32_t v = ValueOf(r.host.Image(), a);
  if (a.noEditor) {
    char volts[16];
    std::snprintf(volts, sizeof volts, "%3.2fV", v * 5.0 / 255.0);
    r.SetText(volts);
  } else {
    r.SetText(BarText(v, Min(a), Max(a)));
  }
}

void Password(indCellRequest& r) { indRunRow(r, kPassword, 0, indShownText::kNormalised); }

}  // namespace

void indAdjustCells::Register(indCellHandlers& t) {
  t.Set(kPassword.label, Password);
  for (const std::span<const AdjustValue> table : kTables) {
    for (const AdjustValue& a : table) {
      t.Set(a.label, Value);
      t.Set(a.bar, Bar);
    }
  }
}
