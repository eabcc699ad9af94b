#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "overlay/cmcTextUtil.h"

namespace {

struct FieldCase {
  const char* text;
  char sep;
  int n;
  const char* expected;
};

void PrintTo(const FieldCase& c, std::ostream* os) { *os << '"' << c.text << "\" field " << c.n; }

class FieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldTest, PicksTheNthField) {
  const FieldCase& c = GetParam();
  EXPECT_EQ(cmcField(c.text, c.n, c.sep), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FieldTest,
                         ::testing::Values(FieldCase{"English\tRX93_EN.OVL", '\t', 0, "English"},
                                           FieldCase{"English\tRX93_EN.OVL", '\t', 1, "RX93_EN.OVL"},
                                           FieldCase{"English", '\t', 1, ""},  // no second field
                                           FieldCase{"a\t\tc", '\t', 1, ""}, FieldCase{"a\t\tc", '\t', 2, "c"},
                                           FieldCase{"\tb", '\t', 0, ""}, FieldCase{"a,b,c", ',', 2, "c"},
                                           FieldCase{"a,b,c", ',', 3, ""}, FieldCase{"a,b", ',', -1, ""},
                                           // Multi-byte characters pass through whole on both sides.
                                           FieldCase{"Fran\xC3\xA7"
                                                     "ais\t\xE6\x97\xA5\xE6\x9C\xAC",
                                                     '\t', 0,
                                                     "Fran\xC3\xA7"
                                                     "ais"},
                                           FieldCase{"Fran\xC3\xA7"
                                                     "ais\t\xE6\x97\xA5\xE6\x9C\xAC",
                                                     '\t', 1, "\xE6\x97\xA5\xE6\x9C\xAC"}));

TEST(TrimTest, RemovesOuterWhiteSpaceOnly) {
  EXPECT_EQ(cmcTrim("  a b\t\r\n"), "a b");
  EXPECT_EQ(cmcTrim(" \t "), "");
  EXPECT_EQ(cmcTrim("\xC3\xA9 "), "\xC3\xA9");
}

struct HexCase {
  const char* text;
  std::vector<std::uint8_t> bytes;
};

void PrintTo(const HexCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class HexToBytesTest : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexToBytesTest, ReadsDigitPairs) { EXPECT_EQ(cmcHexToBytes(GetParam().text), GetParam().bytes); }

INSTANTIATE_TEST_SUITE_P(Cases, HexToBytesTest,
                         ::testing::Values(HexCase{"", {}}, HexCase{"00FFa5", {0x00, 0xFF, 0xA5}},
                                           HexCase{"0 a-1:b", {0x0A, 0x1B}},  // other characters skipped
                                           HexCase{"ABC", {0xAB, 0xC0}},      // odd digit is a high nibble
                                           HexCase{"xyz", {}}));

TEST(BytesToHexTest, WritesUpperCasePairs) {
  const std::vector<std::uint8_t> bytes = {0x00, 0x0F, 0xA5, 0xFF};
  EXPECT_EQ(cmcBytesToHex(bytes), "000FA5FF");
  EXPECT_EQ(cmcHexToBytes(cmcBytesToHex(bytes)), bytes);
}

TEST(DoubleAmpersandTest, DoublesEachAmpersand) {
  EXPECT_EQ(cmcDoubleAmpersand("Save & Exit"), "Save && Exit");
  EXPECT_EQ(cmcDoubleAmpersand("&&"), "&&&&");
  EXPECT_EQ(cmcDoubleAmpersand("none"), "none");
}

}  // namespace
