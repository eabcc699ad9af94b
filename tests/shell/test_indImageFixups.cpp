#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "image/cmcEeprom.h"
#include "shell/indImageBits.h"
#include "shell/indImageFixups.h"

namespace {

cmcEeprom Filled(uint8_t value) {
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  image.Fill(value);
  return image;
}

void SetReceive(cmcEeprom& image, int n, uint32_t hz, bool inhibit) {
  uint8_t* m = image.Data() + 32640 + 22 * n;
  m[0] = static_cast<uint8_t>(((hz >> 24) & 0x7F) | (inhibit ? 0x80 : 0));
  m[1] = static_cast<uint8_t>(hz >> 16);
  m[2] = static_cast<uint8_t>(hz >> 8);
  m[3] = static_cast<uint8_t>(hz);
}

// A zero image against an all-ones template shows which bits each model type takes from
// the template and which are derived.
TEST(ApplySettingFixups, TemplateBitsPerModelType) {
  struct Row {
    int address;
    uint8_t byType[6];  // expected byte for model types 0-5
    const char* what;
  };
  const Row rows[] = {
      {256, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "model code word"},
      {259, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "header byte 259"},
      {260, {0, 0, 0, 0, 0, 0}, "260 is the image's"},
      {266, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "header byte 266"},
      {267, {0, 0, 0, 0, 0, 0}, "267 is the image's"},
      {523, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "maker marker and revision bytes"},
      {524, {0, 0, 0, 0, 0, 0}, "524 is the image's"},
      {650, {0x80, 0x80, 0x80, 0x80, 0x80, 0x80}, "bit 7 of 650"},
      {658, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "no channel in use keeps the template's"},
      {660, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "no scan list selected"},
      {661, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "no DTMF memory filled"},
      {662, {0xFF, 0xFF, 0xFF, 0, 0xFF, 0xFF}, "662 except dPMR446"},
      {663, {0xFF, 0xFF, 0xFF, 0, 0xFF, 0xFF}, "663 except dPMR446"},
      {664, {0x60, 0x60, 0x60, 0x60, 0x60, 0x60}, "bits 6 and 5 of 664"},
      {665, {0xE8, 0xE8, 0xE8, 0xE8, 0xE8, 0xE8}, "bits 7, 6, 5, 3 of 665"},
      {666, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "666"},
      {667, {0, 0, 0, 0, 0, 0}, "bank 0 has no channel"},
      {36134, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "36132-36134"},
      {36135, {0xCF, 0xCF, 0xCF, 0xCF, 0xCF, 0xCF}, "bits 7, 6, 3-0 of 36135"},
      {41197, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "41197 when 0"},
      {41086, {0x04, 0x04, 0x04, 0x04, 0x04, 0x04}, "bit 2 of 41086"},
      {41115, {0x23, 0x20, 0x20, 0x23, 0x23, 0x23}, "bit 5, and bits 1-0 for LMR and dPMR446"},
      {41116, {0x06, 0x04, 0x04, 0x06, 0x06, 0x06}, "bit 2, bit 1 for LMR and dPMR446, no blank key"},
      {41117, {0x41, 0x01, 0x01, 0x41, 0x41, 0x41}, "bit 0, bit 6 for LMR and dPMR446"},
      {41118, {0xE0, 0xE0, 0x20, 0xE0, 0xE0, 0xE0}, "bits 7-6 except QarnPmr; bit 5 text not blank"},
      {41119, {0x80, 0, 0, 0x80, 0x80, 0x80}, "bit 7 of 41119"},
      {41130, {0xFF, 0, 0, 0xFF, 0xFF, 0xFF}, "41130"},
      {41134, {0, 0xFF, 0xFF, 0, 0, 0}, "41134 for PMR models"},
      {41148, {0xFF, 0, 0, 0xFF, 0xFF, 0xFF}, "41148"},
      {41162, {0, 0, 0, 0, 0, 0}, "no I key"},
      {41179, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "model type flags"},
      {41180, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "model type flags"},
      {41192, {0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, "pair flags: only the lock bit from the template"},
      {41198, {0x10, 0, 0, 0x10, 0x10, 0x10}, "bit 4 of 41198"},
      {35488, {0x40, 0x40, 0x40, 0x40, 0x40, 0x40}, "bit 6 of 35488 set"},
      {41228, {0x80, 0x80, 0x80, 0x80, 0x80, 0x80}, "layout bit"},
      {41230, {' ', ' ', ' ', ' ', ' ', ' '}, "comment text cleaned"},
      {41261, {' ', ' ', ' ', ' ', ' ', ' '}, "second comment text cleaned"},
      {41262, {0, 0, 0, 0, 0, 0}, "the byte after the texts"},
      {45359, {1, 1, 1, 1, 1, 1}, "45359 not 0: its block is kept"},
      {46718, {0x80, 0x80, 0x80, 0x80, 0x80, 0x80}, "bit 7: text at 42619 not blank"},
  };
  const cmcEeprom t = Filled(0xFF);
  for (int type = 0; type < 6; ++type) {
    cmcEeprom image = Filled(0);
    image.SetByte(45359, 1);
    ApplySettingFixups(image, t, type);
    for (const auto& r : rows)
      EXPECT_EQ(image.GetByte(r.address), r.byType[type]) << "type " << type << ": " << r.what << " at " << r.address;
  }
}

TEST(ApplySettingFixups, EmptyBlock41TakesTheTemplatesBlockAndOptionWord) {
  const cmcEeprom t = Filled(0xFF);
  cmcEeprom image = Filled(0);
  ApplySettingFixups(image, t, 0);
  EXPECT_EQ(image.GetByte(36135), 0xFF);
  EXPECT_EQ(image.GetByte(45359), 0xFF);
  EXPECT_EQ(image.GetByte(45370), 0xFF);
  EXPECT_EQ(image.GetByte(45371), 0);
}

TEST(ApplySettingFixups, FirstReceivableChannel) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, bool>> channels;  // in use, with receive inhibit
    bool inhibitedCount;                         // bit 2 of 665
    int expected;
  };
  const Case cases[] = {
      {"none in use keeps the template's", {}, false, 0xEE},
      {"first receivable wins", {{3, true}, {5, false}, {9, false}}, false, 5},
      {"only inhibited ones: the first of them", {{3, true}, {7, true}}, false, 3},
      {"bit 2 of 665 takes inhibited channels too", {{3, true}, {5, false}}, true, 3},
      {"channel 127 is searched", {{127, false}}, false, 127},
  };
  cmcEeprom t = Filled(0);
  t.SetByte(658, 0xEE);
  for (const auto& c : cases) {
    cmcEeprom image = Filled(0);
    for (auto [n, inhibit] : c.channels) SetReceive(image, n, 446006250, inhibit);
    SetBit(image, 665, 2, c.inhibitedCount);
    ApplySettingFixups(image, t, 0);
    EXPECT_EQ(image.GetByte(658), c.expected) << c.name;
  }
}

