// Bank arithmetic, bank mode, the memory budget, channel delete and insert with
// their scan-list fix-ups, reset from the default image, the bank size change and
// the MDC alias count.
#include <gtest/gtest.h>

#include <vector>

#include "ChannelTestImage.h"
#include "channel/datCh.h"
#include "channel/datChBank.h"
#include "image/cmcImageMap.h"

using chtest::M;
using chtest::X;

namespace {

class Banks : public ::testing::Test {
 protected:
  void SetUp() override {
    image.SetSize(cmcEeprom::kImageSize);
    defaults.SetSize(cmcEeprom::kImageSize);
  }
  void SetCounts(std::vector<int> counts) {
    counts.resize(8, 0);
    for (int b = 0; b < 8; ++b) image.SetWord(cmcImageMap::kBankCounts + 2 * b, counts[static_cast<size_t>(b)]);
  }
  // Channel n in use with receive frequency base + n.
  void Use(int n, uint32_t base = 450000000) {
    datCh ch(&image);
    ch.Load(1, n);
    ch.freqR = base + static_cast<uint32_t>(n);
    ch.inUse = true;
    ch.Store();
  }
  uint32_t FreqOf(int n) {
    datCh ch(&image);
    ch.Load(1, n);
    return ch.freqR;
  }
  int Ref(int list, int j) { return image.GetByte(cmcImageMap::kScanLists + 18 * list + 14 + j); }
  void SetList(int list, int at, int value) {
    image.SetByte(cmcImageMap::kScanLists + 18 * list + at, static_cast<uint8_t>(value));
  }
  int ListByte(int list, int at) { return image.GetByte(cmcImageMap::kScanLists + 18 * list + at); }

