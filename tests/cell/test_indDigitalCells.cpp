// The digital cells: the timers empty and inert without the digital timer sheet, the
// check timer's word and limits, the progress messages in their slots, the digital
// status records, and every label of the family on every model.
#include <gtest/gtest.h>

#include "SettingCells.h"

namespace {

using settingtest::SettingCells;

TEST_F(SettingCells, DigitalTimersNeedTheDigitalTimerSheet) {
  host_.SetWord(0xAFD3, 500);
  for (const int label : {CL_Dig_Tim_Chk, CL_Dig_Tim_Tac, CL_Dig_Tim_L0Level}) {
    EXPECT_EQ(Draw(label).text, "") << label;
    EXPECT_EQ(Key(label, ' ').result, indCellRequest::kResultDone);
    EXPECT_EQ(Key(label, '5').result, indCellRequest::kResultDone) << "no editor";
    Type(label, "1");
  }
  EXPECT_EQ(Byte(0xAFD3) << 8 | Byte(0xAFD4), 500) << "inert";
  EXPECT_EQ(Byte(0xAFD9), 0);
  EXPECT_EQ(Byte(0xAFDF), 0);

  SetByte(0x10B, 0x10);
  EXPECT_EQ(Draw(CL_Dig_Tim_Chk).text, "  0.500");
  Type(CL_Dig_Tim_Chk, "2");
  EXPECT_EQ(Byte(0xAFD3) << 8 | Byte(0xAFD4), 1275) << "at most 1.275 s";
  Type(CL_Dig_Tim_Chk, "0.05");
  EXPECT_EQ(Byte(0xAFD3) << 8 | Byte(0xAFD4), 100) << "at least 0.100 s";
  Type(CL_Dig_Tim_Tac, "0.37");
  EXPECT_EQ(Byte(0xAFD9), 37);
  Type(CL_Dig_Tim_L0Level, "200");
  EXPECT_EQ(Byte(0xAFDF), 200);
}

TEST_F(SettingCells, ProgressMessagesSitInSlotsOfEight) {
  Type(CL_Dig_ProgMes_Busy, "BUSY");
  EXPECT_EQ(Byte(0xAFE7), 'B');
  EXPECT_EQ(Byte(0xAFEE), ' ');
  Type(CL_Dig_ProgMes_LowBatt, "LOW BATT");
  EXPECT_EQ(Byte(0xAFE7 + 12 * 8), 'L');
  EXPECT_EQ(Byte(0xAFE7 + 12 * 8 + 7), 'T');
  EXPECT_EQ(Byte(0xAFE7 + 13 * 8), 0) << "the last message ends at the set-mode titles";
  EXPECT_EQ(Draw(CL_Dig_ProgMes_LowBatt).text, "LOW BATT");
}

TEST_F(SettingCells, DigitalStatusRecords) {
  constexpr int kReceived = 0xAD53 + 20 * 3;
  constexpr int kSent = 0xAAD3 + 20 * 3;
  Type(CL_Dig_Msg_Status_Text_Rx, "AT BASE", CT_Dig_Msg_Status, 3);
  EXPECT_EQ(Byte(kReceived), 'A');
  EXPECT_EQ(Byte(kReceived + 15), ' ') << "16 characters";
  Type(CL_Dig_Msg_Status_Text_Tx, "OK", CT_Dig_Msg_Status, 3);
  EXPECT_EQ(Byte(kSent), 'O');
  SetByte(kReceived + 16, 0x7C);
  Key(CL_Dig_Msg_Status_Beep, ' ', CT_Dig_Msg_Status, 3);
  EXPECT_EQ(Byte(kReceived + 16), 0x7D) << "the beep is bits 0-1 of the first setting byte";
  Key(CL_Dig_Msg_Status_Selection, ' ', CT_Dig_Msg_Status, 3);
  EXPECT_EQ(Byte(kReceived + 16), 0xFD);
  EXPECT_EQ(Draw(CL_Dig_Msg_Status_Selection, CT_Dig_Msg_Status, 3).text, "On");
  EXPECT_EQ(Draw(CL_Dig_Msg_Status_Beep, CT_Dig_Msg_Status, 4).text, "Off") << "another record";
}

TEST(DigitalWalk, EveryLabelOnEveryModel) {
  settingtest::WalkLabels(CL_Dig_ProgMes_Busy, CL_Dig_ProgMes_LowBatt, {});
  settingtest::WalkLabels(CL_Dig_Tim_TxWait, CL_Dig_Tim_L0Level, {});
  settingtest::WalkLabels(CL_Dig_Msg_Status_Beep, CL_Dig_Msg_Status_Text_Tx, {}, CT_Dig_Msg_Status, {}, 32);
}

}  // namespace