TEST(ApplySettingFixups, InhibitBitAloneIsNotInUse) {
  cmcEeprom image = Filled(0);
  image.SetByte(32640 + 22 * 2, 0x80);
  SetReceive(image, 4, 1, false);
  ApplySettingFixups(image, Filled(0), 0);
  EXPECT_EQ(image.GetByte(658), 4);
}

TEST(ApplySettingFixups, FirstSelectedScanListAndFilledDtmf) {
  cmcEeprom image = Filled(0);
  image.SetByte(41655 + 18 * 4 + 10, 0x30);  // high nibble only: not selected
  image.SetByte(41655 + 18 * 6 + 10, 0x02);
  image.SetByte(41655 + 18 * 9 + 10, 0x01);
  image.SetByte(41961 + 21 * 5 + 19, 9);  // not the last byte
  image.SetByte(41961 + 21 * 7 + 20, 3);
  ApplySettingFixups(image, Filled(0xEE), 0);
  EXPECT_EQ(image.GetByte(660), 6);
  EXPECT_EQ(image.GetByte(661), 7);
}

TEST(ApplySettingFixups, BankFirstChannelPositions) {
  cmcEeprom image = Filled(0);
  const int counts[8] = {4, 4, 3, 0, 2, 0, 0, 0};
  for (int b = 0; b < 8; ++b) image.SetWord(41163 + 2 * b, counts[b]);
  SetReceive(image, 1, 1000, true);    // bank 0 position 1, inhibited
  SetReceive(image, 3, 1000, false);   // bank 0 position 3
  SetReceive(image, 6, 1000, true);    // bank 1 position 2, only inhibited
  SetReceive(image, 12, 1000, false);  // bank 4 position 1
  image.SetByte(670, 0x55);
  ApplySettingFixups(image, Filled(0), 0);
  const uint8_t expected[8] = {3, 2, 0, 0, 1, 0, 0, 0};
  for (int b = 0; b < 8; ++b) EXPECT_EQ(image.GetByte(667 + b), expected[b]) << "bank " << b;
}

