// The popup block operations: ranges, questions, status texts, events, attribute
// handling of the channel clipboard and the scan-list fix-ups of a carry.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "ChannelTestImage.h"
#include "channel/datCh.h"
#include "channel/datChBlockOps.h"
#include "image/cmcImageMap.h"
#include "runtime/cmcScriptedPrompts.h"

namespace {

// Stands in for the shell: texts are their keys, and the insert and delete events run
// the channel moves and resize the bank as the model controller does.
class FakeHost : public datChBlockHost {
 public:
  explicit FakeHost(cmcEeprom* image, const cmcEeprom* defaults) : banks(image, defaults) {}
  std::string Text(const std::string& key) override { return key; }
  void Status(const std::string& text) override { status.push_back(text); }
  void Post(int code, int arg, int, const std::string&) override { posted.emplace_back(code, arg); }
  void Send(int code, const dst_BankContext& bank, int row) override {
    sent.push_back({code, row, bulk});
    if (code == kEvInsertChannel) {
      banks.InsertChannel(1, row, 128);
      banks.SetBankCount(bank.bank, banks.BankCount(bank.bank) + 1);
    } else if (code == kEvDeleteChannel) {
      banks.DeleteChannel(1, row, 128);
      banks.SetBankCount(bank.bank, banks.BankCount(bank.bank) - 1);
    } else if (code == kEvInsertAlias) {
      banks.IncMdcAliasCount();
    } else if (code == kEvDeleteAlias) {
      banks.DecMdcAliasCount();
    }
  }
  void RecomputeMemory() override { ++recomputed; }
  void SetBulkDelete(bool on) override { bulk = on; }

  struct Sent {
    int code;
    int row;
    bool bulk;
  };
  datChBank banks;
  std::vector<std::string> status;
  std::vector<std::pair<int, int>> posted;
  std::vector<Sent> sent;
  int recomputed = 0;
  bool bulk = false;
};

class BlockOps : public ::testing::Test {
 protected:
  void SetUp() override {
    image.SetSize(cmcEeprom::kImageSize);
    defaults.SetSize(cmcEeprom::kImageSize);
    image.SetWord(cmcImageMap::kBankCounts, 10);  // bank 0: 0–9, bank 1: 10–19
    image.SetWord(cmcImageMap::kBankCounts + 2, 10);
    image.SetByte(cmcImageMap::kPriorityFlags, 0x10);
    image.SetByte(cmcImageMap::kEmergencyFlags, 0x40);
    image.SetByte(cmcImageMap::kPriorityChannel, 100);
    image.SetByte(cmcImageMap::kEmergencyChannel, 100);
    image.SetByte(cmcImageMap::kStartChannel, 100);
    for (int n = 0; n < 8; ++n) Use(n);
    for (int n = 10; n < 16; ++n) Use(n);
  }
  void Use(int n) {
    datCh ch(&image);
    ch.Load(1, n);
    ch.freqR = 450000000 + static_cast<uint32_t>(n);
    ch.inUse = true;
    ch.Store();
  }
  uint32_t FreqOf(int n) {
    datCh ch(&image);
    ch.Load(1, n);
    return ch.freqR;
  }
  dst_BankContext Bank(int b) { return datChBank(&image).Context(b); }
  dst_ChBlock Selected(int lo, int hi) {
    dst_ChBlock r;
    r.multiSel = dst_ChBlock::kSelBlock;
    r.rangeLo = lo;
    r.rangeHi = hi;
    return r;
  }
  void Run(int cmd, dst_ChBlock& req, int row, int bank = 0, int category = 2, int kind = 1) {
    ops.Run(cmd, req, category, kind, row, Bank(bank));
  }

