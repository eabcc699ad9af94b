// The adjustment parameter read-outs: unsigned and signed bytes, the base frequency
// word, the coefficient contributions at 10 MHz (from the tracking fit's own example),
// and that keys and typed texts change nothing.
#include <gtest/gtest.h>

#include "cell/SettingFixture.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcNumberCodecs.h"

namespace {

class AdjParamCells : public SettingFixture {};

TEST_F(AdjParamCells, ReadOuts) {
  // The fit of 100, 110 and 130 at 0, 10 and 20 MHz above the base: slope 51 with
  // exponent 10, curvature 33 with exponent 16 (each adds 5 at 10 MHz).
  SetByte(0xC0, 51);
  SetByte(0xC1, 10);
  SetByte(0xC2, 33);
  SetByte(0xC3, 16);
  SetByte(0xD4, 0xCD);  // -51
  SetByte(0xD5, 10);
  SetByte(0x50, 0x11);
  SetByte(0x51, 0x94);
  SetByte(0xA8, 200);
  SetByte(0x7B, 0xF6);
  SetByte(0xDE, 0x7F);
  SetByte(0xDF, 255);
  const struct {
    int label;
    const char* shown;
  } cases[] = {
      {CL_Adj_Pram_RfPow_Hi, "200"},  {CL_Adj_Pram_Ctcs_CompN, "-10"}, {CL_Adj_Pram_Base_Freq, "4500"},
      {CL_Adj_Pram_Rfp_a1d, " 51"},   {CL_Adj_Pram_Rfp_a1s, " 10"},    {CL_Adj_Pram_Rfp_A1, "  5"},
      {CL_Adj_Pram_Rfp_A2, "  5"},    {CL_Adj_Pram_BpfT2_A1, " -5"},   {CL_Adj_Pram_TxLva_A2, "  0"},
      {CL_Adj_Pram_Rssi_Lev1, "  0"},
  };
  for (const auto& c : cases) EXPECT_EQ(Draw(c.label, 0, CT_ADJ).text, c.shown) << c.label;
}

TEST_F(AdjParamCells, ReadOnly) {
  SetByte(0xA8, 200);
  Key(CL_Adj_Pram_RfPow_Hi, kKeyArrowRight, 0, CT_ADJ);
  Key(CL_Adj_Pram_RfPow_Hi, ' ', 0, CT_ADJ);
  EXPECT_EQ(Key(CL_Adj_Pram_RfPow_Hi, 13, 0, CT_ADJ).result, 0);
  Commit(CL_Adj_Pram_RfPow_Hi, "7", 0, CT_ADJ);
  EXPECT_EQ(Byte(0xA8), 200);
}

}  // namespace
