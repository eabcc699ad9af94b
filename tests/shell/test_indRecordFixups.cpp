#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"
#include "shell/indImageFixups.h"

namespace {

constexpr int kMain = 32640;
constexpr int kExt = 39033;

cmcEeprom Filled(uint8_t value) {
  cmcEeprom image;
  image.SetSize(cmcEeprom::kImageSize);
  image.Fill(value);
  return image;
}

uint8_t* Main(cmcEeprom& image, int n) { return image.Data() + kMain + 22 * n; }
uint8_t* Ext(cmcEeprom& image, int n) { return image.Data() + kExt + 16 * n; }

void PutInUse(cmcEeprom& image, int n, bool txInhibit = false) {
  uint8_t* m = Main(image, n);
  m[0] = 0x1A, m[1] = 0x95, m[2] = 0x6A, m[3] = 0x20;  // 446 006 240 Hz
  m[4] = static_cast<uint8_t>(0x1A | (txInhibit ? 0x80 : 0)), m[5] = 0x95, m[6] = 0x6A, m[7] = 0x20;
}

TEST(ApplyRecordFixups, ChannelInUseKeepsItsFieldsAndTakesTheTemplatesOtherBits) {
  cmcEeprom t = Filled(0);
  std::memset(Main(t, 3) + 12, 'Z', 8);
  Main(t, 3)[20] = 0x98;  // bits 7, 4, 3: no field
  Ext(t, 3)[14] = 0x77;   // no field
  Ext(t, 3)[15] = 0xFF;   // bits 4 and 5 are lockout and power save
  cmcEeprom image = Filled(0);
  PutInUse(image, 3);
  std::memcpy(Main(image, 3) + 12, "ABCDEFGH", 8);
  Ext(image, 3)[14] = 0x11;
  ApplyRecordFixups(image, t, 1);
  EXPECT_EQ(image.GetWord(kMain + 22 * 3), 0x1A95);
  EXPECT_EQ(std::memcmp(Main(image, 3) + 12, "ABCDEFGH", 8), 0);
  EXPECT_EQ(Main(image, 3)[20], 0x98);
  EXPECT_EQ(Ext(image, 3)[14], 0x77);
  EXPECT_EQ(Ext(image, 3)[15], 0xCF);
}

// A slot left empty stays empty, whatever the template holds there: the dPMR446
// template repeats an in-use channel into every slot after its sixteenth.
TEST(ApplyRecordFixups, ChannelNotInUseBecomesTheTemplatesChannelStillNotInUse) {
  struct Case {
    uint8_t templateRx0;  // the template channel's first receive frequency byte
    const char* why;
  };
  const Case cases[] = {
      {0x00, "the template's channel is not in use either"},
      {0xC0, "the template's channel is in use (and receive-inhibited)"},
  };
  for (const auto& c : cases) {
    cmcEeprom t = Filled(0);
    for (int i = 0; i < 22; ++i) Main(t, 4)[i] = static_cast<uint8_t>(0x40 + i);
    Main(t, 4)[0] = c.templateRx0;
    Main(t, 4)[4] = 0x9A;  // transmit inhibited, in use
    Ext(t, 4)[6] = 0x09;
    cmcEeprom image = Filled(0);
    image.SetWord(cmcImageMap::kBankCounts, 8);  // channel 4 lies in bank 0
    image.SetByte(kMain + 22 * 4, 0x80);         // receive inhibit alone: not in use
    std::memcpy(Main(image, 4) + 12, "OLDNAME!", 8);
    ApplyRecordFixups(image, t, 3);
    const uint8_t* m = Main(image, 4);
    const uint8_t frequencies[8] = {static_cast<uint8_t>(c.templateRx0 & 0x80), 0, 0, 0, 0x80, 0, 0, 0};
    EXPECT_EQ(std::memcmp(m, frequencies, 8), 0) << c.why << ": both frequencies 0, the inhibit bits kept";
    EXPECT_EQ(std::memcmp(m + 8, Main(t, 4) + 8, 14), 0) << c.why;
    EXPECT_EQ(Ext(image, 4)[6], 0x09) << c.why;
  }
}

// The numbers count the channels of the banks; slots beyond them are not saved.
TEST(ApplyRecordFixups, NonPresetChannelsAreNumberedByTransmitInhibit) {
  struct Ch {
    int n;
    bool inUse, txInhibit, preset;
    uint8_t x5In, x5Out;
  };
  const Ch chs[] = {
      {0, true, false, false, 0x33, 0x00},  {1, true, true, false, 0x33, 0x00},
      {2, false, false, false, 0x33, 0x66}, {3, true, false, true, 0x80 | 40, 0x80 | 40},
      {4, true, false, false, 0x7F, 0x01},  {5, true, true, false, 0x00, 0x01},
      {6, true, false, false, 0x00, 0x02},  {7, true, false, false, 0x44, 0x44},
  };
  cmcEeprom t = Filled(0);
  for (const auto& c : chs) Ext(t, c.n)[5] = 0x66;
  Ext(t, 7)[5] = 0x44;
  cmcEeprom image = Filled(0);
  image.SetWord(cmcImageMap::kBankCounts, 5);  // banks 0 and 1 hold channels 0-6
  image.SetWord(cmcImageMap::kBankCounts + 2, 2);
  for (const auto& c : chs) {
    if (c.inUse) PutInUse(image, c.n, c.txInhibit);
    Ext(image, c.n)[5] = c.x5In;
  }
  ApplyRecordFixups(image, t, 1);
  for (const auto& c : chs) EXPECT_EQ(Ext(image, c.n)[5], c.x5Out) << "channel " << c.n;
}

// The channel mute (X 1 bit 0) and, on LMR and dPMR446 radios, X 2 bits 3-2 follow the
// receive code selection the channel leaves with, so that saving twice saves the same.
TEST(ApplyRecordFixups, ExtensionFlagsPerModelType) {
  struct Case {
    int type;
    uint8_t x3In, x11In;
    uint8_t x1, x2, x3, x7, x10, x11;
  };
  const Case cases[] = {
      // A receive code selection (X 11 = 0x40) and MSK bits in X 3.
      {0, 0x0C, 0x40, 0x01, 0x0C, 0x04, 0xC0, 0x5A, 0x40},
      {1, 0x0C, 0x40, 0x01, 0x00, 0x04, 0x00, 0x00, 0x40},
      {2, 0x0C, 0x40, 0x01, 0x00, 0x0C, 0xC0, 0x5A, 0xC0},
      {2, 0x04, 0x40, 0x01, 0x00, 0x00, 0x00, 0x00, 0x40},
      {3, 0x0C, 0x40, 0x01, 0x0C, 0x04, 0xC0, 0x5A, 0x40},
      {5, 0x0C, 0x40, 0x01, 0x0C, 0x04, 0xC0, 0x5A, 0x40},
      // No receive code: no mute, but an MSK channel of a QarnPmr radio leaves with X 11
      // bit 7, a code, and so muted.
      {0, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x5A, 0x00},
      {1, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
      {2, 0x08, 0x00, 0x01, 0x00, 0x08, 0xC0, 0x5A, 0x80},
      {2, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
  };
  for (const auto& c : cases) {
    cmcEeprom t = Filled(0);
    Ext(t, 0)[7] = 0xC0;
    Ext(t, 0)[10] = 0x5A;
    cmcEeprom image = Filled(0);
    PutInUse(image, 0);
    Ext(image, 0)[1] = static_cast<uint8_t>(c.x11In ? 0x00 : 0x01);  // a mute that disagrees
    Ext(image, 0)[3] = c.x3In;
    Ext(image, 0)[11] = c.x11In;
    ApplyRecordFixups(image, t, c.type);
    const uint8_t* x = Ext(image, 0);
    const std::string which =
        "type " + std::to_string(c.type) + " x3 " + std::to_string(c.x3In) + " x11 " + std::to_string(c.x11In);
    EXPECT_EQ(x[1], c.x1) << which;
    EXPECT_EQ(x[2], c.x2) << which;
    EXPECT_EQ(x[3], c.x3) << which;
    EXPECT_EQ(x[7], c.x7) << which;
    EXPECT_EQ(x[10], c.x10) << which;
    EXPECT_EQ(x[11], c.x11) << which;
    cmcEeprom again;
    again.Assign(image);
    ApplyRecordFixups(again, t, c.type);
    EXPECT_TRUE(again.Equals(image)) << which << ": a second pass changes nothing";
  }
}

TEST(ApplyRecordFixups, PresetEightyFiveLeavesTheFourthScanMap) {
  cmcEeprom image = Filled(0);
  PutInUse(image, 6);
  PutInUse(image, 7);
  Ext(image, 6)[5] = 0x80 | 84;  // preset 85
  Ext(image, 7)[5] = 0x80 | 83;  // preset 84
  std::memset(image.Data() + 0x8AA8, 0xFF, 64);
  ApplyRecordFixups(image, Filled(0), 1);
  EXPECT_EQ(image.GetByte(35544), 0xFD);
  EXPECT_EQ(image.GetByte(35528), 0xFF) << "the third map keeps channel 6";
}

TEST(ApplyRecordFixups, LmrTwoToneBoundsFollowTheirTones) {
  struct Case {
    int type;
    int bounds[4];  // tenths of a hertz
  };
  // Tones 1000.0 Hz and 1234.5 Hz; bounds at 2 %, to the nearest hertz.
  const Case cases[] = {{0, {9800, 10200, 12100, 12590}}, {4, {9800, 10200, 12100, 12590}}, {3, {1, 2, 3, 4}}};
  for (const auto& c : cases) {
    cmcEeprom image = Filled(0);
    image.SetWord(0x8C38 + 4 * 2, 10000);
    image.SetWord(0x8C38 + 4 * 2 + 2, 12345);
    for (int i = 0; i < 4; ++i) image.SetWord(0xA146 + 8 * 2 + 2 * i, i + 1);
    ApplyRecordFixups(image, Filled(0), c.type);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(image.GetWord(0xA146 + 16 + 2 * i), c.bounds[i]) << c.type << " " << i;
    EXPECT_EQ(image.GetWord(0x8C38 + 8), 10000);
  }
}

TEST(ApplyRecordFixups, CodeRecordFlagsFromTheTemplate) {
  struct Case {
    int type;
    uint8_t b8, b10, b11, b12;
  };
  const Case cases[] = {{0, 0xAA, 0xC8, 0x40, 0x80}, {1, 0, 0x08, 0, 0}, {2, 0, 0x08, 0, 0}, {3, 0, 0x08, 0, 0}};
  for (const auto& c : cases) {
    cmcEeprom t = Filled(0);
    cmcEeprom image = Filled(0);
    for (int k = 0; k < 11; ++k) {
      uint8_t* r = t.Data() + 42449 + 14 * k;
      r[8] = 0xAA, r[10] = 0xFF, r[11] = 0xFF, r[12] = 0xFF;
    }
    ApplyRecordFixups(image, t, c.type);
    for (int k : {0, 10}) {
      const uint8_t* r = image.Data() + 42449 + 14 * k;
      EXPECT_EQ(r[8], c.b8) << c.type;
      EXPECT_EQ(r[10], c.b10) << c.type;
      EXPECT_EQ(r[11], c.b11) << c.type;
      EXPECT_EQ(r[12], c.b12) << c.type;
    }
    EXPECT_EQ(image.GetByte(42449 + 14 * 11 + 10), 0) << "only 11 records";
  }
}

TEST(ApplyRecordFixups, TonePairsKeepTheirTonesAndTakeTheOtherBits) {
  cmcEeprom t = Filled(0);
  cmcEeprom image = Filled(0);
  for (int k = 0; k < 40; ++k) {
    const uint8_t tt[4] = {0x1E, 0x33, 0xDE, 0x44};
    const uint8_t in[4] = {0x00, 0x05, 0x80, 0x00};
    t.WriteBlock(41495 + 4 * k, tt, 4);
    image.WriteBlock(41495 + 4 * k, in, 4);
  }
  ApplyRecordFixups(image, t, 0);
  for (int k : {0, 39}) {
    const uint8_t* p = image.Data() + 41495 + 4 * k;
    EXPECT_EQ(p[0], 0x1E);
    EXPECT_EQ(p[1], 0x05);
    EXPECT_EQ(p[2], 0x9E);
    EXPECT_EQ(p[3], 0x00);
  }
}

TEST(ApplyRecordFixups, TransmitCodeAndMskTableBits) {
  struct Case {
    int type;
    uint8_t txByte9, group12, group14, callByte9, statusByte8;
  };
  const Case cases[] = {
      {0, 0x10, 0, 0, 0, 0},
      {1, 0, 0, 0, 0, 0},
      {2, 0, 0xF8, 0x80, 0xC0, 0x40},
      {3, 0x10, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const cmcEeprom t = Filled(0xFF);
    cmcEeprom image = Filled(0);
    ApplyRecordFixups(image, t, c.type);
    EXPECT_EQ(image.GetByte(42129 + 10 * 31 + 9), c.txByte9) << c.type;
    EXPECT_EQ(image.GetByte(42637 + 16 * 7 + 12), c.group12) << c.type;
    EXPECT_EQ(image.GetByte(42637 + 16 * 7 + 14), c.group14) << c.type;
    EXPECT_EQ(image.GetByte(42637 + 16 * 7 + 10), c.type == 2 ? 0xFF : 0) << c.type;
    EXPECT_EQ(image.GetByte(42779 + 10 * 31 + 9), c.callByte9) << c.type;
    EXPECT_EQ(image.GetByte(43427 + 12 * 23 + 8), c.statusByte8) << c.type;
  }
}

}  // namespace
