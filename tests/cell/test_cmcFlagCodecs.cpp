#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/NumberFixture.h"
#include "cell/cmcCellIds.h"
#include "cell/cmcCodecCommon.h"
#include "cell/cmcFlagCodecs.h"

namespace {

constexpr uint8_t kDone = cmcCodecCommon::kResultDone;
constexpr uint8_t kPopup = cmcCodecCommon::kResultPopup;
constexpr int kSpace = cmcCodecCommon::kKeySpace;
constexpr int kBackspace = cmcCodecCommon::kKeyBackspace;
constexpr int kEnter = cmcCodecCommon::kKeyEnter;

// Scan lists 1-17 of a channel: flag 1 + i is bit 16 - i.
constexpr uint32_t Scan(int list) { return uint32_t{1} << (17 - list); }
constexpr uint32_t kAllScans = 0x1FFFF;
// Up to eight flags fill a byte from its top bit.
constexpr uint32_t kTopBits3 = 0xE0;

using FlagCodecTest = NumberFixture;

TEST_F(FlagCodecTest, FlagSetShows) {
  const struct {
    const char* name;
    uint32_t bits;
    int first, last, style;
    const char* shown;
  } cases[] = {
      {"style 4, some on", Scan(1) | Scan(3), 1, 17, 4, "1_3______________"},
      {"style 4, all on", kAllScans, 1, 17, 4, "123456789ABCDEFGZ"},
      {"style 4, none on", 0, 1, 17, 4, "_________________"},
      {"style 6, top bits of a byte", kTopBits3, 1, 3, 6, "OGP"},
      {"style 6, four and the low bits", 0xFF, 1, 4, 6, "OGPR"},
      {"other styles: last digit, 17 as Z", kAllScans, 1, 17, 0, "1234567890123456Z"},
      {"flags from 0", 0xC0, 0, 1, 2, "01"},
      {"one flag", 0x80, 5, 5, 0, "5"},
  };
  for (const auto& c : cases) {
    uint32_t bits = c.bits;
    Draw();
    EXPECT_FALSE(FlagSetCodec(context_, request_, bits, c.first, c.last, c.style)) << c.name;
    EXPECT_EQ(request_.outputText, c.shown) << c.name;
    EXPECT_EQ(request_.selStart, 0) << c.name;
    EXPECT_EQ(request_.selLength, static_cast<int32_t>(std::string(c.shown).size())) << c.name;
  }
}

TEST_F(FlagCodecTest, FlagSetKeys) {
  const struct {
    const char* name;
    uint32_t from;
    int first, last, style;
    int key;
    bool changed;
    uint32_t to;
  } cases[] = {
      {"space with some on clears all", Scan(1) | Scan(3), 1, 17, 4, kSpace, true, 0},
      {"space with none on sets all", 0, 1, 17, 4, kSpace, true, kAllScans},
      {"backspace inverts", Scan(1) | Scan(3), 1, 17, 4, kBackspace, true, kAllScans & ~(Scan(1) | Scan(3))},
      {"digit toggles its flag", Scan(3), 1, 17, 4, '3', true, 0},
      {"letter toggles its flag", 0, 1, 17, 4, 'b', true, Scan(11)},
      {"z toggles the seventeenth", 0, 1, 17, 4, 'z', true, Scan(17)},
      {"H is no flag: 17 shows as Z", 0, 1, 17, 4, 'H', false, 0},
      {"digit out of range", 0, 1, 17, 4, '0', false, 0},
      {"style 6 letters", 0, 1, 3, 6, 'p', true, 0x20},
      {"style 6 capital", 0x80, 1, 3, 6, 'O', true, 0},
      {"style 6 R beyond the range", 0, 1, 3, 6, 'r', false, 0},
      {"other bits of the byte kept", 0x1F, 1, 3, 6, kSpace, true, 0xFF},
      {"backspace keeps other bits", 0x1F, 1, 3, 6, kBackspace, true, 0xFF},
      {"other styles: 0 for the tenth", 0, 1, 10, 0, '0', true, 1 << 0},
  };
  for (const auto& c : cases) {
    uint32_t bits = c.from;
    Press(c.key);
    EXPECT_EQ(FlagSetCodec(context_, request_, bits, c.first, c.last, c.style), c.changed) << c.name;
    EXPECT_EQ(bits, c.to) << c.name;
    EXPECT_EQ(context_.result, kDone) << c.name;

    bits = c.from;
    Press(c.key, false);
    EXPECT_FALSE(FlagSetCodec(context_, request_, bits, c.first, c.last, c.style)) << c.name << " without a grid";
    EXPECT_EQ(bits, c.from) << c.name << " without a grid";
  }
}

TEST_F(FlagCodecTest, FlagSetOpensTheFlagEditorInItsNumbering) {
  uint32_t bits = Scan(1) | Scan(3);
  PressOnEditorGrid(kEnter);
  EXPECT_FALSE(FlagSetCodec(context_, request_, bits, 1, 17, 4, "GI_Sheet_ScanFlags"));
  EXPECT_EQ(context_.result, kPopup);
  ASSERT_EQ(editors_.flagEditors.size(), 1u);
  const RecordingGrid::FlagEditor& opened = editors_.flagEditors[0];
  EXPECT_EQ(opened.pattern, (1u << 25) | (1u << 23)) << "flag k is bit 26 - k";
  EXPECT_EQ(opened.first, 1);
  EXPECT_EQ(opened.last, 17);
  EXPECT_EQ(opened.headerStyle, 4);
  EXPECT_EQ(opened.sheetKey, "GI_Sheet_ScanFlags");

  Press(kEnter, false);
  FlagSetCodec(context_, request_, bits, 1, 17, 4);
  EXPECT_EQ(context_.result, kDone);
  EXPECT_EQ(editors_.flagEditors.size(), 1u) << "without a grid";
}

TEST_F(FlagCodecTest, FlagSetTakesTheEditorsAnswer) {
  const struct {
    const char* name;
    uint32_t from;
    int first, last;
    const char* answer;
    bool changed;
    uint32_t to;
  } cases[] = {
      {"flag 2 of 17", Scan(1), 1, 17, "16777216", true, Scan(2)},
      {"flag 2 of a byte, other bits kept", 0x9F, 1, 3, "16777216", true, 0x5F},
      {"every flag", 0, 1, 17, "67108352", true, kAllScans},
      {"not a number", Scan(1), 1, 17, "x", false, Scan(1)},
      {"nothing", Scan(1), 1, 17, "", false, Scan(1)},
  };
  for (const auto& c : cases) {
    uint32_t bits = c.from;
    AnswerText(c.answer);
    EXPECT_EQ(FlagSetCodec(context_, request_, bits, c.first, c.last, 4), c.changed) << c.name;
    EXPECT_EQ(bits, c.to) << c.name;
  }
}

TEST_F(FlagCodecTest, DigitFlagSetsTheDigitsFlag) {
  const struct {
    const char* name;
    uint32_t from;
    int key;
    bool flag;
    bool changed;
    uint32_t to;
    const char* shown;
  } cases[] = {
      {"sets", 0, '4', true, true, 0x10, "___4\n"},       {"already set", 0x10, '4', true, false, 0x10, "___4\n"},
      {"clears", 0xF0, '2', false, true, 0xB0, "1_34\n"}, {"digit out of range", 0, '5', true, false, 0, "____\n"},
      {"not a digit", 0, 'a', true, false, 0, "____\n"},
  };
  for (const auto& c : cases) {
    uint32_t bits = c.from;
    Press(c.key);
    EXPECT_EQ(DigitFlagCodec(context_, request_, bits, 1, 4, c.flag), c.changed) << c.name;
    EXPECT_EQ(bits, c.to) << c.name;
    EXPECT_EQ(request_.outputText, c.shown) << c.name;
  }

  uint32_t bits = 0;
  Press('4', false);
  EXPECT_FALSE(DigitFlagCodec(context_, request_, bits, 1, 4, true));
  EXPECT_EQ(bits, 0u) << "without a grid";
  Draw();
  bits = 0x3FF;
  DigitFlagCodec(context_, request_, bits, 1, 10, true);
  EXPECT_EQ(request_.outputText, "1234567890\n");
}

TEST_F(FlagCodecTest, UserSetEnableBitIsAChoice) {
  std::vector<uint8_t> bytes{0x00, 0x5F};
  Draw();
  EXPECT_FALSE(UserSetEnableBit(context_, request_, bytes, 9));
  EXPECT_EQ(request_.outputText, "Enable") << "bit 6 of byte 1";

  Press(kSpace);
  EXPECT_TRUE(UserSetEnableBit(context_, request_, bytes, 9));
  EXPECT_EQ(bytes, (std::vector<uint8_t>{0x00, 0x1F}));
  EXPECT_EQ(request_.outputText, "Disable");

  Press(kSpace);
  EXPECT_TRUE(UserSetEnableBit(context_, request_, bytes, 0));
  EXPECT_EQ(bytes, (std::vector<uint8_t>{0x80, 0x1F}));

  Press(kEnter);
  UserSetEnableBit(context_, request_, bytes, 9);
  ASSERT_EQ(grid_.opened.size(), 1u);
  EXPECT_EQ(grid_.opened[0].listKey, kUserSetEnableList);
  EXPECT_EQ(grid_.opened[0].keyLabel, Flex0);

  Answer(Flex0, 1);
  EXPECT_TRUE(UserSetEnableBit(context_, request_, bytes, 15));
  EXPECT_EQ(bytes, (std::vector<uint8_t>{0x80, 0x1F})) << "bit 15 was already on";
}

}  // namespace