  cmcEeprom image;
  cmcEeprom defaults;
  datChBank banks{&image, &defaults};
};

TEST_F(Banks, ChannelsAreNumberedAcrossBanks) {
  SetCounts({10, 5, 0, 20});
  EXPECT_EQ(banks.TotalChannels(), 35);
  EXPECT_EQ(banks.BankFirst(3), 15);
  EXPECT_EQ(banks.BankLast(3), 34);
  EXPECT_EQ(banks.BankLast(2), 14);  // empty bank: first − 1
  EXPECT_EQ(banks.BankOfChannel(14), 1);
  EXPECT_EQ(banks.BankOfChannel(15), 3);
  EXPECT_EQ(banks.BankOfChannel(35), 8);
  EXPECT_EQ(banks.BankOfChannel(-1), 8);
  EXPECT_EQ(banks.BankOfOrdinal(10), 0);
  EXPECT_EQ(banks.BankOfOrdinal(11), 1);
  EXPECT_EQ(banks.BankOfOrdinal(16), 3);
  EXPECT_EQ(banks.BankOfOrdinal(36), 0);  // no bank reaches it
  const dst_BankContext c = banks.Context(1);
  EXPECT_EQ(c.bank, 1);
  EXPECT_EQ(c.first, 10);
  EXPECT_EQ(c.last, 14);
  EXPECT_EQ(c.count, 5);
}

TEST_F(Banks, EmptyFirstBankEndsAtZero) {
  SetCounts({0, 4});
  EXPECT_EQ(banks.BankLast(0), 0);
  EXPECT_EQ(banks.UsedInBank(0), 0);
}

TEST_F(Banks, OutOfRangeBanksReadZeroAndWriteNothing) {
  SetCounts({10});
  cmcEeprom before;
  before.Assign(image);
  EXPECT_EQ(banks.SetBankCount(8, 5), 0);
  EXPECT_EQ(banks.SetBankCount(-1, 5), 0);
  banks.SetBankFlag(8, true);
  EXPECT_TRUE(image.Equals(before));
  EXPECT_EQ(banks.BankCount(8), 0);
  EXPECT_EQ(banks.BankFirst(-1), 0);
  EXPECT_EQ(banks.BankLast(9), 0);
  EXPECT_FALSE(banks.BankFlag(8));
  const dst_BankContext c = banks.Context(8);
  EXPECT_EQ(c.bank + c.first + c.last + c.count, 0);
}

TEST_F(Banks, CountsAreBigEndianWords) {
  EXPECT_EQ(banks.SetBankCount(2, 0x0123), 0x0123);
  EXPECT_EQ(image.GetByte(0xA0CF), 0x01);
  EXPECT_EQ(image.GetByte(0xA0D0), 0x23);
}

TEST_F(Banks, UsedCounts) {
  SetCounts({4, 4});
  Use(1);
  Use(2);
  Use(6);
  Use(20);  // beyond all banks
  EXPECT_EQ(banks.UsedInBank(0), 2);
  EXPECT_EQ(banks.UsedInBank(1), 1);
  EXPECT_EQ(banks.UsedTotal(), 3);
  EXPECT_EQ(banks.UsedInRange(0, 127), 4);
  EXPECT_EQ(banks.UsedInRange(2, 2), 1);
  EXPECT_EQ(banks.UsedInRange(-1, 5), -1);
  EXPECT_EQ(banks.UsedInRange(0, 128), -1);
  EXPECT_EQ(banks.UsedInRange(5, 4), -1);
}

TEST_F(Banks, FlagsAreOneBitPerBankFromBitSeven) {
  banks.SetBankFlag(0, true);
  banks.SetBankFlag(6, true);
  EXPECT_EQ(image.GetByte(cmcImageMap::kBankFlags), 0x82);
  banks.SetBankFlag(0, false);
  EXPECT_EQ(image.GetByte(cmcImageMap::kBankFlags), 0x02);
  EXPECT_TRUE(banks.BankFlag(6));
}

TEST_F(Banks, BankModeResetsTheCounts) {
  SetCounts({3, 7, 9, 1, 1, 1, 1, 1});
  banks.SetBankMode(false);
  EXPECT_FALSE(banks.BankMode());
  const int off[8] = {128, 0, 0, 0, 0, 0, 0, 0};
  for (int b = 0; b < 8; ++b) EXPECT_EQ(banks.BankCount(b), off[b]) << b;
  banks.SetBankMode(true);
  EXPECT_TRUE(banks.BankMode());
  const int on[8] = {4, 4, 0, 0, 0, 0, 0, 0};
  for (int b = 0; b < 8; ++b) EXPECT_EQ(banks.BankCount(b), on[b]) << b;
}

// ---- memory budget ----

struct RoomCase {
  int category;
  int u1;
  int u2;
  int k;
  bool room;
};

class Budget : public Banks, public ::testing::WithParamInterface<RoomCase> {};

TEST_P(Budget, RoomFor) {
  const RoomCase& c = GetParam();
  image.SetWord(cmcImageMap::kBudgetWord1, c.u1);
  image.SetWord(cmcImageMap::kBudgetWord2, c.u2);
  EXPECT_EQ(banks.RoomFor(c.category, c.k), c.room);
}

INSTANTIATE_TEST_SUITE_P(Limits, Budget,
                         ::testing::Values(
                             // channels: 22k below the room left in U1 (strictly), U2 + 38k up to capacity
                             RoomCase{2, 15208, 0, 1, true}, RoomCase{2, 15209, 0, 1, false},
                             RoomCase{4, 0, 15193, 1, true}, RoomCase{5, 0, 15194, 1, false},
                             RoomCase{6, 0, 0, 400, true}, RoomCase{6, 0, 0, 401, false},
                             RoomCase{2, 15231, 0, 0, false},
                             // MDC aliases: U1 below capacity, U2 + 12k up to capacity
                             RoomCase{25, 15230, 15219, 1, true}, RoomCase{25, 15231, 0, 1, false},
                             RoomCase{25, 0, 15220, 1, false},
                             // other categories: U2 up to capacity, whatever k
                             RoomCase{9, 20000, 15231, 1000, true}, RoomCase{3, 0, 15232, 0, false}));

TEST_F(Banks, MostThatFitCountsDown) {
  image.SetWord(cmcImageMap::kBudgetWord2, 15231 - 38 * 3);
  EXPECT_EQ(banks.MostThatFit(2, 10), 3);
  EXPECT_EQ(banks.MostThatFit(2, 2), 2);
  EXPECT_EQ(banks.MostThatFit(2, 0), 0);
  image.SetWord(cmcImageMap::kBudgetWord1, 15231);
  EXPECT_EQ(banks.MostThatFit(2, 10), 0);
}

// ---- delete and insert ----

struct RefCase {
  const char* what;
  int at;      // the list byte holding the reference kind nibble
  int before;  // its value
  int ref;     // reference byte 14–17 that names the deleted channel
  int after;   // the kind byte after the delete
  int byte8After;
};

class DeleteRefs : public Banks, public ::testing::WithParamInterface<RefCase> {};

TEST_P(DeleteRefs, ReferenceToTheDeletedChannelFallsBack) {
  const RefCase& c = GetParam();
  SetList(4, 8, 0xA5);
  SetList(4, 12, 0);
  SetList(4, 13, 0);
  SetList(4, c.at, c.before);
  for (int j = 0; j < 4; ++j) SetList(4, 14 + j, 14 + j == c.ref ? 3 : 2);
  EXPECT_EQ(banks.DeleteChannel(1, 3, 128), 0x28);
  EXPECT_EQ(ListByte(4, c.ref), 0) << c.what;
  EXPECT_EQ(ListByte(4, c.at), c.after) << c.what;
  EXPECT_EQ(ListByte(4, 8), c.byte8After) << c.what;
  for (int j = 14; j < 18; ++j) {
    if (j != c.ref) {
      EXPECT_EQ(ListByte(4, j), 2) << c.what;  // below the deleted channel: kept
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Table, DeleteRefs,
                         ::testing::Values(RefCase{"transmit reference", 12, 0x5B, 14, 0x0B, 0xA5},
                                           RefCase{"transmit, other kind", 12, 0x4B, 14, 0x4B, 0xA5},
                                           RefCase{"cancel reference", 12, 0x35, 15, 0x30, 0xA5},
                                           RefCase{"cancel, other kind", 12, 0x36, 15, 0x36, 0xA5},
                                           RefCase{"first priority", 13, 0x52, 16, 0x12, 0xA5},
                                           RefCase{"first priority, other kind", 13, 0x62, 16, 0x62, 0xA5},
                                           RefCase{"second priority", 13, 0x25, 17, 0x20, 0x25},
                                           RefCase{"second priority, other kind", 13, 0x24, 17, 0x24, 0xA5}));

TEST_F(Banks, DeleteLowersLaterReferencesInEveryList) {
  for (int l = 0; l < 17; ++l) {
    SetList(l, 14, 10);
    SetList(l, 15, 3);
    SetList(l, 17, 127);
  }
  banks.DeleteChannel(1, 3, 128);
  for (int l = 0; l < 17; ++l) {
    EXPECT_EQ(Ref(l, 0), 9);
    EXPECT_EQ(Ref(l, 1), 0);
    EXPECT_EQ(Ref(l, 3), 126);
  }
}

TEST_F(Banks, DeleteMovesLaterChannelsDownAndResetsTheLastSlot) {
  SetCounts({4, 4});
  banks.SetBankFlag(1, true);
  for (int n = 0; n < 8; ++n) Use(n);
  image.SetByte(cmcImageMap::kPriorityFlags, 0x10);
  image.SetByte(cmcImageMap::kPriorityChannel, 5);
  for (int i = 0; i < 22; ++i) defaults.SetByte(M(7, i), static_cast<uint8_t>(0x10 + i));
  for (int i = 0; i < 16; ++i) defaults.SetByte(X(7, i), static_cast<uint8_t>(0x70 + i));

  banks.DeleteChannel(1, 1, 8);

  EXPECT_EQ(FreqOf(0), 450000000u);
  for (int n = 1; n < 7; ++n) EXPECT_EQ(FreqOf(n), 450000001u + static_cast<uint32_t>(n)) << n;
  for (int i = 0; i < 20; ++i) EXPECT_EQ(image.GetByte(M(7, i)), defaults.GetByte(M(7, i))) << i;
  for (int i = 0; i < 16; ++i) EXPECT_EQ(image.GetByte(X(7, i)), defaults.GetByte(X(7, i))) << i;
  EXPECT_EQ(image.GetByte(cmcImageMap::kPriorityChannel), 4);  // the pointer followed its channel
  EXPECT_EQ(image.GetByte(cmcImageMap::kBankFlags), 0x40);     // flags stay with their banks
  datCh ch(&image);
  ch.Load(1, 3);  // came from bank 1, landed in bank 0
  EXPECT_FALSE(ch.HasAttr(datCh::kAttrSmarTrunk));
  ch.Load(1, 4);
  EXPECT_TRUE(ch.HasAttr(datCh::kAttrSmarTrunk));
}

TEST_F(Banks, InsertRaisesReferencesAndOpensTheSlot) {
  for (int n = 0; n < 8; ++n) Use(n);
  SetList(0, 14, 2);
  SetList(0, 15, 3);
  SetList(0, 16, 7);
  SetList(0, 17, 0);
  image.SetByte(cmcImageMap::kStartChannel, 4);
  for (int i = 0; i < 4; ++i) defaults.SetByte(M(3, i), 0);

  EXPECT_EQ(banks.InsertChannel(1, 3, 8), 0x28);

  EXPECT_EQ(Ref(0, 0), 2);
  EXPECT_EQ(Ref(0, 1), 4);
  EXPECT_EQ(Ref(0, 2), 8);
  EXPECT_EQ(Ref(0, 3), 0);
  for (int n = 0; n < 3; ++n) EXPECT_EQ(FreqOf(n), 450000000u + static_cast<uint32_t>(n));
  EXPECT_EQ(FreqOf(3), 0u);  // the default image's record
  for (int n = 4; n < 8; ++n) EXPECT_EQ(FreqOf(n), 449999999u + static_cast<uint32_t>(n)) << n;
  EXPECT_EQ(FreqOf(8), 0u);  // beyond the slots: untouched
  EXPECT_EQ(image.GetByte(cmcImageMap::kStartChannel), 5);
}

TEST_F(Banks, DeleteAndInsertRefuseBadArguments) {
  Use(0);
  cmcEeprom before;
  before.Assign(image);
  EXPECT_EQ(banks.DeleteChannel(5, 0, 16), 0);  // not a channel kind
  EXPECT_EQ(banks.DeleteChannel(1, 8, 8), 0);
  EXPECT_EQ(banks.InsertChannel(1, -1, 8), 0);
  EXPECT_EQ(banks.InsertChannel(1, 0, 129), 0);
  EXPECT_TRUE(image.Equals(before));
}

TEST_F(Banks, ResetFromDefaultKeepsTheAttributes) {
  SetCounts({8});
  Use(2);
  image.SetByte(cmcImageMap::kPriorityFlags, 0x10);
  image.SetByte(cmcImageMap::kPriorityChannel, 2);
  image.SetByte(cmcImageMap::kStartChannel, 2);
  for (int i = 0; i < 22; ++i) defaults.SetByte(M(2, i), static_cast<uint8_t>(0x10 + i));
  defaults.SetByte(cmcImageMap::kPriorityChannel, 6);
  defaults.SetByte(cmcImageMap::kStartChannel, 6);
  defaults.SetByte(cmcImageMap::kScanMaps, 0x20);  // list 0 membership of channel 2

  banks.ResetFromDefault(1, 2);

  for (int i = 0; i < 20; ++i) EXPECT_EQ(image.GetByte(M(2, i)), defaults.GetByte(M(2, i))) << i;
  EXPECT_EQ(image.GetByte(cmcImageMap::kPriorityChannel), 2);
  EXPECT_EQ(image.GetByte(cmcImageMap::kStartChannel), 2);
  EXPECT_EQ(image.GetByte(cmcImageMap::kScanMaps), 0x20);
}

// ---- bank size ----

class BankSize : public Banks {
 protected:
  void SetUp() override {
    Banks::SetUp();
    SetCounts({4, 4, 0, 3});
    for (int n : {0, 1, 2, 3, 4, 5, 8, 9, 10}) Use(n);
    image.SetByte(cmcImageMap::kPriorityChannel, 100);
    image.SetByte(cmcImageMap::kEmergencyChannel, 100);
    image.SetByte(cmcImageMap::kScanBChannel, 100);
    image.SetByte(cmcImageMap::kStartChannel, 100);
    image.SetByte(cmcImageMap::kPriorityFlags, 0x10);
    image.SetByte(cmcImageMap::kEmergencyFlags, 0x40);
    image.SetWord(cmcImageMap::kBudgetWord2, 15231 - 38 * 3);  // three more channels fit
  }
};

TEST_F(BankSize, RangeIsCountMinusTrailingBlanksToCountPlusFree) {
  int lo = 0, hi = 0;
  banks.BankSizeRange(1, lo, hi);  // channels 6 and 7 are blank
  EXPECT_EQ(lo, 2);
  EXPECT_EQ(hi, 7);
  banks.BankSizeRange(0, lo, hi);
  EXPECT_EQ(lo, 4);
  EXPECT_EQ(hi, 7);
}

TEST_F(BankSize, BlankChannelWithAPointerIsNotTrailing) {
  image.SetByte(cmcImageMap::kStartChannel, 7);
  int lo = 0, hi = 0;
  banks.BankSizeRange(1, lo, hi);
  EXPECT_EQ(lo, 4);
  image.SetByte(cmcImageMap::kStartChannel, 100);
  image.SetByte(cmcImageMap::kPriorityChannel, 7);
  banks.BankSizeRange(1, lo, hi);
  EXPECT_EQ(lo, 4);
  image.SetByte(cmcImageMap::kPriorityChannel, 6);  // the pointer on the second blank stops the count after one
  banks.BankSizeRange(1, lo, hi);
  EXPECT_EQ(lo, 3);
}

TEST_F(BankSize, TypedSizeAboveTheRoomIsClamped) {
  for (int n = 0; n < 128; ++n)
    for (int i = 0; i < 4; ++i) defaults.SetByte(M(n, i), 0x1B);  // default channels are in use
  const int mask = banks.ChangeBankSize(1, 1, 50);
  EXPECT_EQ(mask & 0x04, 0x04);
  EXPECT_EQ(banks.BankCount(1), 7);
  EXPECT_EQ(banks.TotalChannels(), 14);
  EXPECT_EQ(FreqOf(5), 450000005u);
  for (int n = 8; n < 11; ++n) EXPECT_EQ(FreqOf(n), 0u) << n;                                      // inserted blank
  for (int n = 11; n < 14; ++n) EXPECT_EQ(FreqOf(n), 449999997u + static_cast<uint32_t>(n)) << n;  // bank 3 moved up
}

TEST_F(BankSize, TypedSizeBelowTheBlanksIsClamped) {
  banks.ChangeBankSize(1, 1, 0);
  EXPECT_EQ(banks.BankCount(1), 2);
  EXPECT_EQ(FreqOf(4), 450000004u);
  EXPECT_EQ(FreqOf(5), 450000005u);
  for (int n = 6; n < 9; ++n) EXPECT_EQ(FreqOf(n), 450000002u + static_cast<uint32_t>(n)) << n;  // bank 3 moved down
  EXPECT_EQ(banks.BankFirst(3), 6);
}

TEST_F(BankSize, EmptyBankGrowsAtItsFirstPosition) {
  banks.ChangeBankSize(1, 2, 1);
  EXPECT_EQ(banks.BankCount(2), 1);
  EXPECT_EQ(FreqOf(8), 0u);
  EXPECT_EQ(FreqOf(9), 450000008u);
}

// The slots beyond the banks are saved nowhere, and opening a document gives them the
// default image's channels: a bank that grows or shrinks moves only the banks' channels.
TEST_F(BankSize, GrowingAndShrinkingLeaveTheSlotsBeyondTheBanks) {
  for (int n = 11; n < 128; ++n) Use(n, 460000000);
  for (int n = 0; n < 128; ++n) {
    datCh ch(&defaults);
    ch.Load(1, n);
    ch.freqR = 470000000 + static_cast<uint32_t>(n);
    ch.inUse = true;
    ch.Store();
  }
  banks.ChangeBankSize(1, 1, 7);
  for (int n = 8; n < 11; ++n) EXPECT_EQ(FreqOf(n), 0u) << "grown " << n;
  for (int n = 11; n < 14; ++n) EXPECT_EQ(FreqOf(n), 449999997u + static_cast<uint32_t>(n)) << "bank 3 " << n;
  for (int n = 14; n < 128; ++n) EXPECT_EQ(FreqOf(n), 460000000u + static_cast<uint32_t>(n)) << "beyond " << n;

  banks.ChangeBankSize(1, 1, 4);
  for (int n = 8; n < 11; ++n) EXPECT_EQ(FreqOf(n), 450000000u + static_cast<uint32_t>(n)) << "bank 3 " << n;
  for (int n = 11; n < 14; ++n) EXPECT_EQ(FreqOf(n), 470000000u + static_cast<uint32_t>(n)) << "left " << n;
  for (int n = 14; n < 128; ++n) EXPECT_EQ(FreqOf(n), 460000000u + static_cast<uint32_t>(n)) << "beyond " << n;
}

TEST_F(BankSize, BankOutsideTheTableChangesNothing) {
  cmcEeprom before;
  before.Assign(image);
  EXPECT_EQ(banks.ChangeBankSize(1, 8, 3), 0);
  EXPECT_TRUE(image.Equals(before));
}

// ---- MDC aliases ----

TEST_F(Banks, MdcAliasCountStaysWithinItsRange) {
  banks.SetMdcAliasCount(99);
  banks.IncMdcAliasCount();
  EXPECT_EQ(image.GetByte(0xB894), 0);
  EXPECT_EQ(image.GetByte(0xB895), 100);
  banks.IncMdcAliasCount();
  EXPECT_EQ(banks.MdcAliasCount(), 100);
  banks.SetMdcAliasCount(0);
  banks.DecMdcAliasCount();
  EXPECT_EQ(banks.MdcAliasCount(), 0);
}

}  // namespace
