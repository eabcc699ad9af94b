#include <gtest/gtest.h>

#include "image/cmcEeprom.h"

namespace {

TEST(cmcEeprom, SetSizeAlwaysZeroFills) {
  cmcEeprom image;
  EXPECT_EQ(image.GetSize(), 0);
  image.SetSize(cmcEeprom::kImageSize);
  image.Fill(0xAA);
  image.SetSize(cmcEeprom::kImageSize);
  EXPECT_EQ(image.GetByte(0), 0);
  EXPECT_EQ(image.GetByte(cmcEeprom::kImageSize - 1), 0);
  image.SetSize(0);
  EXPECT_EQ(image.GetSize(), 0);
  EXPECT_EQ(image.Data(), nullptr);
  EXPECT_TRUE(image.Equals(cmcEeprom()));
  image.SetSize(-5);
  EXPECT_EQ(image.GetSize(), 0);
}

TEST(cmcEeprom, AssignAndCompare) {
  cmcEeprom a, b;
  a.SetSize(16);
  a.SetByte(3, 0x5A);
  b.Assign(a);
  EXPECT_TRUE(b.Equals(a));
  b.SetByte(15, 1);
  EXPECT_TRUE(b.Differs(a));

  cmcEeprom empty;
  b.Assign(empty);
  EXPECT_EQ(b.GetSize(), 0);

  cmcEeprom prefix, longer;
  prefix.SetSize(8);
  longer.SetSize(9);
  EXPECT_FALSE(prefix.Equals(longer)) << "a prefix of the same bytes is not equal";
}

TEST(cmcEeprom, BlocksOutsideTheImageDoNothing) {
  struct Case {
    const char* name;
    int address, count;
    bool writes;
  };
  const Case cases[] = {
      {"ends one past the image", 14, 3, false},
      {"last two bytes", 14, 2, true},
      {"negative address", -1, 2, false},
      {"address at size", 16, 1, false},
      {"zero count", 0, 0, false},
      {"negative count", 0, -1, false},
      {"huge count cannot wrap", 1, 0x7FFFFFFF, false},
  };
  const uint8_t source[4] = {1, 2, 3, 4};
  for (const auto& c : cases) {
    cmcEeprom image;
    image.SetSize(16);
    image.WriteBlock(c.address, source, c.count);
    const bool changed = image.GetByte(14) != 0 || image.GetByte(15) != 0 || image.GetByte(0) != 0;
    EXPECT_EQ(changed, c.writes) << c.name;
    uint8_t out[4] = {9, 9, 9, 9};
    image.ReadBlock(c.address, out, c.count);
    EXPECT_EQ(out[0] != 9, c.writes) << c.name;
  }
}

TEST(cmcEeprom, WordsAreBigEndian) {
  cmcEeprom image;
  image.SetSize(8);
  image.SetWord(6, 0x12345);  // the low 16 bits are kept
  EXPECT_EQ(image.GetByte(6), 0x23);
  EXPECT_EQ(image.GetByte(7), 0x45);
  EXPECT_EQ(image.GetByte(5), 0) << "the byte before is left alone";
  image.SetByte(0, 0xFE);
  image.SetByte(1, 0xDC);
  EXPECT_EQ(image.GetWord(0), 0xFEDC) << "read without sign";
}

TEST(cmcEepromDeathTest, ByteAccessOutsideIsFatal) {
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  EXPECT_EXIT(image.GetByte(-1), ::testing::ExitedWithCode(3), "^Out of EEPROM image address \\(GetByte\\)\\.\n$");
  EXPECT_EXIT(image.GetByte(cmcEeprom::kImageSize), ::testing::ExitedWithCode(3),
              "Out of EEPROM image address \\(GetByte\\)\\.");
  EXPECT_EXIT(image.SetByte(cmcEeprom::kImageSize, 0), ::testing::ExitedWithCode(3),
              "^Out of EEPROM image address \\(SetByte\\)\\.\n$");
}

TEST(cmcEepromDeathTest, WordAccessReachingOutsideIsFatal) {
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  // The last byte is a valid address, but its word's low byte lies outside.
  EXPECT_EXIT(image.GetWord(cmcEeprom::kImageSize - 1), ::testing::ExitedWithCode(3),
              "^Out of EEPROM image address \\(GetWord\\)\\.\n$");
  EXPECT_EXIT(image.GetWord(-1), ::testing::ExitedWithCode(3), "Out of EEPROM image address \\(GetWord\\)\\.");
  EXPECT_EXIT(image.SetWord(cmcEeprom::kImageSize - 1, 0), ::testing::ExitedWithCode(3),
              "^Out of EEPROM image address \\(SetWord\\)\\.\n$");
}

}  // namespace
