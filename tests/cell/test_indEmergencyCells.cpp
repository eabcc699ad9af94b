// The emergency and expansion cells: the shake timer stored five times over, the
// infinite repeat count, silver while a governing setting is off, the bits of composed
// values, scaled words, and every label of both families on every model.
#include <gtest/gtest.h>

#include "SettingCells.h"

namespace {

using settingtest::SettingCells;

constexpr uint32_t kSilver = indCellRequest::kSilver;

TEST_F(SettingCells, ShakeTimerHoldsFiveTimesItsHalfSeconds) {
  SetByte(0xB693, 25);
  EXPECT_EQ(Draw(CL_Emer_ShakeFunction_Timer).text, "  2.5");
  Type(CL_Emer_ShakeFunction_Timer, "3");
  EXPECT_EQ(Byte(0xB693), 30);
  Type(CL_Emer_ShakeFunction_Timer, "25");
  EXPECT_EQ(Byte(0xB693), 100) << "at most 10 seconds";
  Type(CL_Emer_ShakeFunction_Timer, "off");
  EXPECT_EQ(Byte(0xB693), 0);
  EXPECT_EQ(Draw(CL_Emer_ShakeFunction_Timer).text, "Off");
}

TEST_F(SettingCells, RepeatCycleZeroIsInfiniteOnARedrawOnly) {
  SetByte(0xB691, 0);
  EXPECT_EQ(Draw(CL_Emer_Setting_RptCycle).text, "Infinite");
  const auto editor = Key(CL_Emer_Setting_RptCycle, 13);
  EXPECT_EQ(editor.result, indCellRequest::kResultOpenEditor);
  EXPECT_EQ(editor.text, "0");
  Type(CL_Emer_Setting_RptCycle, "12");
  EXPECT_EQ(Byte(0xB691), 12);
  EXPECT_EQ(Draw(CL_Emer_Setting_RptCycle).text, "12");
}

TEST_F(SettingCells, GovernedSettingsTurnSilverButStayEditable) {
  struct Case {
    int label;
    int governor;
    uint8_t on;  // the governing byte's value that lifts the silver
    int address;
  };
  const Case cases[] = {
      {CL_Emer_LoneWorker_PreAlarm, 0xB688, 5, 0xB689}, {CL_Emer_LoneWorker_RepeatAlarm, 0xB688, 5, 0xB68A},
      {CL_Emer_LoneWorker_Pttdelay, 0xB688, 5, 0xB68B}, {CL_Emer_5T_Code_EmerKey, 0xB67E, 0x08, 0xB697},
      {CL_Emer_Signal_CodeLong, 0xB67E, 0x08, 0xB697},  {CL_Comm_ManDown_Timer, 0xB67E, 0x10, 0xB692},
      {CL_Comm_ManDown_TS3, 0xB67E, 0x10, 0xA862},      {CL_Comm_LowBatt1_Periods, 0xA0E8, 0x20, 0xA0E6},
      {CL_Comm_LowBatt2_Periods, 0xA0E8, 0x10, 0xA0E7},
  };
  onCanvas_ = true;
  for (const Case& c : cases) {
    SetByte(c.governor, 0);
    EXPECT_EQ(Draw(c.label).colours, std::vector<uint32_t>{kSilver}) << c.label;
    const uint8_t before = Byte(c.address);
    Key(c.label, ' ');
    EXPECT_NE(Byte(c.address), before) << c.label << " takes keys while silver";
    SetByte(c.governor, c.on);
    EXPECT_EQ(Draw(c.label).colours, std::vector<uint32_t>{}) << c.label;
  }
}

TEST_F(SettingCells, EmergencyBitsAndComposedValues) {
  struct Case {
    int label;
    int address;
    uint8_t before;
    int key;
    uint8_t after;
  };
  const Case cases[] = {
      {CL_Emer_LoneWorker_DetectionType, 0xB67E, 0xF0, ' ', 0xF1},  // value = bit 0 + 2 × bit 1
      {CL_Emer_LoneWorker_DetectionType, 0xB67E, 0x01, ' ', 0x02},
      {CL_Emer_Setting_Silent, 0xB67E, 0x00, ' ', 0x20},
      {CL_Emer_Signal_5TDec, 0xB67E, 0x04, ' ', 0x00},
      {CL_Emer_Setting_MaxAlert, 0xB682, 0x49, ' ', 0x00},  // 109, the last entry, wraps to 0
      {CL_Emer_Setting_Sql, 0xB681, 0x02, ' ', 0x03},
      {CL_Emer_5T_Code_Mandown, 0xB698, 0x83, ' ', 0x84},  // bit 7 stays
      {CL_Exp_BattTypeChange, 0xA09E, 0x08, ' ', 0x04},    // value = 2 × bit 2 + bit 3: 1 steps to 2
      {CL_Exp_ClShift, 0xA09E, 0xF3, ' ', 0xF0},
      {CL_Exp_DtcsInv_Rx, 0xA09B, 0x00, ' ', 0x40},
      {CL_Exp_Ignition, 0x299, 0x00, ' ', 0x10},
  };
  for (const Case& c : cases) {
    SetByte(c.address, c.before);
    Key(c.label, c.key);
    EXPECT_EQ(Byte(c.address), c.after) << c.label << " from " << int{c.before};
  }
}

TEST_F(SettingCells, EmergencyCodesAreTypedAsNumbers) {
  SetByte(0xB699, 0x80);
  Type(CL_Emer_5T_Code_LoneWorker, "6");
  EXPECT_EQ(Byte(0xB699), 0x86);
  Type(CL_Emer_QARN_Code_EmerKey, "40");
  EXPECT_EQ(Byte(0xB696), 23) << "the nearest code";
  Type(CL_Emer_QARN_Code_EmerKey, "off");
  EXPECT_EQ(Byte(0xB696), 0);
}

TEST_F(SettingCells, ChangesThatReshapeTheSheet) {
  EXPECT_NE(Key(CL_Emer_LoneWorker_Timeout, ' ').mask & indCellRequest::kMaskLayout, 0);
  EXPECT_NE(Key(CL_Emer_Signal_CodeEna, ' ').mask & indCellRequest::kMaskLayout, 0);
  EXPECT_EQ(Key(CL_Emer_Timer_Idle, ' ').mask & indCellRequest::kMaskLayout, 0);
  host_.block.posted.clear();
  Key(CL_Exp_Select_ExPttFtsw, ' ');
  EXPECT_EQ(host_.block.posted, std::vector<int>{13}) << "the sheet refreshes its cells";
  EXPECT_EQ(Byte(0xA0A1), 0x02);
  Draw(CL_Exp_Select_ExPttFtsw);
  EXPECT_EQ(host_.block.posted.size(), 1u) << "a redraw changes nothing";
}

TEST_F(SettingCells, ExpansionNumbers) {
  host_.SetWord(0xA083, 10005);
  EXPECT_EQ(Draw(CL_Exp_BeepFreq_Low).text, "1000") << "the word over 10, truncated";
  Type(CL_Exp_BeepFreq_Low, "1234");
  EXPECT_EQ(Byte(0xA083) << 8 | Byte(0xA084), 12340);
  Type(CL_Exp_BeepFreq_High2, "5000");
  EXPECT_EQ(Byte(0xA087) << 8 | Byte(0xA088), 30000) << "at most 3000 Hz";
  Type(CL_Exp_UserCtcss, "100");
  EXPECT_EQ(Byte(0xA1D1) << 8 | Byte(0xA1D2), 1000);
  EXPECT_EQ(Draw(CL_Exp_UserCtcss).text, "100.0");
  Type(CL_Exp_IgnitionTimer, "10:15");
  EXPECT_EQ(Byte(0xA0C2), 21) << "30-second units, rounded";
  Type(CL_Exp_Emer_SwOnTimer, "1.5");
  EXPECT_EQ(Byte(0xB684), 15);
  Type(CL_Exp_DecExo_Cycle, "0");
  EXPECT_EQ(Byte(0xA0ED), 1);
}

TEST(EmergencyWalk, EveryLabelOnEveryModel) {
  settingtest::WalkLabels(CL_Emer_LoneWorker_DetectionType, CL_Exp_Ats_Sring,
                          {CL_Emer_Signal_Code, CL_Exp_RxAf_Filter, CL_Exp_PSaveStartTimer_1, CL_Exp_PSaveStartTimer_2,
                           CL_Exp_EpttFtsw_C, CL_Exp_EpttFtsw_S, CL_Exp_DimIgsw});
}

}  // namespace
