#include "cell/indAdjParamCells.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "cell/cmcCellIds.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"
#include "image/cmcEeprom.h"

namespace {

enum class Form : uint8_t {
  Byte,    // the byte, 0-255
  Signed,  // the byte, -128-127
  Word,    // the big-endian word at the address
  First,   // signed coefficient at the address, exponent e after it: coefficient × 100 / 2^e
  Second,  // the same for a second-order one: coefficient × 100² / 2^e
};

struct Param {
  int label;
  int address;
  Form form;
};

using enum Form;

// The frequency offset of the coefficient read-outs: 10 MHz in the tracking fit's
// units of 100 kHz.
constexpr double kOffset = 100;

// clang-format off
constexpr Param kParams[] = {
  {CL_Adj_Pram_RfPow_Hi,          0xA8, Byte},
  {CL_Adj_Pram_RfPow_L2,          0xA7, Byte},
  {CL_Adj_Pram_RfPow_L1,          0xA6, Byte},
  {CL_Adj_Pram_Bal_N,             0x67, Byte},
  {CL_Adj_Pram_Bal_M,             0x6B, Byte},
  {CL_Adj_Pram_Bal_W,             0x63, Byte},
  {CL_Adj_Pram_Bal_CompN,         0x75, Signed},
  {CL_Adj_Pram_Bal_CompM,         0x74, Signed},
  {CL_Adj_Pram_Bal_CompW,         0x73, Signed},
  {CL_Adj_Pram_Mod_N,             0x66, Byte},
  {CL_Adj_Pram_Mod_M,             0x6A, Byte},
  {CL_Adj_Pram_Mod_W,             0x62, Byte},
  {CL_Adj_Pram_Mod_CompN,         0x78, Signed},
  {CL_Adj_Pram_Mod_CompM,         0x77, Signed},
  {CL_Adj_Pram_Mod_CompW,         0x76, Signed},
  // The CTCSS tone deviation: the common (older) value and the per-width ones.
  {CL_Adj_Pram_Ctcs_Common,       0x5B, Byte},
  {CL_Adj_Pram_Ctcs_W,            0x61, Byte},
  {CL_Adj_Pram_Ctcs_M,            0x69, Byte},
  {CL_Adj_Pram_Ctcs_N,            0x65, Byte},
  {CL_Adj_Pram_Ctcs_CompW,        0x79, Signed},
  {CL_Adj_Pram_Ctcs_CompM,        0x7A, Signed},
  {CL_Adj_Pram_Ctcs_CompN,        0x7B, Signed},
  {CL_Adj_Pram_Sql_Level,         0xAD, Byte},
  {CL_Adj_Pram_Ref_Level,         0x53, Byte},
  {CL_Adj_Pram_Bpf_Corr,          0x56, Byte},
  {CL_Adj_Pram_Bpf_T1,            0x54, Byte},
  {CL_Adj_Pram_Bpf_T2,            0x55, Byte},
  {CL_Adj_Pram_RxLva_Level,       0x5C, Byte},
  {CL_Adj_Pram_TxLva_Level,       0x5D, Byte},
  {CL_Adj_Pram_Rfp_TempSlant,     0x80, Signed},
  {CL_Adj_Pram_Bal_TempSlant,     0x7D, Signed},
  {CL_Adj_Pram_Mod_TempSlant,     0x7E, Signed},
  {CL_Adj_Pram_Tone_TempSlant,    0x7F, Signed},
  {CL_Adj_Pram_Sql_TempSlant,     0x7C, Signed},
  {CL_Adj_Pram_BpfT1_TempSlant,   0x81, Signed},
  {CL_Adj_Pram_BpfT2_TempSlant,   0x82, Signed},
  {CL_Adj_Pram_RxLva_TempSlant,   0x83, Signed},
  {CL_Adj_Pram_TxLva_TempSlant,   0x84, Signed},
  {CL_Adj_Pram_Base_Freq,         0x50, Word},
  {CL_Adj_Pram_Rssi_Lev1,         0xA9, Byte},
  {CL_Adj_Pram_Rssi_Lev6,         0xAA, Byte},
  {CL_Adj_Pram_Rfp_a1d,           0xC0, Signed},
  {CL_Adj_Pram_Rfp_a1s,           0xC1, Byte},
  {CL_Adj_Pram_Rfp_A1,            0xC0, First},
  {CL_Adj_Pram_Rfp_a2d,           0xC2, Signed},
  {CL_Adj_Pram_Rfp_a2s,           0xC3, Byte},
  {CL_Adj_Pram_Rfp_A2,            0xC2, Second},
  {CL_Adj_Pram_Ctn_a1d,           0xC4, Signed},
  {CL_Adj_Pram_Ctn_a1s,           0xC5, Byte},
  {CL_Adj_Pram_Ctn_A1,            0xC4, First},
  {CL_Adj_Pram_Ctn_a2d,           0xC6, Signed},
  {CL_Adj_Pram_Ctn_a2s,           0xC7, Byte},
  {CL_Adj_Pram_Ctn_A2,            0xC6, Second},
  {CL_Adj_Pram_Dev_a1d,           0xC8, Signed},
  {CL_Adj_Pram_Dev_a1s,           0xC9, Byte},
  {CL_Adj_Pram_Dev_A1,            0xC8, First},
  {CL_Adj_Pram_Dev_a2d,           0xCA, Signed},
  {CL_Adj_Pram_Dev_a2s,           0xCB, Byte},
  {CL_Adj_Pram_Dev_A2,            0xCA, Second},
  {CL_Adj_Pram_Bal_a1d,           0xCC, Signed},
  {CL_Adj_Pram_Bal_a1s,           0xCD, Byte},
  {CL_Adj_Pram_Bal_A1,            0xCC, First},
  {CL_Adj_Pram_Bal_a2d,           0xCE, Signed},
  {CL_Adj_Pram_Bal_a2s,           0xCF, Byte},
  {CL_Adj_Pram_Bal_A2,            0xCE, Second},
  {CL_Adj_Pram_BpfT1_a1d,         0xD0, Signed},
  {CL_Adj_Pram_BpfT1_a1s,         0xD1, Byte},
  {CL_Adj_Pram_BpfT1_A1,          0xD0, First},
  {CL_Adj_Pram_BpfT1_a2d,         0xD2, Signed},
  {CL_Adj_Pram_BpfT1_a2s,         0xD3, Byte},
  {CL_Adj_Pram_BpfT1_A2,          0xD2, Second},
  {CL_Adj_Pram_BpfT2_a1d,         0xD4, Signed},
  {CL_Adj_Pram_BpfT2_a1s,         0xD5, Byte},
  {CL_Adj_Pram_BpfT2_A1,          0xD4, First},
  {CL_Adj_Pram_BpfT2_a2d,         0xD6, Signed},
  {CL_Adj_Pram_BpfT2_a2s,         0xD7, Byte},
  {CL_Adj_Pram_BpfT2_A2,          0xD6, Second},
  {CL_Adj_Pram_RxLva_a1d,         0xD8, Signed},
  {CL_Adj_Pram_RxLva_a1s,         0xD9, Byte},
  {CL_Adj_Pram_RxLva_A1,          0xD8, First},
  {CL_Adj_Pram_RxLva_a2d,         0xDA, Signed},
  {CL_Adj_Pram_RxLva_a2s,         0xDB, Byte},
  {CL_Adj_Pram_RxLva_A2,          0xDA, Second},
  {CL_Adj_Pram_TxLva_a1d,         0xDC, Signed},
  {CL_Adj_Pram_TxLva_a1s,         0xDD, Byte},
  {CL_Adj_Pram_TxLva_A1,          0xDC, First},
  {CL_Adj_Pram_TxLva_a2d,         0xDE, Signed},
  {CL_Adj_Pram_TxLva_a2s,         0xDF, Byte},
  {CL_Adj_Pram_TxLva_A2,          0xDE, Second},
};
// clang-format on

// What a coefficient byte with its exponent adds at offset^power, to the nearest
// integer (halves away from zero). Exponents are limited to 30.
long Contribution(const cmcEeprom& image, int address, int power) {
  const int coefficient = static_cast<int8_t>(image.GetByte(address));
  const int exponent = std::min<int>(image.GetByte(address + 1), 30);
  const double x = coefficient * std::pow(kOffset, power) / std::ldexp(1.0, exponent);
  return std::lround(x);
}

void ReadOut(indCellRequest& r) {
  const Param& p =
      *std::find_if(std::begin(kParams), std::end(kParams), [&](const Param& q) { return q.label == r.label; });
  const cmcEeprom& image = r.host.Image();
  long v = 0;
  switch (p.form) {
    case Byte:
      v = image.GetByte(p.address);
      break;
    case Signed:
      v = static_cast<int8_t>(image.GetByte(p.address));
      break;
    case Word:
      v = image.GetWord(p.address);
      break;
    case First:
      v = Contribution(image, p.address, 1);
      break;
    case Second:
      v = Contribution(image, p.address, 2);
      break;
  }
  char text[24];
  std::snprintf(text, sizeof text, "%3ld", v);
  r.SetText(text);
}

}  // namespace

void indAdjParamCells::Register(indCellHandlers& t) {
  for (const Param& p : kParams) t.Set(p.label, ReadOut);
}
