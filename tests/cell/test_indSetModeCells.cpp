// The set-mode values, user set-mode enables and set-mode titles: golden bits of the
// levels that may follow the volume, the enables counted from the top bit, the titles
// in their slots, and every label of the family on every model's initial image.
#include <gtest/gtest.h>

#include "SettingCells.h"

namespace {

using settingtest::SettingCells;

TEST_F(SettingCells, BeepLevelKeepsTheVolumeBitApart) {
  SetByte(0x280, 0x47);
  EXPECT_EQ(Draw(CL_SetM_BeepLev).text, "Level 7, follows volume") << "bits 0-3 = 7 and bit 6: value 107";
  SetByte(0x280, 0xB7);  // bits 4, 5 and 7 set besides
  Choose(CL_SetM_BeepLev, Flex0, 5);
  EXPECT_EQ(Byte(0x280), 0xB5) << "bits 0-3 take 5, bit 6 clears, bits 4, 5 and 7 stay";
  Choose(CL_SetM_BeepLev, Flex0, 103);
  EXPECT_EQ(Byte(0x280), 0xF3);
  SetByte(0x287, 0x42);
  EXPECT_EQ(Draw(CL_SetM_RingerLev).text, "Level 2, follows volume") << "the ringer level is stored the same way";
}

TEST_F(SettingCells, SetModeValuesAtTheirBits) {
  struct Case {
    int label;
    int address;
    uint8_t before;
    int key;  // space steps to the next entry
    uint8_t after;
    const char* shown;
  };
  const Case cases[] = {
      {CL_SetM_Backlight, 0x28E, 0xF1, ' ', 0xF2, "Auto"},    {CL_SetM_BeepOn, 0x280, 0x00, ' ', 0x80, "On"},
      {CL_SetM_VoxOnOff, 0x28F, 0x00, ' ', 0x10, "Off"},      {CL_SetM_VoxDelay, 0x289, 0x15, ' ', 0x25, "1.5 s"},
      {CL_SetM_LockOut, 0x28D, 0x10, ' ', 0x20, "Repeater"},  {CL_SetM_LockOut, 0x28D, 0x20, 8, 0x10, "Busy channel"},
      {CL_SetM_ScanStopTimer, 0x28D, 0xC0, ' ', 0x00, "5 s"}, {CL_SetM_MotionSens, 0x28D, 0x04, ' ', 0x08, "High"},
      {CL_SetM_SqlLev, 0x288, 0x03, ' ', 0x04, "Level 4"},    {CL_SetM_AutoPowerOff, 0x290, 0x81, ' ', 0x82, "1 h"},
      {CL_SetM_ChAnnounce, 0x290, 0x40, 8, 0x00, "On"},
  };
  for (const Case& c : cases) {
    SetByte(c.address, c.before);
    const auto a = Key(c.label, c.key);
    EXPECT_EQ(Byte(c.address), c.after) << c.label;
    EXPECT_EQ(a.text, c.shown) << c.label;
    EXPECT_EQ(a.mask & indCellRequest::kMaskLayout, 0) << "set mode changes no layout";
  }
}

TEST_F(SettingCells, SetModeNumbersAndFixedTexts) {
  SetByte(0x285, 9);
  EXPECT_EQ(Type(CL_SetM_RingerTimer, "40").text, "16");
  EXPECT_EQ(Byte(0x285), 16) << "the ringer timer stops at 16";
  EXPECT_EQ(Type(CL_SetM_AFMinLev, "200").text, "200");
  EXPECT_EQ(Byte(0x282), 200);
  SetByte(0x290, 0xFF);
  EXPECT_EQ(Key(CL_SetM_OwnID, ' ').text, "----");
  EXPECT_EQ(Key(CL_SetM_BERDisp, ' ').text, "----");
  EXPECT_EQ(Byte(0x290), 0xFF) << "fixed texts store nothing";
}

TEST_F(SettingCells, SetModeToneIsCtcssOrDtcs) {
  SetByte(0x28B, 8);
  EXPECT_EQ(Draw(CL_SetM_CtcssTone).text, "88.5");
  Type(CL_SetM_CtcssTone, "023");
  EXPECT_EQ(Byte(0x28A) & 0x40, 0x40) << "typed octal digits select DTCS";
  EXPECT_EQ(Byte(0x28B), 0) << "at the code's position";
}

TEST_F(SettingCells, UserEnablesCountFromTheTopBit) {
  struct Case {
    int label;
    int address;
    uint8_t bit;
  };
  const Case cases[] = {
      {CL_USetM_Backlight, 0xA089, 0x80},  {CL_USetM_BeepOn, 0xA089, 0x40},    {CL_USetM_VoxGain, 0xA089, 0x01},
      {CL_USetM_VoxDelay, 0xA08A, 0x80},   {CL_USetM_RingerLev, 0xA08A, 0x02}, {CL_USetM_Psave, 0xA08A, 0x01},
      {CL_USetM_ChAnnounce, 0xA08C, 0x10},
  };
  for (const Case& c : cases) {
    for (int a = 0xA089; a <= 0xA08C; ++a) SetByte(a, 0);
    EXPECT_EQ(Key(c.label, ' ').text, "Shown") << c.label;
    for (int a = 0xA089; a <= 0xA08C; ++a) EXPECT_EQ(Byte(a), a == c.address ? c.bit : 0) << c.label << " at " << a;
  }
}

TEST_F(SettingCells, TitlesSitInSlotsOfEight) {
  const struct {
    int label;
    int address;
    const char* typed;
    std::vector<uint8_t> stored;
  } cases[] = {
      {CL_TSetM_Backlight, 0xB067, "LAMP", {'L', 'A', 'M', 'P'}},
      {CL_TSetM_MicGain, 0xB067 + 4 * 8, "MIC", {'M', 'I', 'C', ' '}},
      {CL_TSetM_Psave, 0xB067 + 13 * 8, "PS.V", {'P', 'S' | 0x80, 'V', ' '}},
      {CL_TSetM_Ringer, 0xB067 + 8 * 8, "R.NG", {'R', 'N', 'G', ' '}},  // no dot at position 0
      {CL_TSetI_OFF, 0xB0E7, "OFF", {'O', 'F', 'F'}},
      {CL_TSetI_Both, 0xB0E7 + 8 * 8, "A+D", {'A', '+', 'D'}},
  };
  for (const auto& c : cases) {
    SetByte(c.address + static_cast<int>(c.stored.size()), 0x5A);
    Type(c.label, c.typed);
    for (size_t i = 0; i < c.stored.size(); ++i)
      EXPECT_EQ(Byte(c.address + static_cast<int>(i)), c.stored[i]) << c.label << " at " << i;
    EXPECT_EQ(Byte(c.address + static_cast<int>(c.stored.size())), 0x5A) << "the field ends at its length";
  }
}

TEST(SetModeWalk, EveryLabelOnEveryModel) {
  settingtest::WalkLabels(
      CL_TSetM_Backlight, CL_TSetI_Both,
      {CL_TSetM_LcdContrast, CL_TSetM_AFMinLev, CL_TSetM_AudioFilt, CL_TSetM_VoxGain, CL_TSetM_VoxDelay,
       CL_TSetM_HornOut, CL_SetM_LcdContrast, CL_SetM_AudioFilt, CL_USetM_LcdContrast, CL_USetM_AudioFilt,
       CL_USetM_Ringer2, CL_USetM_RingerTimer, CL_USetM_CodeDisp});
}

}  // namespace
