#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "shell/indImagePacking.h"
#include "shell/indPackBlocks.h"

namespace {

using namespace cmcImageMap;

cmcEeprom NewImage() {
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  return image;
}

uint8_t Pattern(int block, int element, int byte) { return static_cast<uint8_t>(block * 7 + element * 13 + byte + 1); }

// Writes a directory the way a radio would: entries of entrySize bytes at address dir,
// header at 544, each block's data written by the caller.
struct Entry {
  int id, size, count, address;
};

void WriteDirectory(cmcEeprom& image, const std::vector<Entry>& entries, int dir, int entrySize = 10) {
  image.SetWord(kDirHeader, 1);
  image.SetWord(kDirHeader + 2, entrySize);
  image.SetWord(kDirHeader + 4, static_cast<int>(entries.size()));
  image.SetWord(kDirHeader + 6, dir);
  for (size_t i = 0; i < entries.size(); ++i) {
    const int at = dir + static_cast<int>(i) * entrySize;
    image.SetWord(at, entries[i].id);
    image.SetWord(at + 2, entries[i].size);
    image.SetWord(at + 4, entries[i].count);
    image.SetWord(at + 6, entries[i].address);
  }
}

// Fills count elements of size bytes apart at address with the block's pattern.
void WriteElements(cmcEeprom& image, int block, int address, int size, int count) {
  for (int k = 0; k < count; ++k)
    for (int j = 0; j < size; ++j) image.SetByte(address + k * size + j, Pattern(block, k, j));
}

TEST(UnpackImage, CutsOversizedChannelsToTheTableAndReadsAtTheClaimedStride) {
  cmcEeprom image = NewImage();
  image.SetWord(kPackBase, 768);
  WriteElements(image, 2, 1000, 24, 130);
  WriteDirectory(image, {{2, 24, 130, 1000}}, 5000);
  image.SetByte(35456, 0xEE);  // just past the 128 channel slots
  UnpackImage(image);
  for (int k : {0, 1, 64, 127}) {
    EXPECT_EQ(image.GetByte(32640 + 22 * k), Pattern(2, k, 0)) << "element " << k;
    EXPECT_EQ(image.GetByte(32640 + 22 * k + 21), Pattern(2, k, 21)) << "element " << k;
  }
  EXPECT_EQ(image.GetByte(35456), 0xEE) << "elements 128 and 129 are not copied";
  EXPECT_EQ(image.GetWord(kFixedDirectory + 4), 130) << "the fixed table keeps the entry as read";
}

TEST(UnpackImage, RebasesBlockAddressesButNotTheDirectory) {
  cmcEeprom image = NewImage();
  image.SetWord(kPackBase, 0x1000);
  // The radio says 0x1100; with base 0x1000 that is image address 0x100 + 768.
  WriteElements(image, 5, 0x100 + 768, 40, 1);
  WriteDirectory(image, {{5, 40, 1, 0x1100}}, 6000);
  UnpackImage(image);
  EXPECT_EQ(image.GetByte(35456), Pattern(5, 0, 0));
  EXPECT_EQ(image.GetByte(35456 + 39), Pattern(5, 0, 39));
}

TEST(UnpackImage, ShortElementsKeepTheRestOfEachFixedElement) {
  cmcEeprom image = NewImage();
  image.SetWord(kPackBase, 768);
  std::memset(image.Data() + 41655, 0xAB, 17 * 18);
  WriteElements(image, 13, 2000, 10, 17);
  WriteDirectory(image, {{13, 10, 17, 2000}}, 5000);
  UnpackImage(image);
  EXPECT_EQ(image.GetByte(41655 + 18 * 3 + 9), Pattern(13, 3, 9));
  EXPECT_EQ(image.GetByte(41655 + 18 * 3 + 10), 0xAB);
  EXPECT_EQ(image.GetByte(41655 + 18 * 16 + 0), Pattern(13, 16, 0));
}

TEST(UnpackImage, MissingDirectoryAndMissingBlocksLeaveTheFixedLayout) {
  struct Case {
    const char* name;
    int version;
    std::vector<Entry> entries;
  };
  const Case cases[] = {
      {"version word is not 1", 2, {{6, 149, 1, 2000}, {43, 12, 5, 3000}}},
      {"block 6 and 43 not listed", 1, {{5, 40, 1, 2000}}},
  };
  for (const auto& c : cases) {
    cmcEeprom image = NewImage();
    image.SetWord(kPackBase, 768);
    std::memset(image.Data() + 41081, 0x5C, 149);
    image.SetWord(kMdcAliasCount, 77);
    WriteElements(image, 99, 2000, 1, 200);
    WriteDirectory(image, c.entries, 5000);
    image.SetWord(kDirHeader, c.version);
    UnpackImage(image);
    EXPECT_EQ(image.GetByte(41081), 0x5C) << c.name;
    EXPECT_EQ(image.GetByte(41081 + 148), 0x5C) << c.name;
    EXPECT_EQ(image.GetWord(kMdcAliasCount), 77) << c.name;
  }
}

TEST(UnpackImage, BlockSixIsClearedBeforeAShortCopy) {
  cmcEeprom image = NewImage();
  image.SetWord(kPackBase, 768);
  std::memset(image.Data() + 41081, 0x5C, 149);
  image.SetByte(41081 + 149, 0x5C);
  WriteElements(image, 6, 2000, 10, 1);
  WriteDirectory(image, {{6, 10, 1, 2000}}, 5000);
  UnpackImage(image);
  EXPECT_EQ(image.GetByte(41081 + 9), Pattern(6, 0, 9));
  EXPECT_EQ(image.GetByte(41081 + 10), 0);
  EXPECT_EQ(image.GetByte(41081 + 148), 0);
  EXPECT_EQ(image.GetByte(41081 + 149), 0x5C) << "the byte after block 6 is not block 6";
}

TEST(UnpackImage, ListCountIsTheNumberOfAliasesTaken) {
  const struct { int claimed, expected; } cases[] = {{0, 0}, {37, 37}, {100, 100}, {250, 100}};
  for (const auto& c : cases) {
    cmcEeprom image = NewImage();
    image.SetWord(kPackBase, 768);
    WriteDirectory(image, {{43, 12, c.claimed, 2000}}, 5500);
    UnpackImage(image);
    EXPECT_EQ(image.GetWord(kMdcAliasCount), c.expected) << c.claimed;
  }
}

TEST(UnpackImage, DirectoryLimitsAndNarrowEntries) {
  cmcEeprom image = NewImage();
  image.SetWord(kPackBase, 768);
  // 8-byte entries, 8 apart: bytes 8 and 9 of each fixed entry are not touched.
  image.SetByte(kFixedDirectory + 8, 0x77);
  WriteElements(image, 12, 2000, 16, 17);
  WriteDirectory(image, {{12, 16, 17, 2000}, {15, 4, 32, 2400}}, 5000, 8);
  UnpackImage(image);
  EXPECT_EQ(image.GetByte(35496), Pattern(12, 0, 0));
  EXPECT_EQ(image.GetWord(kFixedDirectory + 10), 15);
  EXPECT_EQ(image.GetByte(kFixedDirectory + 8), 0x77);

  // A block listed as the 51st entry is beyond the 50 the table holds.
  cmcEeprom many = NewImage();
  many.SetWord(kPackBase, 768);
  std::vector<Entry> entries(50, Entry{1000, 1, 1, 2000});
  entries.push_back({5, 40, 1, 2000});
  WriteElements(many, 5, 2000, 40, 1);
  WriteDirectory(many, entries, 5000);
  UnpackImage(many);
  EXPECT_EQ(many.GetByte(35456), 0);
}

TEST(UnpackImage, SourcesOutsideTheExchangedRangeAreNotCopied) {
  cmcEeprom image = NewImage();
  image.SetWord(kPackBase, 768);
  std::memset(image.Data() + 36132, 0x11, 4);
  WriteDirectory(image, {{40, 4, 1, 0x7D7E}, {5, 40, 1, 0xFFF0}}, 5000);
  UnpackImage(image);
  EXPECT_EQ(image.GetByte(36132), 0x11);
  EXPECT_EQ(image.GetByte(35456), 0);
}

TEST(UnpackInitialImage, UsesTheTablesCountsAndRepeatsTemplateElements) {
  cmcEeprom image = NewImage();
  image.SetWord(kPackBase, 0x2000);  // ignored: initial entries are image addresses
  WriteElements(image, 2, 1000, 22, 16);
  WriteElements(image, 3, 1400, 16, 1);
  WriteElements(image, 12, 1500, 16, 17);
  WriteElements(image, 5, 1800, 40, 1);
  WriteElements(image, 43, 1900, 12, 1);
  WriteDirectory(image, {{2, 1, 1, 1000}, {3, 16, 1, 1400}, {12, 16, 17, 1500}, {5, 10, 1, 1800}, {43, 12, 1, 1900}},
                 5000);
  UnpackInitialImage(image);
  EXPECT_EQ(image.GetByte(32640 + 22 * 14 + 5), Pattern(2, 14, 5));
  EXPECT_EQ(image.GetByte(32640 + 22 * 15 + 21), Pattern(2, 15, 21));
  EXPECT_EQ(image.GetByte(32640 + 22 * 16 + 21), Pattern(2, 15, 21)) << "element 16 repeats element 15";
  EXPECT_EQ(image.GetByte(32640 + 22 * 127 + 3), Pattern(2, 15, 3));
  EXPECT_EQ(image.GetByte(39033 + 16 * 127 + 15), Pattern(3, 0, 15)) << "first element repeated";
  EXPECT_EQ(image.GetByte(35496 + 16 * 16 + 2), Pattern(12, 16, 2)) << "distinct elements";
  EXPECT_EQ(image.GetByte(35456 + 39), Pattern(5, 0, 39)) << "a single block takes the table's size";
  EXPECT_EQ(image.GetByte(45516 + 12 * 99 + 11), Pattern(43, 0, 11));
  EXPECT_EQ(image.GetWord(kMdcAliasCount), 1) << "only the aliases the directory lists are in use";
}

// A full image: every fixed block holds distinct bytes, 128 channels, 100 aliases.
cmcEeprom FullImage() {
  cmcEeprom image = NewImage();
  for (const auto& block : PackBlocks()) {
    if (block.unpackCount == 0) continue;  // 39 is zeros; 21 to 23 pack bytes other blocks own
    const int count = block.unpackCount ? block.unpackCount : 1;
    WriteElements(image, block.id, block.fixed, block.elementSize, count);
  }
  for (int b = 0; b < 8; ++b) image.SetWord(kBankCounts + 2 * b, b < 4 ? 32 : 0);
  image.SetWord(kMdcAliasCount, 100);
  for (int a = 640; a < 681; ++a) image.SetByte(a, static_cast<uint8_t>(a));
  return image;
}

std::vector<int> DirectoryIds(const cmcEeprom& image) {
  std::vector<int> ids;
  const int count = image.GetWord(kDirHeader + 4);
  const int dir = image.GetWord(kDirHeader + 6);
  for (int i = 0; i < count; ++i) ids.push_back(image.GetWord(dir + 10 * i));
  return ids;
}

TEST(PackImage, BlockSetAndHeaderWordsPerModelType) {
  struct Case {
    int modelType;
    std::vector<int> ids;
    int groupOneEnd, budget, packedEnd;
  };
  const std::vector<int> lmr = {39, 2,  5,  12, 15, 49, 40, 3,  6,  7,  8,  9, 10,
                                11, 13, 14, 16, 17, 18, 19, 20, 41, 42, 43, 48};
  const std::vector<int> qarn = {39, 2,  5,  12, 15, 49, 27, 32, 40, 3,  6,  7,  8,  9,  10, 11, 13, 14,
                                 16, 17, 18, 19, 20, 28, 29, 26, 25, 24, 30, 31, 33, 41, 42, 43, 48};
  const std::vector<int> dpmr = {39, 2,  5,  12, 15, 49, 40, 21, 22, 23, 3,  6,  7,  8,  9,  10, 11,
                                 13, 14, 16, 17, 18, 19, 20, 34, 35, 36, 37, 38, 41, 42, 43, 48};
  const Case cases[] = {
      {0, lmr, 4584, 9793, 9839},    {1, lmr, 4584, 9793, 9839}, {2, qarn, 4776, 11179, 11225},
      {3, dpmr, 4584, 14398, 14444}, {4, lmr, 4584, 9793, 9839}, {5, lmr, 4584, 9793, 9839},
  };
  for (const auto& c : cases) {
    cmcEeprom image = FullImage();
    EXPECT_FALSE(PackImage(image, c.modelType)) << c.modelType;
    EXPECT_EQ(DirectoryIds(image), c.ids) << c.modelType;
    EXPECT_EQ(image.GetWord(kBudgetWord1), c.groupOneEnd) << c.modelType;
    EXPECT_EQ(image.GetWord(kBudgetWord2), c.budget) << c.modelType;
    EXPECT_EQ(image.GetWord(kPackedEnd), c.packedEnd) << c.modelType;
    EXPECT_LT(image.GetWord(kPackedEnd), 14500) << c.modelType;
    EXPECT_EQ(image.GetWord(kPackBase), 768);
    const int marker = image.GetWord(kPackedEnd) - image.GetWord(kPackBase) + 760;
    EXPECT_EQ(std::memcmp(image.Data() + marker, "ZELK Inc", 8), 0) << c.modelType;
    EXPECT_EQ(image.GetWord(kDirHeader), 1);
    EXPECT_EQ(image.GetWord(kDirHeader + 2), 10);
    EXPECT_EQ(image.GetWord(kDirHeader + 6), marker - 10 * static_cast<int>(c.ids.size()));
  }
}

TEST(PackImage, GoldenBytesOfAnLmrPack) {
  cmcEeprom image = FullImage();
  image.SetByte(kFixedDirectory + 10 * 7 + 8, 0x42);  // the spare bytes of entry 7 stay
  std::memset(image.Data() + 32128, 0x99, 512);
  PackImage(image, 0);
  EXPECT_EQ(image.GetByte(768), 0) << "block 39 is zeros";
  EXPECT_EQ(image.GetByte(1279), 0);
  EXPECT_EQ(image.GetByte(1280), Pattern(2, 0, 0)) << "channel 0 follows block 39";
  EXPECT_EQ(image.GetByte(1280 + 22 * 127 + 21), Pattern(2, 127, 21));
  EXPECT_EQ(image.GetByte(4096), Pattern(5, 0, 0));
  EXPECT_EQ(image.GetByte(4584), Pattern(3, 0, 0)) << "group 2 starts where group 1 ended";
  EXPECT_EQ(image.GetByte(8345 + 12 * 99 + 11), Pattern(43, 99, 11)) << "the 100th alias";
  EXPECT_EQ(image.GetByte(9545), Pattern(48, 0, 0));
  EXPECT_EQ(image.GetByte(9580), Pattern(48, 0, 35));
  // Directory entry 7 (block 3) at 9581 + 70.
  const int entry = 9581 + 70;
  EXPECT_EQ(image.GetWord(entry), 3);
  EXPECT_EQ(image.GetWord(entry + 2), 16);
  EXPECT_EQ(image.GetWord(entry + 4), 128);
  EXPECT_EQ(image.GetWord(entry + 6), 4584);
  EXPECT_EQ(image.GetByte(entry + 8), 0x42);
  EXPECT_EQ(image.GetByte(9839), 0) << "nothing after the marker";
  EXPECT_EQ(image.GetByte(32128), 0);
  EXPECT_EQ(image.GetByte(32639), 0);
  EXPECT_EQ(image.GetByte(650), 650 & 0xFF) << "the header area below 768 is kept";
}

TEST(PackImage, ChannelAndListCountsFollowTheImage) {
  cmcEeprom image = FullImage();
  for (int b = 0; b < 8; ++b) image.SetWord(kBankCounts + 2 * b, 0);
  image.SetWord(kBankCounts, 5);
  image.SetWord(kBankCounts + 2, 3);
  image.SetWord(kMdcAliasCount, 0);
  PackImage(image, 0);
  // 8 channels: block 2 is 176 bytes, block 3 128; no aliases.
  EXPECT_EQ(image.GetWord(kBudgetWord1), 1944);
  const int dir = image.GetWord(kDirHeader + 6);
  EXPECT_EQ(dir, 3821);
  EXPECT_EQ(image.GetWord(dir + 10 * 1 + 4), 8) << "block 2 count";
  EXPECT_EQ(image.GetWord(dir + 10 * 7 + 4), 8) << "block 3 count";
  EXPECT_EQ(image.GetWord(dir + 10 * 7 + 6), 1944) << "block 3 address";
  EXPECT_EQ(image.GetWord(dir + 10 * 23), 43);
  EXPECT_EQ(image.GetWord(dir + 10 * 23 + 4), 0) << "block 43 is listed with no aliases";
  EXPECT_EQ(image.GetWord(dir + 10 * 24 + 6), 3785) << "block 48 address";
}

TEST(PackImage, ChannelCountIsCappedAtTheSlots) {
  cmcEeprom image = FullImage();
  for (int b = 0; b < 8; ++b) image.SetWord(kBankCounts + 2 * b, 60);
  image.SetWord(kMdcAliasCount, 0xFFFF);
  EXPECT_FALSE(PackImage(image, 3));
  const int dir = image.GetWord(kDirHeader + 6);
  EXPECT_EQ(image.GetWord(dir + 10 * 1 + 4), 128);
  EXPECT_EQ(image.GetWord(dir + 10 * 31 + 4), 100);
}

TEST(PackImage, RoundTripKeepsEveryFixedByte) {
  for (int modelType : {0, 1, 2, 3}) {
    const cmcEeprom full = FullImage();
    for (int n = 0; n < 128; ++n) {
      const uint8_t* m = full.Data() + 32640 + 22 * n;
      ASSERT_NE((m[0] & 0x7F) | m[1] | m[2] | m[3], 0) << "channel " << n << " is in use";
    }
    cmcEeprom packed = full;
    ASSERT_FALSE(PackImage(packed, modelType));
    // Only the exchanged range travels to the radio and back.
    cmcEeprom back = NewImage();
    back.WriteBlock(0, packed.Data(), cmcEeprom::kEepromSize);
    UnpackImage(back);
    for (const auto& block : PackBlocks()) {
      if (block.unpackCount == 0 || !IsPackedFor(block, modelType)) continue;
      const int bytes = block.elementSize * block.unpackCount;
      EXPECT_EQ(std::memcmp(back.Data() + block.fixed, full.Data() + block.fixed, static_cast<size_t>(bytes)), 0)
          << "type " << modelType << " block " << block.id;
    }
    EXPECT_EQ(back.GetWord(kMdcAliasCount), 100);
    EXPECT_EQ(std::memcmp(back.Data() + kFixedDirectory, packed.Data() + kFixedDirectory, 500), 0);
  }
}

}  // namespace