TEST(LimitBankCounts, CountsFromTheOverflowingBankOnAreCleared) {
  struct Case {
    int in[8], out[8];
  };
  const Case cases[] = {
      {{60, 60, 20, 5, 0, 0, 0, 0}, {60, 60, 0, 0, 0, 0, 0, 0}},
      {{128, 0, 0, 0, 0, 0, 0, 0}, {128, 0, 0, 0, 0, 0, 0, 0}},
      {{100, 28, 0, 0, 0, 0, 0, 1}, {100, 28, 0, 0, 0, 0, 0, 0}},
      {{129, 0, 4, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}},
      {{16, 16, 16, 16, 16, 16, 16, 16}, {16, 16, 16, 16, 16, 16, 16, 16}},
  };
  for (const auto& c : cases) {
    cmcEeprom image = Filled(0);
    for (int b = 0; b < 8; ++b) image.SetWord(41163 + 2 * b, c.in[b]);
    LimitBankCounts(image);
    for (int b = 0; b < 8; ++b) EXPECT_EQ(image.GetWord(41163 + 2 * b), c.out[b]) << c.in[0] << " bank " << b;
  }
}

TEST(ApplySettingFixups, KeyDerivedOptionBits) {
  struct Case {
    const char* keys;
    int mode;  // low 2 bits of 41162
    uint8_t b41116, b41162, b41120;
  };
  // 41120 starts 0xE0: bits 5-7 survive only next to the bits 1-3 that stay set.
  const Case cases[] = {
      {"AB", 0, 0x00, 0x00, 0x00}, {"A f", 0, 0x01, 0x00, 0x00}, {"0", 0, 0x00, 0x00, 0x22}, {"4", 0, 0x00, 0x00, 0x44},
      {"5 ", 0, 0x01, 0x00, 0x88}, {"I", 0, 0x00, 0x04, 0x22},   {"I", 1, 0x00, 0x05, 0x44}, {"I", 2, 0x00, 0x06, 0x88},
      {"I", 3, 0x00, 0x07, 0x00},  {"3I", 2, 0x00, 0x06, 0xAA},
  };
  for (const auto& c : cases) {
    cmcEeprom image = Filled(0);
    std::memset(image.Data() + 35456, 'A', 32);
    std::memcpy(image.Data() + 35456 + 20, c.keys, std::strlen(c.keys));
    image.SetByte(41162, static_cast<uint8_t>(c.mode));
    image.SetByte(41120, 0xE0);
    ApplySettingFixups(image, Filled(0), 1);
    EXPECT_EQ(image.GetByte(41116), c.b41116) << c.keys << " " << c.mode;
    EXPECT_EQ(image.GetByte(41162), c.b41162) << c.keys << " " << c.mode;
    EXPECT_EQ(image.GetByte(41120), c.b41120) << c.keys << " " << c.mode;
  }
}

TEST(ApplySettingFixups, BlankTextsClearTheirFlags) {
  cmcEeprom image = Filled(0);
  std::memset(image.Data() + 42611, ' ', 16);
  image.SetByte(41118, 0x20);
  image.SetByte(46718, 0x80);
  ApplySettingFixups(image, Filled(0), 2);
  EXPECT_EQ(image.GetByte(41118), 0);
  EXPECT_EQ(image.GetByte(46718), 0);
}

