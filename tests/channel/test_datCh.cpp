// Memory channel records (kinds 1–4): golden bytes for every field, unmodelled bits,
// derived attributes and their radio-wide pointers, scan memberships.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "ChannelTestImage.h"
#include "channel/datCh.h"
#include "image/cmcImageMap.h"

using chtest::M;
using chtest::X;

namespace {

constexpr int kN = 5;

struct FieldCase {
  const char* what;
  int kind;
  std::function<void(datCh&)> set;
  std::map<int, int> bytes;  // every image byte the store must change, with its new value
};

class ChannelField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(ChannelField, StoreChangesExactlyTheFieldBits) {
  const FieldCase& c = GetParam();
  cmcEeprom before;
  chtest::MakeBase(before);
  cmcEeprom image;
  image.Assign(before);
  datCh ch(&image);
  ch.Load(c.kind, kN);
  c.set(ch);
  ch.Store();
  EXPECT_EQ(chtest::Diff(before, image), c.bytes) << c.what;
}

const FieldCase kFieldCases[] = {
    {"receive inhibit off", 1, [](datCh& c) { c.inhR = false; }, {{M(kN, 0), 0x1A}}},
    {"transmit inhibit off", 1, [](datCh& c) { c.inhT = false; }, {{M(kN, 4), 0x1A}}},
    {"receive frequency clamped",
     1,
     [](datCh& c) { c.freqR = 850000000; },
     {{M(kN, 0), 0xAF}, {M(kN, 1), 0xAF}, {M(kN, 2), 0x07}, {M(kN, 3), 0xCE}}},
    {"transmit frequency",
     1,
     [](datCh& c) { c.freqT = 451000000; },
     {{M(kN, 5), 0xE1}, {M(kN, 6), 0xB6}, {M(kN, 7), 0xC0}}},
    {"receive tone on", 1, [](datCh& c) { c.toneR.on = true; }, {{M(kN, 8), 0x25}}},
    {"receive CTCSS index", 1, [](datCh& c) { c.toneR.ctcssIndex = 0x12; }, {{M(kN, 9), 0x12}}},
    {"transmit tone DTCS", 1, [](datCh& c) { c.toneT.dtcs = true; }, {{M(kN, 10), 0xE5}}},
    {"transmit tone polarity", 1, [](datCh& c) { c.toneT.inverted = false; }, {{M(kN, 10), 0x85}}},
    {"name character", 1, [](datCh& c) { c.chName[0] = 'X'; }, {{M(kN, 12), 0x58}}},
    {"channel mode", 1, [](datCh& c) { c.chMode = 2; }, {{M(kN, 20), 0x86}}},
    {"duplex flag", 1, [](datCh& c) { c.dup = false; }, {{M(kN, 20), 0x81}}},
    {"width", 1, [](datCh& c) { c.width = 1; }, {{M(kN, 20), 0xC5}}},
    {"scan list number", 1, [](datCh& c) { c.scanList = 7; }, {{M(kN, 21), 0x07}}},
    {"power level", 1, [](datCh& c) { c.rfPower = 2; }, {{X(kN, 0), 0xA6}}},
    {"lockout across two bytes", 1, [](datCh& c) { c.lockout = 6; }, {{X(kN, 0), 0xA9}, {X(kN, 15), 0xB5}}},
    {"time-out timer", 1, [](datCh& c) { c.tot = true; }, {{X(kN, 0), 0xB5}}},
    {"scan-list select", 1, [](datCh& c) { c.scanListSel = false; }, {{X(kN, 0), 0x85}}},
    {"monitor", 2, [](datCh& c) { c.moniPmr = true; }, {{X(kN, 0), 0xE5}}},
    {"power save high bit", 1, [](datCh& c) { c.powerSave = 1; }, {{X(kN, 15), 0x85}}},
    {"channel mute", 1, [](datCh& c) { c.chMute = false; }, {{X(kN, 1), 0xA4}}},
    {"scan include", 1, [](datCh& c) { c.scanInc = true; }, {{X(kN, 1), 0xA7}}},
    {"tight squelch", 1, [](datCh& c) { c.sqlTight = false; }, {{X(kN, 1), 0xA1}}},
    {"select", 2, [](datCh& c) { c.selPmr = true; }, {{X(kN, 1), 0xAD}}},
    {"log bits", 1, [](datCh& c) { c.log = 3; }, {{X(kN, 1), 0x35}}},
    {"auto reset", 1, [](datCh& c) { c.autoReset = 2; }, {{X(kN, 2), 0xA6}}},
    {"call", 2, [](datCh& c) { c.callPmr = 3; }, {{X(kN, 2), 0xAD}}},
    {"PTT", 2, [](datCh& c) { c.pttPmr = 0; }, {{X(kN, 2), 0x05}}},
    {"automatic channel scan", 1, [](datCh& c) { c.autoChScan = false; }, {{X(kN, 3), 0xA4}}},
    {"MSK send status", 3, [](datCh& c) { c.mskSendStatus = true; }, {{X(kN, 3), 0xA7}}},
    {"MSK repeat special", 3, [](datCh& c) { c.mskRptSpecial = false; }, {{X(kN, 3), 0xA1}}},
    {"MSK signal flag", 3, [](datCh& c) { c.mskSig = true; }, {{X(kN, 3), 0xAD}}},
    {"compander", 1, [](datCh& c) { c.compander = true; }, {{X(kN, 3), 0xB5}}},
    {"scrambler mode", 1, [](datCh& c) { c.scrambler = 2; }, {{X(kN, 3), 0xC5}}},
    {"log signalling low bit", 1, [](datCh& c) { c.sigLog = 2; }, {{X(kN, 3), 0x25}}},
    {"decode signalling both bits", 1, [](datCh& c) { c.sigDec = 3; }, {{X(kN, 4), 0xB5}, {X(kN, 13), 0xB5}}},
    {"emergency signalling", 1, [](datCh& c) { c.sigEmg = 1; }, {{X(kN, 4), 0x65}}},
    {"MDC system", 1, [](datCh& c) { c.mdcSystem = 0xC; }, {{X(kN, 4), 0xAC}}},
    {"preset number", 2, [](datCh& c) { c.presetNo = 35; }, {{X(kN, 5), 0x22}}},
    {"scrambler code", 1, [](datCh& c) { c.scrmCode = 16; }, {{X(kN, 6), 0x10}}},
    {"PMR repeater code", 2, [](datCh& c) { c.rptCode = 0xA; }, {{X(kN, 7), 0xAA}}},
    {"PMR form flag", 2, [](datCh& c) { c.formFlag = true; }, {{X(kN, 7), 0xE5}}},
    {"PMR code flag", 3, [](datCh& c) { c.codeFlag = false; }, {{X(kN, 7), 0x25}}},
    {"PMR repeat number", 3, [](datCh& c) { c.rptNo = 0x11; }, {{X(kN, 8), 0x91}}},
    {"PMR station code", 2, [](datCh& c) { c.stnCode = 0; }, {{X(kN, 9), 0x80}}},
    {"PMR ID code", 2, [](datCh& c) { c.idCode = 0x7F; }, {{X(kN, 10), 0xFF}}},
    {"PMR station flag", 2, [](datCh& c) { c.codeBit7[1] = false; }, {{X(kN, 9), 0x25}}},
    {"PMR receive code", 2, [](datCh& c) { c.rxCode = 0x33; }, {{X(kN, 11), 0x33}}},
    {"2-tone selection", 1, [](datCh& c) { c.twoTone = 0x10; }, {{X(kN, 9), 0x90}}},
    {"10-bit receive code", 4, [](datCh& c) { c.rxCode = 0x3FF; }, {{X(kN, 11), 0xFF}, {X(kN, 12), 0xE5}}},
    {"tone edit flag", 1, [](datCh& c) { c.ctoneEdit = false; }, {{X(kN, 13), 0x85}}},
    {"tone select flag", 1, [](datCh& c) { c.ctoneSel = true; }, {{X(kN, 13), 0xE5}}},
    {"duplex enable", 1, [](datCh& c) { c.dupEna = false; }, {{X(kN, 13), 0x25}}},
    // Kinds 1 and 4 never store the fixed PMR code values they load.
    {"LMR PMR codes untouched",
     1,
     [](datCh& c) {
       c.rptCode = 3;
       c.stnCode = 9;
       c.codeFlag = false;
     },
     {}},
    {"PMR 2-tone field untouched", 2, [](datCh& c) { c.twoTone = 0x10; }, {}},
};

INSTANTIATE_TEST_SUITE_P(Golden, ChannelField, ::testing::ValuesIn(kFieldCases));

TEST(datChChannel, LoadStoreLeavesEveryKindAndSlotUnchanged) {
  cmcEeprom before;
  chtest::MakeBase(before);
  cmcEeprom image;
  image.Assign(before);
  datCh ch(&image);
  for (int kind = 1; kind <= 4; ++kind)
    for (int n = 0; n < 128; ++n) {
      ch.Load(kind, n);
      ch.Store();
    }
  EXPECT_TRUE(image.Equals(before));
}

TEST(datChChannel, LoadUnpacksTheBaseBits) {
  cmcEeprom image;
  chtest::MakeBase(image);
  datCh ch(&image);
  ch.Load(1, kN);
  EXPECT_EQ(ch.freqR, 0x1AA5A5A5u);
  EXPECT_TRUE(ch.inhR);
  EXPECT_TRUE(ch.inUse);
  EXPECT_FALSE(ch.toneR.on);  // bit 7 set
  EXPECT_FALSE(ch.toneR.dtcs);
  EXPECT_TRUE(ch.toneR.inverted);
  EXPECT_EQ(ch.toneR.ctcssIndex, 0xA5);
  EXPECT_EQ(ch.toneR.dtcsCode, 0x1A5);
  EXPECT_EQ(ch.chMode, 1);
  EXPECT_TRUE(ch.dup);
  EXPECT_EQ(ch.width, 0);
  EXPECT_EQ(ch.rfPower, 1);
  EXPECT_EQ(ch.lockout, 1);    // X0 bits 2–3 = 01, X15 bit 4 = 0
  EXPECT_EQ(ch.powerSave, 3);  // X0 bit 7, X15 bit 5
  EXPECT_EQ(ch.log, 0xA);
  EXPECT_EQ(ch.sigLog, 3);  // X3 bit 7, X4 bit 5
  EXPECT_EQ(ch.sigDec, 0);  // X4 bit 4, X13 bit 4
  EXPECT_EQ(ch.sigEmg, 2);
  EXPECT_EQ(ch.presetNo, 0x26);
  EXPECT_FALSE(ch.preset);
  // Kinds 1 and 4: fixed PMR code values, 2-tone selection and a 10-bit receive code.
  EXPECT_EQ(ch.rptCode, 0);
  EXPECT_EQ(ch.stnCode, 1);
  EXPECT_TRUE(ch.codeFlag);
  EXPECT_EQ(ch.twoTone, 0x25);
  EXPECT_EQ(ch.rxCode, 0xA5A5 >> 6);
  ch.Load(2, kN);
  EXPECT_EQ(ch.rptCode, 5);
  EXPECT_EQ(ch.stnCode, 0x25);
  EXPECT_EQ(ch.rxCode, 0xA5);
  EXPECT_EQ(ch.twoTone, 0);
}

TEST(datChChannel, InhibitBitAloneIsNotInUse) {
  cmcEeprom image;
  chtest::MakeBase(image);
  for (int i = 0; i < 4; ++i) image.SetByte(M(kN, i), i == 0 ? 0x80 : 0x00);
  datCh ch(&image);
  ch.Load(1, kN);
  EXPECT_FALSE(ch.inUse);
  EXPECT_TRUE(ch.inhR);
  EXPECT_EQ(ch.freqR, 0u);
}

TEST(datChChannel, FrequencyAboveTheLimitLoadsClamped) {
  cmcEeprom image;
  chtest::MakeBase(image);
  image.SetByte(M(kN, 0), 0xFF);  // 0x7FA5A5A5 with the inhibit bit
  datCh ch(&image);
  ch.Load(1, kN);
  EXPECT_EQ(ch.freqR, 799999950u);
}

TEST(datChChannel, NotInUseStoresBothFrequenciesZeroKeepingInhibits) {
  cmcEeprom image;
  chtest::MakeBase(image);
  datCh ch(&image);
  ch.Load(1, kN);
  ch.inUse = false;
  ch.Store();
  const uint8_t expected[8] = {0x80, 0, 0, 0, 0x80, 0, 0, 0};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(image.GetByte(M(kN, i)), expected[i]) << i;
  EXPECT_FALSE(ch.inUse);  // reloaded after the store
}

TEST(datChChannel, NameEmptyBitFollowsTheName) {
  cmcEeprom image;
  chtest::MakeBase(image);
  datCh ch(&image);
  ch.Load(1, kN);
  ch.chName.fill(' ');
  ch.Store();
  EXPECT_EQ(image.GetByte(M(kN, 20)), 0xA5);
  EXPECT_TRUE(ch.nameEmpty);
  ch.chName[3] = 'A';
  ch.Store();
  EXPECT_EQ(image.GetByte(M(kN, 20)), 0x85);
}

TEST(datChChannel, PresetChannelStoresTheLastTwoNameCharactersAsSpaces) {
  cmcEeprom image;
  chtest::MakeBase(image);
  datCh ch(&image);
  ch.Load(2, kN);
  ch.preset = true;
  ch.Store();
  EXPECT_EQ(image.GetByte(X(kN, 5)), 0xA5);
  EXPECT_EQ(image.GetByte(M(kN, 17)), 0xA5);
  EXPECT_EQ(image.GetByte(M(kN, 18)), 0x20);
  EXPECT_EQ(image.GetByte(M(kN, 19)), 0x20);
}

TEST(datChChannel, ScanMembershipsMapToFourBitmaps) {
  cmcEeprom before;
  chtest::MakeBase(before);
  cmcEeprom image;
  image.Assign(before);
  datCh ch(&image);
  ch.Load(1, 13);  // byte 1, bit 2 of each map; 0xA5 has that bit set
  EXPECT_EQ(ch.scan, 0xF);
  ch.scan = 0x8;  // list 0 only
  ch.Store();
  const std::map<int, int> expected = {{0x8AB9, 0xA1}, {0x8AC9, 0xA1}, {0x8AD9, 0xA1}};
  EXPECT_EQ(chtest::Diff(before, image), expected);
}

// ---- attributes ----

class ChannelAttr : public ::testing::Test {
 protected:
  void SetUp() override {
    chtest::MakeBase(image);
    image.SetWord(cmcImageMap::kBankCounts, 10);  // bank 0: 0–9, bank 1: 10–19
    image.SetWord(cmcImageMap::kBankCounts + 2, 10);
    for (int b = 2; b < 8; ++b) image.SetWord(cmcImageMap::kBankCounts + 2 * b, 0);
    image.SetByte(cmcImageMap::kBankFlags, 0x40);  // bank 1 only
    image.SetByte(cmcImageMap::kPriorityChannel, 0);
    image.SetByte(cmcImageMap::kPriorityFlags, 0x10);
    image.SetByte(cmcImageMap::kEmergencyChannel, 0);
    image.SetByte(cmcImageMap::kEmergencyFlags, 0x40);
    image.SetByte(cmcImageMap::kStartChannel, 0);
    image.SetByte(cmcImageMap::kScanBChannel, 0);
  }
  uint8_t AttrOf(int n) {
    datCh ch(&image);
    ch.Load(1, n);
    return ch.attr;
  }
  cmcEeprom image;
};

TEST_F(ChannelAttr, PriorityPointerMovesAndOtherChannelsShowNone) {
  datCh ch(&image);
  ch.Load(1, 5);
  EXPECT_FALSE(ch.HasAttr(datCh::kAttrPriority));
  ch.SetAttr(datCh::kAttrPriority, true);
  ch.Store();
  EXPECT_EQ(image.GetByte(cmcImageMap::kPriorityChannel), 5);
  EXPECT_TRUE(AttrOf(5) & datCh::kAttrPriority);
  EXPECT_FALSE(AttrOf(6) & datCh::kAttrPriority);
  EXPECT_FALSE(AttrOf(0) & datCh::kAttrPriority);
}

TEST_F(ChannelAttr, ClearedFlagsAreTheRadioWideEnableBits) {
  datCh ch(&image);
  ch.Load(1, 0);
  EXPECT_EQ(ch.attr & (datCh::kAttrPriority | datCh::kAttrPriorityCleared | datCh::kAttrEmergency |
                       datCh::kAttrEmergencyCleared | datCh::kAttrStart),
            datCh::kAttrPriority | datCh::kAttrEmergency | datCh::kAttrStart);
  ch.SetAttr(datCh::kAttrPriorityCleared, true);
  ch.SetAttr(datCh::kAttrEmergencyCleared, true);
  ch.Store();
  EXPECT_EQ(image.GetByte(cmcImageMap::kPriorityFlags), 0x00);
  EXPECT_EQ(image.GetByte(cmcImageMap::kEmergencyFlags), 0x00);
  // With the enables off no channel is the priority or emergency channel.
  EXPECT_EQ(AttrOf(0) & (datCh::kAttrPriority | datCh::kAttrEmergency), 0);
  EXPECT_EQ(AttrOf(7) & (datCh::kAttrPriorityCleared | datCh::kAttrEmergencyCleared),
            datCh::kAttrPriorityCleared | datCh::kAttrEmergencyCleared);
}

TEST_F(ChannelAttr, ScanBAlwaysLoadsClearButStoresItsPointer) {
  datCh ch(&image);
  ch.Load(1, 0);  // 0x297 is 0
  EXPECT_FALSE(ch.HasAttr(datCh::kAttrScanB));
  ch.Load(1, 9);
  ch.SetAttr(datCh::kAttrScanB, true);
  ch.Store();
  EXPECT_EQ(image.GetByte(cmcImageMap::kScanBChannel), 9);
  EXPECT_FALSE(ch.HasAttr(datCh::kAttrScanB));
}

TEST_F(ChannelAttr, EmergencyAndStartPointers) {
  datCh ch(&image);
  ch.Load(1, 12);
  ch.SetAttr(datCh::kAttrEmergency | datCh::kAttrStart, true);
  ch.Store();
  EXPECT_EQ(image.GetByte(cmcImageMap::kEmergencyChannel), 12);
  EXPECT_EQ(image.GetByte(0xA092), 12);
  EXPECT_EQ(AttrOf(12) & (datCh::kAttrEmergency | datCh::kAttrStart), datCh::kAttrEmergency | datCh::kAttrStart);
}

TEST_F(ChannelAttr, SmarTrunkIsTheFlagOfTheChannelsBank) {
  EXPECT_FALSE(AttrOf(9) & datCh::kAttrSmarTrunk);
  EXPECT_TRUE(AttrOf(10) & datCh::kAttrSmarTrunk);
  EXPECT_FALSE(AttrOf(20) & datCh::kAttrSmarTrunk);  // beyond all banks
  datCh ch(&image);
  ch.Load(1, 3);
  ch.SetAttr(datCh::kAttrSmarTrunk, true);
  ch.Store();
  EXPECT_EQ(image.GetByte(cmcImageMap::kBankFlags), 0xC0);
  ch.Load(1, 20);
  ch.SetAttr(datCh::kAttrSmarTrunk, true);
  ch.Store();  // no bank: no flag written
  EXPECT_EQ(image.GetByte(cmcImageMap::kBankFlags), 0xC0);
}

TEST(datChChannel, SlotBeyondTheArrayLoadsAndStoresNothing) {
  cmcEeprom before;
  chtest::MakeBase(before);
  cmcEeprom image;
  image.Assign(before);
  datCh ch(&image);
  ch.Load(1, 128);
  EXPECT_EQ(ch.kind, 1);
  EXPECT_EQ(ch.index, 128);
  EXPECT_EQ(ch.freqR, 0u);
  EXPECT_TRUE(ch.inUse);
  ch.freqR = 1;
  ch.Store();
  EXPECT_TRUE(image.Equals(before));
}

TEST(datChChannel, ClearZeroesEveryFieldAndSetsInUse) {
  cmcEeprom image;
  chtest::MakeBase(image);
  datCh ch(&image);
  ch.Load(2, kN);
  ch.Clear();
  EXPECT_EQ(ch.kind, 0);
  EXPECT_EQ(ch.freqR, 0u);
  EXPECT_EQ(ch.presetNo, 0);
  EXPECT_EQ(ch.attr, 0);
  EXPECT_TRUE(ch.inUse);
  EXPECT_EQ(ch.Image(), &image);
}

// ---- PMR helpers ----

struct PresetCase {
  bool preset;
  int presetNo;
  bool inhT;
  bool emergency;
  bool toneless;
};

class PmrPreset : public ::testing::TestWithParam<PresetCase> {};

TEST_P(PmrPreset, EmergencyAndToneless) {
  const PresetCase& c = GetParam();
  datCh ch;
  ch.preset = c.preset;
  ch.presetNo = c.presetNo;
  ch.inhT = c.inhT;
  EXPECT_EQ(ch.IsPmrEmergencyPreset(), c.emergency);
  EXPECT_EQ(ch.IsPmrToneless(), c.toneless);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PmrPreset,
    ::testing::Values(PresetCase{true, 5, false, true, true}, PresetCase{true, 35, false, true, true},
                      PresetCase{true, 85, true, true, true}, PresetCase{true, 6, true, false, false},
                      PresetCase{false, 5, false, false, false}, PresetCase{false, 12, true, false, true}));

TEST(datChChannel, ResetPmrFreeChannelStoresTheFreeChannelCodes) {
  cmcEeprom before;
  chtest::MakeBase(before);
  cmcEeprom image;
  image.Assign(before);
  datCh ch(&image);
  ch.Load(2, kN);
  ch.ResetPmrFreeChannel();
  ch.Store();
  // X7: code nibble 0xA, code flag (bit 7) clear; X9 station 0 with its bit 7 kept; X1 log bits 0.
  const std::map<int, int> expected = {{X(kN, 1), 0x05}, {X(kN, 7), 0x2A}, {X(kN, 9), 0x80}};
  EXPECT_EQ(chtest::Diff(before, image), expected);
}

}  // namespace
