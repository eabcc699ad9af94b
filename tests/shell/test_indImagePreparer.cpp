#include <gtest/gtest.h>

#include <cstring>

#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "shell/indImageBits.h"
#include "shell/indImagePacking.h"
#include "shell/indImagePreparer.h"

namespace {

using namespace cmcImageMap;

cmcEeprom Filled(uint8_t value) {
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  image.Fill(value);
  return image;
}

// The packed address of a block's first byte, from the directory.
int PackedAddress(const cmcEeprom& image, int id) {
  const int dir = image.GetWord(kDirHeader + 6);
  for (int i = 0; i < image.GetWord(kDirHeader + 4); ++i)
    if (image.GetWord(dir + 10 * i) == id) return image.GetWord(dir + 10 * i + 6);
  return -1;
}

int PackedCount(const cmcEeprom& image, int id) {
  const int dir = image.GetWord(kDirHeader + 6);
  for (int i = 0; i < image.GetWord(kDirHeader + 4); ++i)
    if (image.GetWord(dir + 10 * i) == id) return image.GetWord(dir + 10 * i + 4);
  return -1;
}

struct Prepared {
  cmcEeprom image;
  int identityClears = 0;
};

cmcEeprom Template() {
  cmcEeprom t = Filled(0);
  t.SetByte(42604, 0x5E);
  t.SetByte(42603, 7);
  t.SetByte(41228, 0x80);
  return t;
}

// A radio image whose fixed layout has retired key codes, an old code-record layout,
// too many channels in its banks and a data revision of 0, packed the radio's way.
cmcEeprom LoadedImage() {
  cmcEeprom image = Filled(0);
  image.SetByte(35456 + 2, 27);
  image.SetByte(35456 + 9, 38);
  image.SetByte(35456 + 12, 37);
  image.SetByte(42449 + 12, 0x03);
  const int counts[4] = {60, 60, 20, 5};
  for (int b = 0; b < 4; ++b) image.SetWord(kBankCounts + 2 * b, counts[b]);
  PackImage(image, 0);
  // Only the exchanged range arrives; the fixed layout is whatever was there before.
  std::memset(image.Data() + cmcEeprom::kEepromSize, 0xCC, cmcEeprom::kImageSize - cmcEeprom::kEepromSize);
  return image;
}

Prepared Prepare(cmcEeprom image, int purpose, int modelType = 0) {
  Prepared p{std::move(image)};
  const cmcEeprom t = Template();
  indImagePreparer(t, modelType, [&] { ++p.identityClears; }).PrepareImage(p.image, purpose);
  return p;
}

TEST(PrepareImage, AfterLoadingUnpacksCleansUpAndStamps) {
  const cmcEeprom loaded = LoadedImage();
  const Prepared p = Prepare(loaded, indImagePreparer::kLoaded);
  EXPECT_EQ(p.identityClears, 1);
  const uint8_t* keys = p.image.Data() + 35456;
  EXPECT_EQ(keys[2], 'C');
  EXPECT_EQ(keys[9], 'C');
  EXPECT_EQ(keys[12], 'C');
  EXPECT_TRUE(GetBit(p.image, 46718, 5)) << "B = 1 after 27, 38 and 37";
  EXPECT_EQ(p.image.GetByte(46737), 1) << "A = 1";
  EXPECT_EQ(p.image.GetByte(42449 + 10), 0x03) << "code field migrated";
  EXPECT_EQ(p.image.GetByte(41228), 0x80) << "layout bit set, then the template's";
  EXPECT_EQ(p.image.GetWord(kBankCounts + 4), 0);
  EXPECT_EQ(p.image.GetWord(kBankCounts + 6), 0);
  EXPECT_EQ(p.image.GetByte(42603), 1);
  EXPECT_EQ(p.image.GetByte(42604), 0x5E);
  EXPECT_EQ(std::memcmp(p.image.Data(), loaded.Data(), 640), 0) << "the packed area is not rebuilt";
  EXPECT_EQ(std::memcmp(p.image.Data() + 768, loaded.Data() + 768, cmcEeprom::kEepromSize - 768), 0);
  EXPECT_EQ(p.image.GetByte(37000), 0xCC) << "fixed bytes outside every block are left";
}

TEST(PrepareImage, BeforeSavingOrWritingPacksTheFixedState) {
  for (int purpose : {indImagePreparer::kSave, indImagePreparer::kWrite}) {
    cmcEeprom image = Prepare(LoadedImage(), indImagePreparer::kLoaded).image;
    image.SetByte(35456 + 4, 28);  // the key clean-up runs only after loading
    image.SetByte(42603, 9);
    image.SetWord(kBankCounts + 4, 20);
    const Prepared p = Prepare(image, purpose);
    EXPECT_EQ(p.identityClears, 1) << purpose;
    EXPECT_EQ(p.image.GetByte(35456 + 4), 28) << purpose;
    EXPECT_EQ(PackedCount(p.image, 2), 120) << "bank 2 cut before packing";
    const int keys = PackedAddress(p.image, 5);
    EXPECT_EQ(p.image.GetByte(keys + 4), 28);
    EXPECT_EQ(p.image.GetByte(keys + 32) & 0x40, 0x40) << "bit 6 of 35488 is in the packed keys";
    const int revision = PackedAddress(p.image, 18);
    EXPECT_EQ(p.image.GetByte(revision), 1) << "the packed copy carries the stamp";
    EXPECT_EQ(p.image.GetByte(revision + 1), 0x5E);
    const int marker = p.image.GetWord(kPackedEnd) - p.image.GetWord(kPackBase) + 760;
    EXPECT_EQ(std::memcmp(p.image.Data() + marker, "ZELK Inc", 8), 0);
  }
}

TEST(PrepareImage, SavedImageReadsBackToTheSameFixedLayout) {
  const cmcEeprom saved = Prepare(Prepare(LoadedImage(), indImagePreparer::kLoaded).image, 1).image;
  cmcEeprom reopened = Filled(0);
  reopened.WriteBlock(0, saved.Data(), cmcEeprom::kEepromSize);
  UnpackImage(reopened);
  for (const auto& [at, size] : {std::pair{35456, 40}, {41081, 149}, {42603, 8}, {41163, 16}})
    EXPECT_EQ(std::memcmp(reopened.Data() + at, saved.Data() + at, static_cast<size_t>(size)), 0) << at;
}

}  // namespace
