// Selective-call codes: a change of the number of tones lays every 5-tone code and
// digit flag byte out again, codes typed with repeats and group tones, frequencies
// in tenths of a hertz, and the 2-tone transmit rows on the codes they borrow.
#include <gtest/gtest.h>

#include "SettingCellFixture.h"
#include "cell/cmcCellIds.h"
#include "cell/indCellRequest.h"

namespace {

constexpr int kCapacity = 0xA081;
constexpr int kTxDigits = 0x8BB8;   // 4 bytes per transmit code
constexpr int kRxDigits = 0x8C38;   // 4 bytes per receive code
constexpr int kTxRecords = 0xA491;  // 10 bytes per transmit code; byte 8 the input digit flags

class ToneCodeCells : public celltest::SettingCells {};

TEST_F(ToneCodeCells, ANewToneCountLaysOutEveryCodeAndFlagByte) {
  Poke(kCapacity, 5);
  Poke(0xA095, 0xFF);
  Poke(0xA096, 0xF8);
  for (int n = 0; n < 32; ++n) Poke(kTxRecords + 10 * n + 8, 0xFF);
  const uint8_t tx[] = {0x12, 0x34, 0x5F, 0x00};
  const uint8_t rx[] = {0x1F, 0x3F, 0xFF, 0xFF};
  for (int i = 0; i < 4; ++i) {
    Poke(kTxDigits + 4 * 31 + i, tx[i]);
    Poke(kRxDigits + 4 * 10 + i, rx[i]);
  }
  const celltest::Sent s = Choose(CT_Null, CL_UTone_Tone_Digit, 0, Flex0, 3);
  EXPECT_EQ(At(kCapacity), 3);
  EXPECT_TRUE(s.mask & indCellRequest::kMaskLayout);
  EXPECT_EQ(At(0xA095), 0xE0);
  EXPECT_EQ(At(0xA096), 0xE0);
  EXPECT_EQ(At(kTxRecords + 10 * 17 + 8), 0xE0);
  const uint8_t txAfter[] = {0x12, 0x3F, 0xFF, 0xFF};
  const uint8_t rxAfter[] = {0x10, 0x3F, 0xFF, 0xFF};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(At(kTxDigits + 4 * 31 + i), txAfter[i]) << "transmit byte " << i;
    EXPECT_EQ(At(kRxDigits + 4 * 10 + i), rxAfter[i]) << "receive code 10, byte " << i;
  }
  EXPECT_EQ(At(kRxDigits), 0x00) << "receive code 0 is laid out too: no F below the count";
  EXPECT_EQ(At(kRxDigits + 1), 0x0F);

  Poke(0xA095, 0xFF);
  Choose(CT_Null, CL_UTone_Tone_Digit, 0, Flex0, 3);
  EXPECT_EQ(At(0xA095), 0xFF) << "choosing the stored count lays nothing out";
}

TEST_F(ToneCodeCells, ReceiveCodesWithRepeatsAndTheGroupTone) {
  Poke(kCapacity, 5);
  Poke(0xA097, 0x0E);
  Type(CT_RX_Code, CL_5TRx_RxCode, 1, "12+4");
  const uint8_t digits[] = {0x12, 0x04, 0x0F, 0xFF};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(At(kRxDigits + 4 + i), digits[i]) << i;
  EXPECT_EQ(At(0xA5D1 + 14 + 11), 0x20) << "the repeat mark of the third tone";
  EXPECT_EQ(Draw(CT_RX_Code, CL_5TRx_RxCode, 1).text, "12+40");
  Type(CT_TX_Code, CL_5TTx_TxCode, 0, "1*3");
  EXPECT_EQ(At(kTxDigits), 0x1E);
  EXPECT_EQ(Draw(CT_TX_Code, CL_5TTx_TxCode, 0).text, "1*300");
  EXPECT_EQ(Draw(CT_RX_Code, CL_5TRx_RxCode, 0).text, "----");
  Key(CT_RX_Code, CL_5TRx_RxCode, 0, 13);
  EXPECT_EQ(At(kRxDigits), 0x00) << "row 0 takes no keys";
}

TEST_F(ToneCodeCells, SettingsLandOnTheirBytes) {
  const struct {
    const char* name;
    int category, label, row;
    const char* typed;
    int address;
    std::vector<uint8_t> after;
    const char* shown;
  } cases[] = {
      {"2-tone first receive tone, tenths of a hertz",
       CT_2Tone_Code,
       CL_2T_RxFreq_1st,
       2,
       "1000.5",
       kRxDigits + 8,
       {0x27, 0x15},
       "1000.5"},
      {"2-tone tone below the range", CT_2Tone_Code, CL_2T_RxFreq_2nd, 2, "100", kRxDigits + 10, {0x09, 0xC4}, "250.0"},
      {"2-tone transmit row 0 borrows code 1",
       CT_2ToneTX_Common,
       CL_2TTx_Freq_1st,
       0,
       "2000",
       0x8BB8,
       {0x4E, 0x20},
       "2000.0"},
      {"2-tone second period of row 0", CT_2ToneTX_Common, CL_2T_2nd_Period, 0, "1.5", 0xA1B3, {150}, "1.50"},
      {"no-tone timer in steps of 0.02", CT_Null, CL_2T_NotoneTimer, 0, "0.25", 0xA1B1, {24}, "0.240"},
      {"user tone encode frequency", CT_UserTone, CL_UTone_Encode, 1, "1500", 0xA150, {0x3A, 0x98}, "1500.0"},
      {"user tone upper decode bound", CT_UserTone, CL_UTone_Dec_High, 0, "1600", 0xA16E, {0x3E, 0x80}, "1600.0"},
      {"5-tone link timer", CT_Null, CL_5TTx_Link1Timer, 0, "0.5", 0xA0B2, {50}, "0.50"},
  };
  for (const auto& c : cases) {
    const celltest::Sent s = Type(c.category, c.label, c.row, c.typed);
    for (size_t i = 0; i < c.after.size(); ++i)
      EXPECT_EQ(At(c.address + static_cast<int>(i)), c.after[i]) << c.name << " byte " << i;
    EXPECT_EQ(s.text, c.shown) << c.name;
  }
}

TEST_F(ToneCodeCells, DigitFlagsFollowTheToneCount) {
  Poke(kCapacity, 6);
  Poke(0xA096, 0xA8);
  EXPECT_EQ(Draw(CT_Null, CL_5TRx_CompareDigit).text, "1_3_5_");
  Poke(kTxRecords + 8, 0xC0);
  EXPECT_EQ(Draw(CT_TX_Code, CL_5TTx_InputDigit, 0).text, "12____");
}

}  // namespace