TEST(ApplySettingFixups, PairAndItsCopies) {
  struct Case {
    const char* name;
    uint8_t flags, pair0, pair1, copy0, copy1;
    uint8_t outFlags, outPair0, outPair1, outCopy0, outCopy1;
  };
  const Case cases[] = {
      {"unlocked: copies refreshed, present bits derived", 0xC0, 7, 0, 1, 2, 0x20, 7, 0, 7, 0},
      {"unlocked, both set", 0x00, 7, 9, 0, 0, 0x30, 7, 9, 7, 9},
      {"locked: restored where present", 0x28, 1, 2, 7, 9, 0x20, 7, 2, 7, 9},
      {"locked, both present", 0xF8, 1, 2, 7, 9, 0xF0, 7, 9, 7, 9},
  };
  for (const auto& c : cases) {
    cmcEeprom image = Filled(0);
    image.SetByte(41192, c.flags);
    image.SetByte(41182, c.pair0);
    image.SetByte(41183, c.pair1);
    image.SetByte(41190, c.copy0);
    image.SetByte(41191, c.copy1);
    ApplySettingFixups(image, Filled(0), 0);  // the template clears the lock bit
    EXPECT_EQ(image.GetByte(41192), c.outFlags) << c.name;
    EXPECT_EQ(image.GetByte(41182), c.outPair0) << c.name;
    EXPECT_EQ(image.GetByte(41183), c.outPair1) << c.name;
    EXPECT_EQ(image.GetByte(41190), c.outCopy0) << c.name;
    EXPECT_EQ(image.GetByte(41191), c.outCopy1) << c.name;
  }
}

TEST(ApplySettingFixups, CommentTextsKeepOnlyPrintableBytes) {
  cmcEeprom image = Filled(0);
  const std::string text = "Fleet\x1F\x7F~ 7\x80";
  std::memcpy(image.Data() + 41230, text.data(), text.size());
  image.SetByte(41246 + 15, 0xFF);
  ApplySettingFixups(image, Filled(0), 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.Data() + 41230), 11), "Fleet  ~ 7 ");
  EXPECT_EQ(image.GetByte(41246 + 15), ' ');
}

TEST(CleanUpKeys, RetiredCodesBecomeCAndSwitchTheirFeatures) {
  struct Case {
    const char* name;
    std::vector<uint8_t> codes;  // written from key 0 on
    bool bit5, flag;
  };
  const Case cases[] = {
      {"27 and 38 cancel out", {27, 38}, false, false},
      {"37 counts for both", {37}, true, true},
      {"27 alone", {27}, false, true},
      {"38 alone", {38}, true, false},
      {"28 counts against both", {37, 28}, false, false},
      {"others stay", {1, 26, 29, 36, 39}, false, false},
  };
  for (const auto& c : cases) {
    cmcEeprom image = Filled(0);
    for (size_t i = 0; i < c.codes.size(); ++i) image.SetByte(35456 + static_cast<int>(i) * 3, c.codes[i]);
    image.SetByte(35456 + 16, 27);  // beyond the 16 keys
    CleanUpKeys(image);
    for (size_t i = 0; i < c.codes.size(); ++i) {
      const uint8_t k = c.codes[i];
      const bool retired = k == 27 || k == 28 || k == 37 || k == 38;
      EXPECT_EQ(image.GetByte(35456 + static_cast<int>(i) * 3), retired ? 'C' : k) << c.name;
    }
    EXPECT_EQ(image.GetByte(35456 + 16), 27) << c.name;
    EXPECT_EQ(GetBit(image, 46718, 5), c.bit5) << c.name;
    EXPECT_EQ(image.GetByte(46737), c.flag ? 1 : 0) << c.name;
  }
}

TEST(MigrateLists, MovesTheFieldOnceAndMarksTheLayout) {
  cmcEeprom image = Filled(0);
  for (int k = 0; k < 12; ++k) {
    image.SetByte(42449 + 14 * k + 10, 0xF4);
    image.SetByte(42449 + 14 * k + 12, 0xAE);
  }
  MigrateLists(image);
  EXPECT_EQ(image.GetByte(42449 + 10), 0xF6);
  EXPECT_EQ(image.GetByte(42449 + 12), 0xA2);
  EXPECT_EQ(image.GetByte(42449 + 14 * 10 + 10), 0xF6);
  EXPECT_EQ(image.GetByte(42449 + 14 * 11 + 10), 0xF4) << "only 11 code records";
  EXPECT_TRUE(GetBit(image, 41228, 7));
  image.SetByte(42449 + 12, 0x01);
  MigrateLists(image);
  EXPECT_EQ(image.GetByte(42449 + 10), 0xF6) << "already migrated";
}

}  // namespace
