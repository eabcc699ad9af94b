// Empty rows: typing on a channel that is not in use or on the new-channel row starts
// at the receive frequency; the new-channel row adds a channel, or refuses one when
// the memory is full; a new MDC alias row starts at the alias name.
#include <gtest/gtest.h>

#include "CellTestHost.h"
#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellObj.h"
#include "cell/indActiveCell.h"
#include "cell/indCellRequest.h"
#include "channel/datChBank.h"
#include "image/cmcImageMap.h"
#include "support/CellRequest.h"

namespace {

class BlankRows : public ::testing::Test {
 protected:
  CellReply Send(int category, int label, int row, int key) {
    CellRequest r(category, label, row, key);
    r.fromSheet = false;
    return SendCellRequest(active_, r);
  }
  int BankCount(int b) { return datChBank(&host_.image).BankCount(b); }

  celltest::Host host_;
  indActiveCell active_{host_};
};

TEST_F(BlankRows, TypingOnAnEmptyChannelJumpsToItsReceiveFrequency) {
  struct Case {
    int family, category, label, row, key;
    int jumpLabel;  // 0: no jump
    const char* why;
  };
  const Case cases[] = {
      {0, CT_Mch, CL_Mch_Text, 9, '4', CL_Mch_FreqR, "a digit on the name of a channel not in use"},
      {0, CT_Mch_Win, CL_Mch_RfPo, 9, ' ', CL_Mch_FreqR, "the memory channel window too"},
      {1, CT_Mch, CL_Mch_Text_Pmr, 9, '4', CL_Mch_FreqR_Pmr, "PMR radios use the PMR labels"},
      {2, CT_Mch, CL_Mch_Text, 9, '4', CL_Mch_FreqR, "QarnPmr radios use the plain labels"},
      {0, CT_Mch_Pmr446, CL_Mch_CTone_R_Pmr446, 9, '4', CL_Mch_FreqR_Pmr446, "the PMR446 sheet"},
      {0, CT_Mch, CL_Mch_Atr, 9, 13, 0, "Enter on the attribute of an empty channel"},
      {0, CT_Mch, CL_Mch_Text, 9, 0x2600, 0, "arrow keys never start typing"},
      {0, CT_Mch, CL_Mch_Text, 2, '4', 0, "a channel in use"},
      {0, CT_Mch, CL_Mch_FreqR, 9, '4', 0, "already on the receive frequency"},
      {0, CT_Mch, CL_Mch_Atr, 16, '4', CL_Mch_FreqR, "the new-channel row's attribute jumps too"},
      {0, CT_Mch_Check, CL_Mch_Text, 9, '4', 0, "check sheets have no blank rows"},
  };
  for (const auto& c : cases) {
    host_.family = c.family;
    const CellReply r = Send(c.category, c.label, c.row, c.key);
    EXPECT_EQ(r.jump.set != 0, c.jumpLabel != 0) << c.why;
    if (!c.jumpLabel) continue;
    EXPECT_EQ(r.jump.label, static_cast<uint32_t>(c.jumpLabel)) << c.why;
    EXPECT_EQ(r.jump.category, static_cast<uint32_t>(c.category)) << c.why;
    EXPECT_EQ(r.jump.index, c.row) << c.why;
    EXPECT_EQ(r.repeatKey, c.key) << c.why << ": the key is replayed there";
    EXPECT_EQ(r.text, "") << c.why;
  }
}

TEST_F(BlankRows, EmptyRowsDrawEmptyButKeepTheirCaptions) {
  EXPECT_EQ(Send(CT_Mch, CL_Mch_Inh, 9, 0).text, "") << "the label switch is skipped";
  EXPECT_EQ(Send(CT_Mch, CL_Mch_Inh, 2, 0).text, "Allowed") << "a channel in use shows its setting";
  EXPECT_EQ(Send(CT_Mch, CL_Mch_No, 9, 0).text, "1- 10");
  EXPECT_EQ(Send(CT_Mch, CL_Mch_No, 16, 0).text, "New");
}

TEST_F(BlankRows, TheNewChannelRowAddsAChannelOnTheFirstKey) {
  for (const int key : {int{'1'}, int{'.'}, int{' '}, 8, 13}) {
    celltest::Host host;
    indActiveCell dispatch(host);
    cmcCellObj cell;
    cell.category = CT_Mch;
    cell.label = CL_Mch_FreqR;
    cell.index = 16;
    dispatch.RunCell(cell, key);
    ASSERT_EQ(host.block.sent.size(), 1u) << key;
    EXPECT_EQ(host.block.sent[0].code, datChBlockHost::kEvInsertChannel);
    EXPECT_EQ(host.block.sent[0].bank, 0);
    EXPECT_EQ(host.block.sent[0].row, 16);
    EXPECT_EQ(datChBank(&host.image).BankCount(0), 17) << key;
    EXPECT_EQ(host.recomputed, 1) << "the memory figures follow";
    EXPECT_TRUE(host.prompts.asked.empty());
  }
  for (const int key : {0, int{'x'}, 0x2600}) {
    EXPECT_EQ(Send(CT_Mch, CL_Mch_FreqR, 16, key).text, "") << "nothing entered: " << key;
    EXPECT_TRUE(host_.block.sent.empty()) << key;
  }
}

TEST_F(BlankRows, AnEmptyBankTakesItsFirstChannelAtItsStart) {
  host_.SetBanks({4, 4, 0});
  Send(CT_Mch, CL_Mch_FreqR, 8, '1');  // bank 1 ends at 7: row 8 is its new-channel row
  ASSERT_EQ(host_.block.sent.size(), 1u);
  EXPECT_EQ(host_.block.sent[0].bank, 1);
  EXPECT_EQ(host_.block.sent[0].row, 8);
  EXPECT_EQ(BankCount(1), 5);
}

TEST_F(BlankRows, AFullMemoryRefusesTheNewChannel) {
  struct Case {
    int channels;
    int usedWord;  // memory budget word U1
    const char* why;
  };
  const Case cases[] = {
      {128, 0, "128 channels in all banks"},
      {16, 15231 - 22, "the budget has no room for one more channel"},
  };
  for (const auto& c : cases) {
    celltest::Host host;
    indActiveCell dispatch(host);
    host.SetBanks({c.channels});
    host.SetWord(cmcImageMap::kBudgetWord1, c.usedWord);
    cmcCellObj cell;
    cell.category = CT_Mch;
    cell.label = CL_Mch_FreqR;
    cell.index = c.channels;
    EXPECT_EQ(dispatch.CellText(cell, '1'), "") << c.why;
    EXPECT_TRUE(host.block.sent.empty()) << c.why;
    EXPECT_EQ(datChBank(&host.image).TotalChannels(), c.channels) << c.why;
    ASSERT_EQ(host.prompts.asked.size(), 1u) << c.why;
    EXPECT_EQ(host.prompts.asked[0].icon, cmcPromptIcon::Error);
    EXPECT_EQ(host.prompts.asked[0].caption, "GI_Sys_AppTitle");
    EXPECT_EQ(host.prompts.asked[0].text, "GI_AppMess_ChErr_Overflow");
  }
}

TEST_F(BlankRows, ANewAliasRowStartsAtTheAliasName) {
  host_.SetWord(cmcImageMap::kMdcAliasCount, 3);
  const CellReply r = Send(CT_MDC_Alias, CL_Mdc_Alias1_ID, 3, '7');
  EXPECT_TRUE(r.jump.set);
  EXPECT_EQ(r.jump.label, static_cast<uint32_t>(CL_Mdc_Alias1_Text));
  EXPECT_EQ(r.repeatKey, '7');
  EXPECT_FALSE(Send(CT_MDC_Alias, CL_Mdc_Alias1_ID, 2, '7').jump.set) << "an alias in use";
  EXPECT_FALSE(Send(CT_MDC_Alias, CL_Mdc_Alias1_Text, 3, '7').jump.set) << "already on the name";
}

}  // namespace
