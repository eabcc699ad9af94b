// The tone pair cells work the pair's tone words and its bit of the map at 0xA0F6.
#include <gtest/gtest.h>

#include "ProgramCells.h"
#include "cell/cmcCellIds.h"

namespace {

constexpr int kTones = 0xA217;
constexpr int kSelMap = 0xA0F6;

class TonePairCells : public ProgramCells {};

TEST_F(TonePairCells, TonesAndSelectionBits) {
  Type(CT_CTone, CL_CTone_RX, 9, "023i");
  EXPECT_EQ(Image().GetByte(kTones + 36) & 0xE1, 0x60) << "DTCS, inverted, on";
  EXPECT_EQ(Image().GetByte(kTones + 37), 023);
  EXPECT_EQ(Draw(CT_CTone, CL_CTone_RX, 9).text, "023I");
  Type(CT_CTone, CL_CTone_TX, 9, "88");
  EXPECT_EQ(Image().GetByte(kTones + 38) & 0xC0, 0x00) << "CTCSS, on";
  EXPECT_EQ(Image().GetByte(kTones + 39), 8);
  const uint8_t before = Image().GetByte(kSelMap + 1);
  Send(CT_CTone, CL_CTone_Sel, 9, ' ');
  EXPECT_EQ(Image().GetByte(kSelMap + 1) ^ before, 0x40) << "pair 9 is bit 6 of the second byte";
}

TEST_F(TonePairCells, EveryPairDrawsAndItsTextCommitsUnchanged) {
  for (int family = 0; family <= 3; ++family) {
    UseFamily(family);
    for (const int label : {CL_CTone_RX, CL_CTone_TX, CL_CTone_Sel}) {
      for (int row = 0; row < 40; row += 13) {
        const Reply shown = Draw(CT_CTone, label, row);
        EXPECT_EQ(shown.text.find("*Yet*"), std::string::npos);
        cmcEeprom before;
        before.Assign(Image());
        Type(CT_CTone, label, row, shown.text);
        EXPECT_TRUE(Image().Equals(before)) << family << " " << label << " " << row << " " << shown.text;
      }
    }
  }
}

}  // namespace
