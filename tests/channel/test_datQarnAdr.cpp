#include <gtest/gtest.h>

#include "ChannelTestImage.h"
#include "channel/datQarnAdr.h"

namespace {

TEST(datQarnAdr, RangesDeriveFromTheGroupBoundary) {
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  image.SetWord(0xA70D, 100);
  datQarnAdr adr(&image);
  EXPECT_EQ(adr.Boundary(), 100);
  EXPECT_EQ(adr.whole.lo, 0);
  EXPECT_EQ(adr.whole.hi, 4095);
  EXPECT_EQ(adr.individual.lo, 0);
  EXPECT_EQ(adr.individual.hi, 99);
  EXPECT_EQ(adr.group.lo, 100);
  EXPECT_EQ(adr.group.hi, 4095);
  for (const dst_AdrRange& r : adr.groupRanges) EXPECT_TRUE(r.lo == 100 && r.hi == 4095);
  for (const dst_AdrRange& r : adr.callRanges) EXPECT_TRUE(r.lo == 0 && r.hi == 4095);
}

TEST(datQarnAdr, SettingTheBoundaryStoresItAndDerivesAgain) {
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  datQarnAdr adr(&image);
  EXPECT_FALSE(adr.individual.Contains(0));  // G = 0: no individual addresses
  adr.SetBoundary(0x0123);
  EXPECT_EQ(image.GetByte(0xA70D), 0x01);
  EXPECT_EQ(image.GetByte(0xA70E), 0x23);
  EXPECT_EQ(adr.individual.hi, 0x0122);
  EXPECT_EQ(adr.groupRanges[6].lo, 0x0123);
  EXPECT_TRUE(adr.group.Contains(4095));
  EXPECT_FALSE(adr.group.Contains(0x0122));
}

}  // namespace
