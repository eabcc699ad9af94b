// List record kinds 5–20: golden bytes for the fields of each kind at the far end of
// its index range, and load/store leaving every record of every kind unchanged.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "ChannelTestImage.h"
#include "channel/datCh.h"

namespace {

struct ListCase {
  const char* what;
  int kind;
  int index;
  std::function<void(datCh&)> set;
  std::map<int, int> bytes;
};

class ListField : public ::testing::TestWithParam<ListCase> {};

TEST_P(ListField, StoreChangesExactlyTheFieldBytes) {
  const ListCase& c = GetParam();
  cmcEeprom before;
  chtest::MakeBase(before);
  cmcEeprom image;
  image.Assign(before);
  datCh rec(&image);
  rec.Load(c.kind, c.index);
  c.set(rec);
  rec.Store();
  EXPECT_EQ(chtest::Diff(before, image), c.bytes) << c.what;
}

const ListCase kListCases[] = {
    {"user character mask", 5, 3, [](datCh& r) { r.mask = 0x1234; }, {{0xA134, 0x12}, {0xA135, 0x34}}},
    {"DTMF name, last digit, length",
     6,
     2,
     [](datCh& r) {
       r.name[0] = 'Q';
       r.digits[23] = 0;
       r.dtmfLength = 12;
     },
     {{0xA413, 0x51}, {0xA426, 0xA0}, {0xA427, 0x0C}}},
    {"scan list flag byte and reference",
     7,
     16,
     [](datCh& r) {
       r.scanSet[0] = 0;
       r.scanRef[2] = 9;
     },
     {{0xA3DF, 0x00}, {0xA3E7, 0x09}}},
    {"tone pair transmit tone and select bit",
     8,
     10,
     [](datCh& r) {
       r.toneT.on = true;
       r.toneSel = false;
     },
     {{0xA241, 0x25}, {0xA0F7, 0x85}}},
    {"5-tone receive code",
     9,
     8,
     [](datCh& r) {
       r.digits[7] = 1;
       r.name[7] = ' ';
       r.settings[5] = 0;
     },
     {{0x8C5B, 0xA1}, {0xA648, 0x20}, {0xA64E, 0x00}}},
    {"5-tone transmit code",
     10,
     31,
     [](datCh& r) {
       r.digits[0] = 0xF;
       r.settings[1] = 7;
     },
     {{0x8C34, 0xF5}, {0xA5D0, 0x07}}},
    {"user tone words",
     11,
     14,
     [](datCh& r) {
       r.word = 0x0102;
       r.words[1] = 0xFFFF;
     },
     {{0xA16A, 0x01}, {0xA16B, 0x02}, {0xA1A6, 0xFF}, {0xA1A7, 0xFF}}},
    {"2-tone frequencies and bound",
     12,
     10,
     [](datCh& r) {
       r.twoToneFreq[1] = 1000.0;
       r.twoToneBound[3] = 1020.0;
       r.twoToneFreq[2] = 0.5;
       r.twoToneFreq[3] = 6553.5;
       r.twoToneFreq[4] = 0;
     },
     {{0x8C62, 0x27},
      {0x8C63, 0x10},
      {0xA19C, 0x27},
      {0xA19D, 0xD8},
      {0xA1C4, 0x00},
      {0xA1C5, 0x05},
      {0x8BDC, 0xFF},
      {0x8BDD, 0xFF},
      {0xA4EB, 0x00},
      {0xA4EC, 0x00}}},
    {"2-tone transmit common has no bytes",
     13,
     9,
     [](datCh& r) {
       r.name[0] = 0;
       r.word = 7;
     },
     {}},
    {"bank name", 14, 7, [](datCh& r) { r.name[7] = 'Z'; }, {{0xA216, 0x5A}}},
    {"MSK ID group",
     15,
     7,
     [](datCh& r) {
       r.word = 4095;
       r.name[0] = 'G';
       r.settings[2] = 1;
     },
     {{0xA6FD, 0x0F}, {0xA6FE, 0xFF}, {0xA6FF, 0x47}, {0xA70B, 0x01}}},
    {"MSK call list",
     16,
     31,
     [](datCh& r) {
       r.digits[3] = 9;
       r.settings[0] = 0x11;
     },
     {{0x8CE1, 0xA9}, {0xA859, 0x11}}},
    {"MSK status message",
     17,
     22,
     [](datCh& r) {
       r.name[0] = 'S';
       r.settings[3] = 0;
       r.name2[1] = 'T';
       r.settings2[0] = 0xFF;
     },
     {{0xAAAB, 0x53}, {0xAAB6, 0x00}, {0xA98C, 0x54}, {0xA993, 0xFF}}},
    {"MSK short text",
     18,
     7,
     [](datCh& r) {
       r.name[0] = 'M';
       r.settings[0] = 0;
     },
     {{0x8D1C, 0x4D}, {0xAAD1, 0x00}}},
    {"digital status message",
     19,
     31,
     [](datCh& r) {
       r.name[15] = '!';
       r.settings[0] = 0;
       r.name2[0] = 'D';
       r.settings2[3] = 0x5A;
     },
     {{0xAFCE, 0x21}, {0xAFCF, 0x00}, {0xAD3F, 0x44}, {0xAD52, 0x5A}}},
    {"MDC alias",
     20,
     99,
     [](datCh& r) {
       r.name[0] = 'A';
       r.word = 0x1234;
       r.settings[0] = 0;
       r.aliasType = 3;
     },
     {{0xB670, 0x41}, {0xB678, 0x12}, {0xB679, 0x34}, {0xB67A, 0x00}, {0xB67B, 0xA3}}},
};

INSTANTIATE_TEST_SUITE_P(Golden, ListField, ::testing::ValuesIn(kListCases));

TEST(datChList, LoadStoreLeavesEveryRecordUnchanged) {
  cmcEeprom before;
  chtest::MakeBase(before);
  cmcEeprom image;
  image.Assign(before);
  datCh rec(&image);
  for (int kind = 5; kind < datChKind::kCount; ++kind) {
    const datChKindInfo& info = datChKindOf(kind);
    for (int n = info.first; n <= info.last; ++n) {
      rec.Load(kind, n);
      rec.Store();
    }
  }
  EXPECT_TRUE(image.Equals(before));
}

TEST(datChList, LoadUnpacksFieldsFromTheirBytes) {
  cmcEeprom image;
  chtest::MakeBase(image);
  image.SetByte(0xA3E9 + 8, 0x12);  // DTMF 0: digits 1, 2
  image.SetByte(0xA3E9 + 20, 5);
  image.SetByte(0xB1CC + 11, 0x7C);  // alias 0 type: low nibble only
  datCh rec(&image);
  rec.Load(6, 0);
  EXPECT_EQ(rec.digits[0], 1);
  EXPECT_EQ(rec.digits[1], 2);
  EXPECT_EQ(rec.digits[2], 0xA);
  EXPECT_EQ(rec.dtmfLength, 5);
  rec.Load(20, 0);
  EXPECT_EQ(rec.aliasType, 0xC);
  EXPECT_EQ(rec.word, 0xA5A5);
  rec.Load(12, 1);
  EXPECT_DOUBLE_EQ(rec.twoToneFreq[0], 4240.5);  // 0xA5A5 tenths of a hertz
  rec.Load(8, 0);
  EXPECT_TRUE(rec.toneSel);  // bit 7 of 0xA0F6
  rec.Load(15, 0);
  EXPECT_EQ(rec.word, 0xA5A5);
  EXPECT_EQ(rec.name[0], 0xA5);
}

struct KindRangeCase {
  int kind;
  int first;
  int last;
  bool rowChange;
};

class KindTable : public ::testing::TestWithParam<KindRangeCase> {};

TEST_P(KindTable, RangeAndRowChangeFlag) {
  const KindRangeCase& c = GetParam();
  EXPECT_EQ(datChKindOf(c.kind).first, c.first);
  EXPECT_EQ(datChKindOf(c.kind).last, c.last);
  EXPECT_EQ(datChKindAllowsRowChange(c.kind), c.rowChange);
}

INSTANTIATE_TEST_SUITE_P(Table, KindTable,
                         ::testing::Values(KindRangeCase{1, 0, 127, true}, KindRangeCase{4, 0, 127, true},
                                           KindRangeCase{5, 0, 15, true}, KindRangeCase{6, 0, 7, false},
                                           KindRangeCase{7, 0, 16, false}, KindRangeCase{9, 1, 8, false},
                                           KindRangeCase{11, 0, 14, false}, KindRangeCase{12, 1, 10, false},
                                           KindRangeCase{17, 0, 22, false}, KindRangeCase{20, 0, 99, true},
                                           KindRangeCase{0, 0, -1, false}, KindRangeCase{21, 0, -1, false}));

}  // namespace
