#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "cell/ChooserGrid.h"
#include "cell/cmcCodeCodecs.h"
#include "cell/cmcCodecCommon.h"
#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"

namespace {

class CodeCodecTest : public ::testing::Test {
 protected:
  CodeCodecTest() {
    image_.SetSize(cmcEeprom::kImageSize);
    image_.SetByte(cmcImageMap::kGroupTone, 0x0E);
    context_.image = &image_;
  }
  void Type(const std::string& text) {
    request_.inputKind = cmcCellCapsule::kInputText;
    request_.inputText = text;
  }
  void Press(int key) {
    request_.inputKind = cmcCellCapsule::kInputKey;
    request_.keyCode = key;
    request_.grid = &grid_;
  }

  cmcEeprom image_;
  cmcChoiceContext context_;
  cmcCellCapsule request_;
  ChooserGrid grid_;
};

TEST_F(CodeCodecTest, DtmfStarIsFourteenAndShowsAsStar) {
  std::array<uint8_t, 24> digits;
  digits.fill(9);
  uint8_t length = 0;
  Type("3*");
  EXPECT_TRUE(DtmfCodeCodec(context_, request_, digits, length, 24));
  EXPECT_EQ(length, 2);
  EXPECT_EQ(digits[0], 3);
  EXPECT_EQ(digits[1], 14);
  EXPECT_EQ(digits[2], 0) << "unused digits are zeroed";
  EXPECT_EQ(digits[23], 0);
  EXPECT_EQ(request_.outputText, "3*");
  EXPECT_EQ(request_.selStart, 0);
  EXPECT_EQ(request_.selLength, 2);
}

TEST_F(CodeCodecTest, DtmfTypedTextKeepsSymbolsAndIsCutAtCapacity) {
  struct Case {
    const char* typed;
    int capacity;
    const char* shown;
    int length;
  };
  const Case cases[] = {
      {"1-2 a#", 24, "12A#", 4},  // other characters dropped, lower case raised
      {"e F", 24, "*#", 2},       // E and F are the star and hash symbols
      {"123456", 4, "1234", 4},   // cut at the capacity
      {"xyz", 24, "", 0},         // nothing kept clears the code
  };
  for (const Case& c : cases) {
    std::array<uint8_t, 24> digits{};
    uint8_t length = 7;
    Type(c.typed);
    EXPECT_TRUE(DtmfCodeCodec(context_, request_, digits, length, c.capacity)) << c.typed;
    EXPECT_EQ(request_.outputText, c.shown) << c.typed;
    EXPECT_EQ(length, c.length) << c.typed;
  }
}

TEST_F(CodeCodecTest, DtmfLengthBeyondCapacityShowsOnlyCapacity) {
  std::array<uint8_t, 24> digits{1, 2, 3, 4, 5};
  uint8_t length = 30;
  EXPECT_FALSE(DtmfCodeCodec(context_, request_, digits, length, 3));
  EXPECT_EQ(request_.outputText, "123");
}

TEST_F(CodeCodecTest, FiveToneReceiveRepeatMarkerAndCapacityFill) {
  std::array<uint8_t, 8> digits;
  digits.fill(7);
  uint8_t marker = 0x01;
  Type("12+4");
  EXPECT_TRUE(FiveToneCodeCodec(context_, request_, digits, marker, 5, true));
  EXPECT_EQ(std::vector<int>(digits.begin(), digits.begin() + 6), (std::vector<int>{1, 2, 0, 4, 0, 15}));
  EXPECT_EQ(marker, 0x20) << "only the third position carries the marker";
  EXPECT_EQ(request_.outputText, "12+40");
}

TEST_F(CodeCodecTest, FiveToneTypedText) {
  struct Case {
    const char* name;
    const char* typed;
    bool receive;
    int capacity;
    const char* shown;
  };
  const Case cases[] = {
      {"group tone typed as star or G", "1*g2", true, 4, "1**2"},
      {"transmit drops the repeat marker", "1+2", false, 3, "120"},
      {"an F ends the code", "12f34", true, 5, "12000"},
      {"cut at the capacity", "1234567", true, 5, "12345"},
      {"capacity eight has no end mark", "12345678", true, 8, "12345678"},
  };
  for (const Case& c : cases) {
    std::array<uint8_t, 8> digits{};
    uint8_t marker = 0;
    Type(c.typed);
    EXPECT_TRUE(FiveToneCodeCodec(context_, request_, digits, marker, c.capacity, c.receive)) << c.name;
    EXPECT_EQ(request_.outputText, c.shown) << c.name;
  }
}

TEST_F(CodeCodecTest, FiveToneNothingTypedKeepsTheCode) {
  std::array<uint8_t, 8> digits{3, 0x0E, 0x0F};
  uint8_t marker = 0x40;
  Type("xyz");
  EXPECT_FALSE(FiveToneCodeCodec(context_, request_, digits, marker, 5, true));
  EXPECT_EQ(digits[0], 3);
  EXPECT_EQ(request_.outputText, "3+") << "the marker wins over the group tone; F ends the code";
}

TEST_F(CodeCodecTest, CodeKeysOpenTheEditor) {
  constexpr uint8_t kEditor = cmcCodecCommon::kResultEditor;
  constexpr uint8_t kDone = cmcCodecCommon::kResultDone;
  struct Case {
    bool fiveTone;
    int key;
    uint8_t result;
    const char* text;
    int selStart;
    int selLength;
  };
  const Case cases[] = {
      {false, ' ', kEditor, "12", 0, 2}, {false, 8, kEditor, "12", 0, 2},  {false, 13, kEditor, "12", 0, 2},
      {false, '#', kEditor, "#", 1, 0},  {false, 'b', kEditor, "b", 1, 0}, {false, 'x', kDone, "12", 0, 2},
      {true, '+', kEditor, "+", 1, 0},   {true, 'g', kEditor, "g", 1, 0},  {true, 13, kEditor, "12", 0, 2},
      {true, '-', kDone, "12", 0, 2},
  };
  for (const Case& c : cases) {
    std::array<uint8_t, 24> digits{1, 2, 0x0F};
    uint8_t length = 2;
    uint8_t marker = 0;
    context_.result = kDone;
    Press(c.key);
    const bool changed = c.fiveTone ? FiveToneCodeCodec(context_, request_, std::span(digits).first(8), marker, 5, true)
                                    : DtmfCodeCodec(context_, request_, digits, length, 24);
    EXPECT_FALSE(changed);
    EXPECT_EQ(context_.result, c.result) << c.key;
    EXPECT_EQ(request_.outputText, c.text) << c.key;
    EXPECT_EQ(request_.selStart, c.selStart) << c.key;
    EXPECT_EQ(request_.selLength, c.selLength) << c.key;
  }
}

TEST_F(CodeCodecTest, WithoutGridKeysDoNothing) {
  std::array<uint8_t, 24> digits{1, 2};
  uint8_t length = 2;
  request_.keyCode = 13;
  EXPECT_FALSE(DtmfCodeCodec(context_, request_, digits, length, 24));
  EXPECT_EQ(context_.result, cmcCodecCommon::kResultDone);
  EXPECT_EQ(request_.outputText, "12");
}

}  // namespace
