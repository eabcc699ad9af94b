#include <gtest/gtest.h>

#include <array>

#include "image/cmcBuff.h"
#include "image/cmcNibble.h"
#include "image/cmcPackedBcd.h"

namespace {

TEST(cmcBuff, NewBufferIsEmptyWithCapacityOne) {
  cmcBuff b;
  EXPECT_EQ(b.GetLength(), 0);
  EXPECT_EQ(b.Capacity(), 1);
  EXPECT_EQ(b.PopFront(), -1);
}

TEST(cmcBuff, GrowsByAQuarterOfTheLengthAndFillsWithZero) {
  cmcBuff b;
  b.AppendFill(0xFF, 100);
  b.SetLength(101);  // 101 + 100 / 4
  EXPECT_EQ(b.Capacity(), 126);
  EXPECT_EQ(*b.At(100), 0);
  b.SetLength(10);  // shrinking keeps the allocation
  EXPECT_EQ(b.Capacity(), 126);
  b.SetLength(100);
  EXPECT_EQ(*b.At(99), 0xFF) << "bytes between lengths keep what the allocation held";
}

TEST(cmcBuff, QueueKeepsOrderAndCompactsItsFront) {
  cmcBuff b;
  for (int i = 0; i < 10000; ++i) b.AppendByte(static_cast<uint8_t>(i * 7));
  for (int i = 0; i < 10000; ++i) {
    ASSERT_EQ(b.PopFront(), static_cast<uint8_t>(i * 7)) << i;
    ASSERT_LE(b.FrontGap(), 4096);
  }
  EXPECT_EQ(b.PopFront(), -1);
}

TEST(cmcBuff, PopFrontReturnsBytesUnsigned) {
  cmcBuff b;
  b.AppendByte(0xFF);
  EXPECT_EQ(b.PopFront(), 255);
}

TEST(cmcBuff, CopiesAndSelfAppends) {
  cmcBuff a;
  const uint8_t bytes[] = {1, 2, 3};
  a.SetData(bytes, 3);
  cmcBuff b(a);
  b.Append(b);
  ASSERT_EQ(b.GetLength(), 6);
  EXPECT_EQ(*b.At(5), 3);
  b.AppendData(b.Data() + 1, 5);  // source inside the buffer while it grows
  ASSERT_EQ(b.GetLength(), 11);
  EXPECT_EQ(*b.At(6), 2);
  EXPECT_EQ(*b.At(10), 3);
  a.Compact();
  EXPECT_EQ(a.Capacity(), 3);
  a.Clear();
  EXPECT_EQ(a.GetLength(), 0);
  EXPECT_EQ(a.Capacity(), 1);
}

TEST(cmcBuffDeathTest, AtOutsideTheContentIsFatal) {
  cmcBuff b;
  b.AppendByte(1);
  EXPECT_EXIT(b.At(1), ::testing::ExitedWithCode(3), "^Out of cmcBuff element !\n$");
  EXPECT_EXIT(b.At(-1), ::testing::ExitedWithCode(3), "Out of cmcBuff element !");
}

TEST(cmcPackedBcd, PacksDigitsHighNibbleFirst) {
  cmcPackedBcd digits;
  for (uint8_t d : {1, 2, 3}) digits.AppendByte(d);
  std::array<uint8_t, 2> out{};
  digits.PackInto(out.data());
  EXPECT_EQ(out[0], 0x12);
  EXPECT_EQ(out[1], 0x30);
}

TEST(Nibble, SetAndGetKeepTheOtherHalf) {
  std::array<uint8_t, 2> bytes{0xAB, 0xC0};
  SetNibble(bytes.data(), 3, 15);
  EXPECT_EQ(bytes[1], 0xCF);
  SetNibble(bytes.data(), 0, 0x13);  // only the low four bits count
  EXPECT_EQ(bytes[0], 0x3B);
  EXPECT_EQ(GetNibble(bytes.data(), 0), 3);
  EXPECT_EQ(GetNibble(bytes.data(), 1), 0xB);
  EXPECT_EQ(GetNibble(bytes.data(), 2), 0xC);
}

}  // namespace
