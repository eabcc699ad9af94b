#include <gtest/gtest.h>

#include "image/cmcAddressRanges.h"
#include "image/cmcModelCodes.h"

namespace {

TEST(cmcModelCodes, FamilyAcceptanceRule) {
  struct Case {
    int model, subCode;
    bool accepted;
    int code;  // written on rejection
    bool alternate;
  };
  const Case cases[] = {
      {0x3621, 0x0001, true, -1, false}, {0x3621, 0x0100, true, -1, false}, {0x2926, 0x0001, true, -1, true},
      {0x3179, 0x0100, true, -1, true},  {0x3622, 0x0001, false, 3, false}, {0x0000, 0x0001, false, 3, false},
      {0x3621, 0x0000, false, 4, false}, {0x3621, 0x0101, false, 4, false}, {0x2926, 0x0002, false, 4, false},
      {0x1234, 0x0002, false, 3, false},
  };
  for (const Case& c : cases) {
    int code = -1;
    bool alternate = false;
    EXPECT_EQ(cmcModelCodes().CheckModelCode(c.model, c.subCode, code, &alternate), c.accepted)
        << std::hex << c.model << "/" << c.subCode;
    EXPECT_EQ(code, c.code) << std::hex << c.model << "/" << c.subCode;
    if (c.accepted) {
      EXPECT_EQ(alternate, c.alternate) << std::hex << c.model;
    }
  }
}

TEST(cmcModelCodes, AnAlternateOfZeroIsNeverAccepted) {
  cmcModelCodes codes;
  codes.alternate2 = 0;
  int code = 0;
  EXPECT_FALSE(codes.CheckModelCode(0, 1, code));
  EXPECT_EQ(code, 3);
  EXPECT_FALSE(codes.CheckModelCode(0x3179, 1, code));
}

TEST(cmcModelCodes, MapRevisionOfOneOrLess) {
  for (int r : {-1, 0, 1}) EXPECT_TRUE(cmcModelCodes::CheckMapRevision(r)) << r;
  for (int r : {2, 100}) EXPECT_FALSE(cmcModelCodes::CheckMapRevision(r)) << r;
}

TEST(cmcAddressRanges, CountStopsAtTheFirstPairEndingBelowItsStart) {
  struct Case {
    cmcAddressRanges ranges;
    int count;
  };
  const Case cases[] = {
      {{}, 0},       {{{0, 0}}, 1}, {{{0, 9}, {5, 4}, {0, 9}}, 1}, {{{0, 9}, cmcAddressRanges::kTerminator}, 1},
      {{{3, 2}}, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.ranges.Count(), c.count);
  const cmcAddressRanges area = cmcAddressRanges::EepromArea();
  ASSERT_EQ(area.Count(), 1);
  EXPECT_EQ(area[0].start, 0);
  EXPECT_EQ(area[0].end, 0x7D7F);
}

}  // namespace
