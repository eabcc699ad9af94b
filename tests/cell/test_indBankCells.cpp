// The bank cells in the program: the bank mode switch resets the counts, a bank's
// size grows with blank channels, its SmarTrunk flag is its bit of 0xA090, its name is
// stored in its kind 14 record and announced as the bank's tree caption, and every bank
// label draws and commits unchanged.
#include <gtest/gtest.h>

#include <algorithm>

#include "ProgramCells.h"
#include "cell/cmcCellIds.h"
#include "cell/indCellRequest.h"
#include "channel/datChBank.h"

namespace {

constexpr int kBankFlags = 0xA090;
constexpr int kBankNames = 0xA1D7;

class BankCells : public ProgramCells {
 protected:
  datChBank Banks() { return datChBank(&Image(), &p_.main.Initial()); }
};

TEST_F(BankCells, TheBankModeSwitchResetsTheCounts) {
  Banks().SetBankMode(false);
  EXPECT_EQ(Draw(CT_BankOp, CL_Bank_SelBankFree, 0).text, "Off (one channel list)");
  const Reply r = Send(CT_BankOp, CL_Bank_SelBankFree, 0, ' ');
  EXPECT_EQ(Banks().BankCount(0), 4);
  EXPECT_EQ(Banks().BankCount(1), 4);
  EXPECT_TRUE(r.mask & indCellRequest::kMaskLayout);
  EXPECT_EQ(Draw(CT_BankOp, CL_Bank_SelBankFree, 0).text, "On (channels in banks)");
}

TEST_F(BankCells, ABankGrowsWithinWhatFits) {
  Banks().SetBankMode(true);
  const Reply r = Type(CT_BankOp, CL_Mch_Bank, 1, "6");
  EXPECT_EQ(Banks().BankCount(1), 6);
  EXPECT_EQ(Banks().BankCount(0), 4) << "the other banks keep their counts";
  EXPECT_TRUE(r.mask & indCellRequest::kMaskAttrOrBank);
  Type(CT_BankOp, CL_Mch_Bank, 1, "500");
  EXPECT_EQ(Banks().BankCount(1), 128 - 4) << "clamped to the channels that still fit";
}

TEST_F(BankCells, SmarTrunkFlagsAndNames) {
  Image().SetByte(kBankFlags, 0);
  Send(CT_BankOp, CL_Mch_SmarTrunk, 2, ' ');
  EXPECT_EQ(Image().GetByte(kBankFlags), 0x20) << "bank 2 is bit 5";
  EXPECT_EQ(Draw(CT_BankOp, CL_Mch_SmarTrunk, 8).text, "----");
  EXPECT_EQ(Draw(CT_BankOp, CL_Bank_SmarTrunk, 0).text, "Non");
  Send(CT_BankOp, CL_Mch_BankText, 3, 0, 2, "AB.D");
  EXPECT_EQ(Image().GetByte(kBankNames + 24), 'A');
  EXPECT_EQ(Image().GetByte(kBankNames + 25), 'B' | 0x80);
  EXPECT_EQ(Image().GetByte(kBankNames + 27), ' ');
  // The new name reaches the tree as the bank's whole caption, its number first.
  p_.clock.Advance(50);
  const auto relabel =
      std::find_if(p_.delivered.rbegin(), p_.delivered.rend(), [](const Program::Seen& e) { return e.code == 36; });
  ASSERT_NE(relabel, p_.delivered.rend());
  EXPECT_EQ(relabel->argument, 3);
  EXPECT_EQ(relabel->text, "4: AB.D");
}

TEST_F(BankCells, EveryBankLabelDrawsAndItsTextCommitsUnchanged) {
  for (int family = 0; family <= 3; ++family) {
    UseFamily(family);
    for (int label = CL_Bank_SelBankFree; label <= CL_Mch_UsedCHs_Left; ++label) {
      for (const int row : {0, 1, 7}) {
        const Reply shown = Draw(CT_BankOp, label, row);
        EXPECT_EQ(shown.text.find("*Yet*"), std::string::npos) << label;
        cmcEeprom before;
        before.Assign(Image());
        Type(CT_BankOp, label, row, shown.text);
        EXPECT_TRUE(Image().Equals(before)) << "family " << family << " label " << label << " row " << row;
      }
    }
  }
}

}  // namespace