  cmcEeprom image;
  cmcEeprom defaults;
  datClipCh clip;
  cmcScriptedPrompts prompts;
  FakeHost host{&image, &defaults};
  datChBlockOps ops{&image, &defaults, clip, prompts, host};
};

TEST_F(BlockOps, CopySelectsTheBlockCutToTheBank) {
  dst_ChBlock req = Selected(8, 12);
  Run(datChBlockOps::kCmdCopy, req, 8);
  EXPECT_EQ(clip.Kind(), 1);
  EXPECT_EQ(clip.First(), 8);
  EXPECT_EQ(clip.Count(), 2);
  EXPECT_EQ(req.multiSel & dst_ChBlock::kSelResult, dst_ChBlock::kSelResult);
  EXPECT_EQ(req.rangeLo, 8);
  EXPECT_EQ(req.rangeHi, 9);
  EXPECT_EQ(host.status, std::vector<std::string>{"GI_AppMess_S_Copy"});
}

TEST_F(BlockOps, CopyRefusesARowOutsideTheRange) {
  dst_ChBlock req;
  Run(datChBlockOps::kCmdCopy, req, 12, 0);  // row 12 is not in bank 0
  EXPECT_EQ(clip.Kind(), 0);
  EXPECT_TRUE(host.status.empty());
}

TEST_F(BlockOps, PasteOfThreeTwoRowsBeforeTheBankEndPastesTwoAndAsksNothingOnBlankRows) {
  dst_ChBlock req = Selected(1, 3);
  Run(datChBlockOps::kCmdCopy, req, 1);
  dst_ChBlock paste;
  Run(datChBlockOps::kCmdPaste, paste, 8);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(FreqOf(8), 450000001u);
  EXPECT_EQ(FreqOf(9), 450000002u);
  EXPECT_EQ(FreqOf(10), 450000010u);
  EXPECT_EQ(paste.rangeLo, 8);
  EXPECT_EQ(paste.rangeHi, 9);
  EXPECT_EQ(host.posted.back(), std::make_pair(13, 0));
  EXPECT_EQ(host.status.back(), "GI_AppMess_S_Paste");
}

TEST_F(BlockOps, PasteOverAChannelInUseAsksAndCancelKeepsTheImage) {
  dst_ChBlock req;
  Run(datChBlockOps::kCmdCopy, req, 1);
  cmcEeprom before;
  before.Assign(image);
  prompts.answers.push_back(cmcPromptAnswer::Cancel);
  dst_ChBlock paste;
  Run(datChBlockOps::kCmdPaste, paste, 4);
  ASSERT_EQ(prompts.asked.size(), 1u);
  EXPECT_EQ(prompts.asked[0].icon, cmcPromptIcon::Warning);
  EXPECT_EQ(prompts.asked[0].buttons, cmcPromptButtons::OkCancel);
  EXPECT_EQ(prompts.asked[0].caption, "GI_Sys_AppTitle");
  EXPECT_EQ(prompts.asked[0].text, "GI_AppMess_Conv_Overwrite");
  EXPECT_TRUE(image.Equals(before));
  Run(datChBlockOps::kCmdPaste, paste, 4);  // answered OK
  EXPECT_EQ(FreqOf(4), 450000001u);
  EXPECT_EQ(host.posted.back(), std::make_pair(16, 4));
}

TEST_F(BlockOps, PasteRefusesAnotherKind) {
  dst_ChBlock req;
  Run(datChBlockOps::kCmdCopy, req, 1);
  cmcEeprom before;
  before.Assign(image);
  dst_ChBlock paste;
  Run(datChBlockOps::kCmdPaste, paste, 2, 0, 8, 6);  // DTMF list
  EXPECT_TRUE(image.Equals(before));
  EXPECT_TRUE(host.status.size() == 1);
}

TEST_F(BlockOps, PastedPriorityChannelMovesThePointerAndKeepsTheDestinationBankFlag) {
  image.SetByte(cmcImageMap::kPriorityChannel, 2);
  datChBank(&image).SetBankFlag(1, true);
  dst_ChBlock req;
  Run(datChBlockOps::kCmdCopy, req, 2);
  dst_ChBlock paste;
  Run(datChBlockOps::kCmdPaste, paste, 17, 1);
  EXPECT_EQ(image.GetByte(cmcImageMap::kPriorityChannel), 17);
  EXPECT_EQ(image.GetByte(cmcImageMap::kBankFlags), 0x40);
  datCh ch(&image);
  ch.Load(1, 17);
  EXPECT_TRUE(ch.HasAttr(datCh::kAttrSmarTrunk));
  EXPECT_TRUE(ch.HasAttr(datCh::kAttrPriority));
}

TEST_F(BlockOps, CarryDownSwapsRowsAndItsScanReferences) {
  const int list = cmcImageMap::kScanLists + 18 * 2;
  image.SetByte(list + 16, 6);  // priority reference: the row passed over
  image.SetByte(list + 17, 5);  // the carried row
  image.SetByte(list + 14, 9);  // elsewhere
  dst_ChBlock req;
  Run(datChBlockOps::kCmdCarryDown, req, 5);
  EXPECT_EQ(image.GetByte(list + 16), 5);
  EXPECT_EQ(image.GetByte(list + 17), 6);
  EXPECT_EQ(image.GetByte(list + 14), 9);
  EXPECT_EQ(FreqOf(5), 450000006u);
  EXPECT_EQ(FreqOf(6), 450000005u);
  EXPECT_EQ(req.rangeLo, 6);
  EXPECT_EQ(req.rangeHi, 6);
  EXPECT_TRUE(req.jump);
  EXPECT_EQ(req.jumpRow, 6);
}

TEST_F(BlockOps, CarryUpOfABlockPutsTheNeighbourAtItsOldLastRow) {
  const int list = cmcImageMap::kScanLists;
  image.SetByte(list + 14, 2);
  image.SetByte(list + 15, 4);
  dst_ChBlock req = Selected(3, 4);
  Run(datChBlockOps::kCmdCarryUp, req, 3);
  EXPECT_EQ(FreqOf(2), 450000003u);
  EXPECT_EQ(FreqOf(3), 450000004u);
  EXPECT_EQ(FreqOf(4), 450000002u);
  EXPECT_EQ(image.GetByte(list + 14), 4);  // neighbour moved past the block of two
  EXPECT_EQ(image.GetByte(list + 15), 3);
  EXPECT_EQ(req.rangeLo, 2);
  EXPECT_EQ(req.rangeHi, 3);
  EXPECT_EQ(req.jumpRow, 2);
}

class CarryLimit : public BlockOps, public ::testing::WithParamInterface<std::tuple<int, int, int>> {};

TEST_P(CarryLimit, ABlockAtTheEdgeOfTheRangeDoesNotMove) {
  const auto [command, row, bank] = GetParam();
  cmcEeprom before;
  before.Assign(image);
  dst_ChBlock req;
  Run(command, req, row, bank);
  EXPECT_TRUE(image.Equals(before));
  EXPECT_EQ(req.multiSel, 0);
}

INSTANTIATE_TEST_SUITE_P(Edges, CarryLimit,
                         ::testing::Values(std::make_tuple(datChBlockOps::kCmdCarryDown, 9, 0),
                                           std::make_tuple(datChBlockOps::kCmdCarryUp, 10, 1),
                                           std::make_tuple(datChBlockOps::kCmdCarryUp, 0, 0),
                                           std::make_tuple(datChBlockOps::kCmdCarryDown, 19, 1)));

TEST_F(BlockOps, DeleteOfABlockHoldingTheStartChannelShowsTheErrorAndDeletesNothing) {
  image.SetByte(cmcImageMap::kStartChannel, 3);
  cmcEeprom before;
  before.Assign(image);
  dst_ChBlock req = Selected(2, 4);
  Run(datChBlockOps::kCmdDelete, req, 2);
  ASSERT_EQ(prompts.asked.size(), 2u);
  EXPECT_EQ(prompts.asked[0].text, "GI_AppMess_Conv_Delete");
  EXPECT_EQ(prompts.asked[1].icon, cmcPromptIcon::Error);
  EXPECT_EQ(prompts.asked[1].text, "GI_AppMess_ChErr_DelStart");
  EXPECT_TRUE(host.sent.empty());
  EXPECT_TRUE(image.Equals(before));
}

TEST_F(BlockOps, DeleteAsksTheShellOncePerRowAtTheFirstRowUnderTheBulkFlag) {
  image.SetByte(cmcImageMap::kPriorityChannel, 3);
  dst_ChBlock req = Selected(2, 4);
  req.multiSel |= dst_ChBlock::kSelResult;
  Run(datChBlockOps::kCmdDelete, req, 2);
  ASSERT_EQ(host.sent.size(), 3u);
  for (const auto& s : host.sent) {
    EXPECT_EQ(s.code, 27);
    EXPECT_EQ(s.row, 2);
    EXPECT_TRUE(s.bulk);
  }
  EXPECT_FALSE(host.bulk);
  EXPECT_EQ(datChBank(&image).BankCount(0), 7);
  EXPECT_EQ(FreqOf(2), 450000005u);
  EXPECT_FALSE(image.GetByte(cmcImageMap::kPriorityFlags) & 0x10);  // priority turned off
  EXPECT_EQ(req.multiSel & dst_ChBlock::kSelResult, 0);
  EXPECT_TRUE(req.jump);
  EXPECT_EQ(req.jumpRow, 2);
  EXPECT_EQ(host.posted.back(), std::make_pair(13, 0));
  EXPECT_EQ(host.status.back(), "GI_AppMess_S_Delete");
}

TEST_F(BlockOps, DeleteCancelledOrOnBlankRows) {
  prompts.answers.push_back(cmcPromptAnswer::Cancel);
  dst_ChBlock req;
  Run(datChBlockOps::kCmdDelete, req, 2);
  EXPECT_TRUE(host.sent.empty());
  Run(datChBlockOps::kCmdDelete, req, 9);  // not in use: no question
  EXPECT_EQ(prompts.asked.size(), 1u);
  EXPECT_EQ(host.sent.size(), 1u);
}

TEST_F(BlockOps, DeleteAliasesAsksTheShellPerRow) {
  datChBank(&image).SetMdcAliasCount(6);
  dst_ChBlock req = Selected(1, 2);
  Run(datChBlockOps::kCmdDelete, req, 1, 0, 25, 20);
  ASSERT_EQ(host.sent.size(), 2u);
  EXPECT_EQ(host.sent[0].code, 31);
  EXPECT_EQ(host.sent[1].row, 1);
  EXPECT_FALSE(host.sent[0].bulk);
  EXPECT_EQ(datChBank(&image).MdcAliasCount(), 4);
}

TEST_F(BlockOps, ClearingThePriorityChannelTurnsPriorityOffRadioWide) {
  image.SetByte(cmcImageMap::kPriorityChannel, 4);
  for (int i = 0; i < 4; ++i) defaults.SetByte(chtest::M(4, i), 0);
  dst_ChBlock req;
  Run(datChBlockOps::kCmdClear, req, 4);
  EXPECT_EQ(prompts.asked.at(0).text, "GI_AppMess_Conv_Clear");
  EXPECT_EQ(FreqOf(4), 0u);
  EXPECT_FALSE(image.GetByte(cmcImageMap::kPriorityFlags) & 0x10);
  EXPECT_EQ(host.posted.at(0), std::make_pair(16, 4));
  EXPECT_EQ(host.status.back(), "GI_AppMess_S_Clear");
}

TEST_F(BlockOps, ClearCancelledChangesNothing) {
  cmcEeprom before;
  before.Assign(image);
  prompts.answers.push_back(cmcPromptAnswer::Cancel);
  dst_ChBlock req;
  Run(datChBlockOps::kCmdClear, req, 4);
  EXPECT_TRUE(image.Equals(before));
}

TEST_F(BlockOps, RowChangesNeedAKindThatAllowsThem) {
  cmcEeprom before;
  before.Assign(image);
  for (int cmd : {datChBlockOps::kCmdClear, datChBlockOps::kCmdDelete, datChBlockOps::kCmdInsert}) {
    dst_ChBlock req;
    Run(cmd, req, 1, 0, 8, 6);
  }
  EXPECT_TRUE(image.Equals(before));
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_TRUE(host.sent.empty());
}

TEST_F(BlockOps, InsertAsksTheShellPerRowAndRecomputesTheMemory) {
  dst_ChBlock req = Selected(3, 4);
  Run(datChBlockOps::kCmdInsert, req, 3);
  ASSERT_EQ(host.sent.size(), 2u);
  EXPECT_EQ(host.sent[0].code, 26);
  EXPECT_EQ(host.sent[1].row, 3);
  EXPECT_EQ(host.recomputed, 2);
  EXPECT_EQ(datChBank(&image).BankCount(0), 12);
  EXPECT_EQ(FreqOf(5), 450000003u);
  EXPECT_EQ(req.rangeLo, 3);
  EXPECT_EQ(req.rangeHi, 4);
  EXPECT_EQ(host.status.back(), "GI_AppMess_S_Insert");
}

TEST_F(BlockOps, InsertStopsAtOverflowKeepingTheRowsAlreadyInserted) {
  image.SetWord(cmcImageMap::kBankCounts + 2, 116);  // 126 channels
  dst_ChBlock req = Selected(2, 5);
  Run(datChBlockOps::kCmdInsert, req, 2);
  EXPECT_EQ(host.sent.size(), 2u);
  EXPECT_EQ(datChBank(&image).TotalChannels(), 128);
  ASSERT_EQ(prompts.asked.size(), 1u);
  EXPECT_EQ(prompts.asked[0].icon, cmcPromptIcon::Error);
  EXPECT_EQ(prompts.asked[0].text, "GI_AppMess_ChErr_Overflow");
  EXPECT_TRUE(host.status.empty());
}

TEST_F(BlockOps, InsertRefusedWhenTheBudgetHasNoRoom) {
  image.SetWord(cmcImageMap::kBudgetWord2, 15231 - 37);
  dst_ChBlock req;
  Run(datChBlockOps::kCmdInsert, req, 2);
  EXPECT_TRUE(host.sent.empty());
  EXPECT_EQ(prompts.asked.at(0).text, "GI_AppMess_ChErr_Overflow");
}

TEST_F(BlockOps, InsertAliasRefusedAtOneHundred) {
  datChBank(&image).SetMdcAliasCount(100);
  dst_ChBlock req;
  Run(datChBlockOps::kCmdInsert, req, 100, 0, 25, 20);
  EXPECT_TRUE(host.sent.empty());
  datChBank(&image).SetMdcAliasCount(5);
  Run(datChBlockOps::kCmdInsert, req, 5, 0, 25, 20);  // the new-alias row
  ASSERT_EQ(host.sent.size(), 1u);
  EXPECT_EQ(host.sent[0].code, 30);
}

TEST_F(BlockOps, InsertOnAnEmptyBankUsesItsNewChannelRow) {
  dst_ChBlock req;
  Run(datChBlockOps::kCmdInsert, req, 20, 2);
  ASSERT_EQ(host.sent.size(), 1u);
  EXPECT_EQ(host.sent[0].row, 20);
}

TEST_F(BlockOps, CarryingABankDownExchangesChannelsCountsAndFlags) {
  image.SetWord(cmcImageMap::kBankCounts, 2);  // bank 0: 0–1, bank 1: 2–4
  image.SetWord(cmcImageMap::kBankCounts + 2, 3);
  datChBank(&image).SetBankFlag(0, true);
  dst_ChBlock req;
  ops.Run(datChBlockOps::kCmdCarryDown, req, datChBlockOps::kCategoryBank, 1, 0, {});
  const uint32_t expected[5] = {2, 3, 4, 0, 1};
  for (int n = 0; n < 5; ++n) EXPECT_EQ(FreqOf(n), 450000000u + expected[n]) << n;
  datChBank banks(&image);
  EXPECT_EQ(banks.BankCount(0), 3);
  EXPECT_EQ(banks.BankCount(1), 2);
  EXPECT_EQ(image.GetByte(cmcImageMap::kBankFlags), 0x40);
  EXPECT_EQ(req.rangeLo, 1);
  EXPECT_EQ(req.mask & 0x20, 0x20);
  EXPECT_EQ(host.posted.at(0).first, 35);
  EXPECT_EQ(host.posted.at(1), std::make_pair(37, 0));
}

struct RangeCase {
  int category;
  int kind;
  int bank;
  int aliases;
  int lo;
  int hi;
};

class AllowedRanges : public BlockOps, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(AllowedRanges, KindRangeNarrowed) {
  const RangeCase& c = GetParam();
  int lo = -5, hi = -5;
  datChBlockOps::AllowedRange(c.category, c.kind, Bank(c.bank), c.aliases, lo, hi);
  EXPECT_EQ(lo, c.lo);
  EXPECT_EQ(hi, c.hi);
}

INSTANTIATE_TEST_SUITE_P(Table, AllowedRanges,
                         ::testing::Values(RangeCase{2, 1, 1, 0, 10, 19}, RangeCase{3, 2, 0, 0, 0, 9},
                                           RangeCase{4, 1, 1, 0, 0, 127},  // channel window: whole array
                                           RangeCase{25, 20, 0, 7, 0, 6}, RangeCase{9, 7, 0, 0, 0, 16},
                                           RangeCase{13, 12, 0, 0, 1, 10}, RangeCase{2, 1, 2, 0, 20, 19}));

TEST_F(BlockOps, RestoreModeTakesTheDestinationAttributes) {
  image.SetByte(cmcImageMap::kPriorityChannel, 6);
  defaults.SetByte(cmcImageMap::kPriorityFlags, 0x10);
  defaults.SetByte(cmcImageMap::kPriorityChannel, 1);  // default record 1 is the default priority channel
  ops.RestoreRows(1, 1, 1);
  EXPECT_EQ(image.GetByte(cmcImageMap::kPriorityChannel), 6);
  // Without restore mode the pasted record brings its own priority along.
  clip.Copy(&defaults, 1, 1, 1);
  clip.Paste(&image, 1, 1, 1);
  EXPECT_EQ(image.GetByte(cmcImageMap::kPriorityChannel), 1);
}

TEST_F(BlockOps, UserCharactersDeleteWithinTheirTable) {
  for (int n = 0; n < 16; ++n) image.SetWord(0xA12E + 2 * n, 0x100 + n);
  defaults.SetWord(0xA12E + 2 * 15, 0x0F0F);
  dst_ChBlock req;
  ops.Run(datChBlockOps::kCmdDelete, req, 7, 5, 3, {});
  EXPECT_EQ(image.GetWord(0xA12E + 2 * 3), 0x104);
  EXPECT_EQ(image.GetWord(0xA12E + 2 * 14), 0x10F);
  EXPECT_EQ(image.GetWord(0xA12E + 2 * 15), 0x0F0F);
  EXPECT_TRUE(host.sent.empty());
}

}  // namespace
