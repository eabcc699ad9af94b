// The common cells: the passwords one digit per nibble, the clone password through
// its dialog, the digital time-out switch that is empty and inert without the digital
// timer sheet, the time-out timer group, the man-down and low-battery groups, the
// designed places of the other settings, and every label of the family on every model.
#include <gtest/gtest.h>

#include "SettingCells.h"

namespace {

using settingtest::SettingCells;

TEST_F(SettingCells, PasswordsHoldOneDigitPerNibble) {
  SetByte(0xA07A, 0x99);
  Type(CL_Comm_UserPassword, "12");
  EXPECT_EQ(Byte(0xA079), 0x00);
  EXPECT_EQ(Byte(0xA07A), 0x12) << "left-filled with 0";
  EXPECT_EQ(Draw(CL_Comm_UserPassword).text, "0012");
  SetByte(0xA07E, 0xAB);
  Type(CL_Comm_DealerPasscode, "987654");
  EXPECT_EQ(Byte(0xA07B), 0x98);
  EXPECT_EQ(Byte(0xA07C), 0x76);
  EXPECT_EQ(Byte(0xA07D), 0x54);
  EXPECT_EQ(Byte(0xA07E), 0xAB) << "six digits end at 0xA07D";
  const auto a = Key(CL_Comm_PwrOnPassword, ' ');
  EXPECT_EQ(Byte(0xA09F), 0x20);
  EXPECT_NE(a.mask & indCellRequest::kMaskLayout, 0);
}

TEST_F(SettingCells, ClonePasswordComesFromItsDialog) {
  EXPECT_EQ(Draw(CL_Comm_ClonePasswordStr).text, "") << "the cell shows nothing";
  EXPECT_EQ(Key(CL_Comm_ClonePasswordStr, 13).result, indCellRequest::kResultDone)
      << "the shell's grid answers the dialog; the test grid answers none";
  for (int a = 0xA0FC; a < 0xA10C; ++a) EXPECT_EQ(Byte(a), 0);
}

// The clone frame carries the password with a checksum byte: FD would end the frame and
// FE start another, so a password whose checksum comes out so is refused.
TEST_F(SettingCells, ClonePasswordTheFrameCannotCarryIsRefused) {
  const struct {
    const char* typed;
    bool taken;
  } cases[] = {{"AAA@", false}, {"AAA?", false}, {"AAAA", true}, {"AAA>", true}};
  for (const auto& c : cases) {
    for (int a = 0xA0FC; a < 0xA10C; ++a) SetByte(a, 0);
    const auto r = Type(CL_Comm_ClonePasswordStr, c.typed);
    EXPECT_EQ(r.refusal, std::string(c.taken ? "" : "GI_Mess_ClonePassword_Checksum")) << c.typed;
    EXPECT_EQ(Byte(0xA0FC), c.taken ? 'A' : 0) << c.typed;
  }
}

TEST_F(SettingCells, DigitalTimeOutNeedsTheDigitalTimerSheet) {
  SetByte(0xAFE4, 0x80);
  EXPECT_EQ(Draw(CL_Comm_Tot).text, "") << "without bit 4 of 0x10B";
  Key(CL_Comm_Tot, ' ');
  EXPECT_EQ(Byte(0xAFE4), 0x80) << "inert";
  SetByte(0x10B, 0x10);
  EXPECT_EQ(Draw(CL_Comm_Tot).text, "On");
  Key(CL_Comm_Tot, ' ');
  EXPECT_EQ(Byte(0xAFE4), 0x00);
}

TEST_F(SettingCells, TimeOutTimerGroup) {
  Type(CL_Comm_Tot_Timer, "0");
  EXPECT_EQ(Byte(0xA0B6), 1) << "at least one second";
  Type(CL_Comm_Tot_PenaltyTimer, "off");
  EXPECT_EQ(Byte(0xA0B7), 0);
  EXPECT_EQ(Draw(CL_Comm_Tot_PenaltyTimer).text, "Off");
  Key(CL_Comm_Tot_ID_Out, ' ');
  EXPECT_EQ(Byte(0xA09D), 0x20);
  EXPECT_EQ(Draw(CL_Comm_Tot_Dtmf_ID_Out).text, "On") << "the same bit";
  SetByte(0xA0C8, 0);
  EXPECT_EQ(Draw(CL_Comm_Tot_Reset).text, "Off");
  Key(CL_Comm_Tot_Reset, ' ');
  EXPECT_EQ(Byte(0xA0C8), 1);
  EXPECT_EQ(Draw(CL_Comm_Tot_Reset).text, "  1.000");
  Type(CL_Comm_Tot_Reset, "20");
  EXPECT_EQ(Byte(0xA0C8), 15);
}

TEST_F(SettingCells, ManDownAndLowBattery) {
  const auto on = Key(CL_Comm_ManDown_ON, ' ');
  EXPECT_EQ(Byte(0xB67E), 0x10);
  EXPECT_NE(on.mask & indCellRequest::kMaskLayout, 0);
  Key(CL_Comm_ManDown_Sairen, ' ');
  EXPECT_EQ(Byte(0xB67E), 0x30) << "the siren bit is the emergency silent bit";
  EXPECT_EQ(Draw(CL_Emer_Setting_Silent).text, "Silent");
  Type(CL_Comm_ManDown_TS2, "2.5");
  EXPECT_EQ(Byte(0xA861), 25);
  Type(CL_Comm_ManDown_ReCycle, "9");
  EXPECT_EQ(Byte(0xA85E), 8);
  Key(CL_Comm_LowBatt2_TX_End, ' ');
  EXPECT_EQ(Byte(0xA0E8), 0x40);
  EXPECT_NE(Key(CL_Comm_LowBatt1, ' ').mask & indCellRequest::kMaskLayout, 0);
  EXPECT_EQ(Byte(0xA0E8), 0x60);
}

TEST_F(SettingCells, DesignedPlacesOfTheOtherSettings) {
  struct Case {
    int label;
    int address;
    uint8_t before;
    const char* typedOrSpace;  // nullptr: press space
    uint8_t after;
  };
  const Case cases[] = {
      {CL_Comm_SetModeAccess, 0xA080, 0x00, nullptr, 0x10}, {CL_Comm_LockoutDig, 0xA080, 0x04, nullptr, 0x08},
      {CL_Comm_Ctcss_Backup, 0xB137, 0x00, nullptr, 0x08},  {CL_Comm_OptC_CmdType, 0xB137, 0x03, nullptr, 0x00},
      {CL_Comm_RS232C_Port, 0xB138, 0x20, nullptr, 0x40},   {CL_Comm_Dig_Rs232c_Speed, 0xB139, 0x05, nullptr, 0x00},
      {CL_Comm_Scrm_Type, 0xAFE3, 0x81, nullptr, 0x82},     {CL_Comm_Strv_Stun_Type, 0xAFE4, 0x80, nullptr, 0x81},
      {CL_Comm_Strv_RevAll, 0xB139, 0x00, nullptr, 0x40},   {CL_Comm_PTTSide, 0x299, 0x12, nullptr, 0x92},
      {CL_Comm_Wide, 0xA0EE, 0x04, nullptr, 0x14},          {CL_Comm_AtResetTimer_B, 0xA08E, 0, "30", 30},
      {CL_Comm_Scrm_TStartTiming, 0xA0E0, 0, "0.25", 25},   {CL_Comm_Msk_CoastTimer, 0xA0E5, 0, "1.2", 12},
      {CL_Comm_Scrm_GroupCode, 0xA0EA, 0, "77", 77},        {CL_Comm_AtResetTimer_A, 0xA08D, 0, "45", 45},
      {CL_Comm_InactiveTimer, 0xA08F, 0, "30", 30},         {CL_Comm_LockoutPenaltyTimer, 0xA091, 0, "20", 20},
  };
  for (const Case& c : cases) {
    SetByte(c.address, c.before);
    if (c.typedOrSpace)
      Type(c.label, c.typedOrSpace);
    else
      Key(c.label, ' ');
    EXPECT_EQ(Byte(c.address), c.after) << c.label;
  }
  Type(CL_Comm_Msk_Mdc_SelfID, "12af");
  EXPECT_EQ(Byte(0xA07E), 0x12);
  EXPECT_EQ(Byte(0xA07F), 0xAF);
  EXPECT_EQ(Draw(CL_Comm_Msk_Mdc_SelfID).text, "12AF");
  Type(CL_Comm_CloneComment2, "Depot 4");
  EXPECT_EQ(Byte(0xA11E), 'D');
  EXPECT_EQ(Byte(0xA124), '4');
  EXPECT_EQ(Byte(0xA12D), ' ') << "space-padded to 16";
  EXPECT_EQ(Draw(CL_Comm_CloneComment2).text, "Depot 4");
}

TEST(CommonWalk, EveryLabelOnEveryModel) {
  settingtest::WalkLabels(CL_Comm_UserPassword, CL_Comm_Strv_RevAll,
                          {CL_Comm_ClonePassword, CL_Comm_EmerIn, CL_Comm_EmerTim_On, CL_Comm_EmerTim_Off,
                           CL_Comm_EmerTim_Start, CL_Comm_EmerTim_Sairen, CL_Comm_EmerTim_ReCycle},
                          CT_Null, {{CL_Comm_ManDown_ReCycle, 0xA85E, 1}});
}

}  // namespace
