// The keys and display cells and the port modes: a programmable key's byte in the
// normal and the function-key table with the model's list, the pairing codes, the
// ten-key list by model, composed display values, the key-lock minutes and seconds,
// the port modes' refresh, and every label of both families on every model.
#include <gtest/gtest.h>

#include "SettingCells.h"

namespace {

using settingtest::SettingCells;

TEST_F(SettingCells, KeysWorkTheirTableByteWithTheModelsList) {
  struct Case {
    int family;
    int label;
    int address;
    const char* list;  // the chooser Enter opens
  };
  const Case cases[] = {
      {0, CL_KDisp_Key_Conv_RightUp, 0x8A86, "GI_Sheet_Sel_Keys_Conv_Lmr_Ext_Emer"},
      {0, CL_KDisp_Key_Conv_P1, 0x8A83, "GI_Sheet_Sel_Keys_Conv_Lmr"},
      {1, CL_KDisp_Key_Conv_LeftUp, 0x8A80, "GI_Sheet_Sel_Keys_Conv_Pmr_Scan"},
      {1, CL_KDisp_Key_Shift_Opf1, 0x8A98, "GI_Sheet_Sel_Keys_Conv_Pmr_F_Ext_Emer"},
      {2, CL_KDisp_Key_Shift_Lower, 0x8A9F, "GI_Sheet_Sel_Keys_Conv_QarnPmr"},
      {3, CL_KDisp_Key_Conv_Upper, 0x8A8E, "GI_Sheet_Sel_Keys_Conv_DPmr446Ana"},
      {3, CL_KDisp_Key_Pmr446_Opf1, 0x8A88, "GI_Sheet_Sel_Keys_Conv_Pmr_Ext_Emer"},
  };
  for (const Case& c : cases) {
    host_.family = c.family;
    grid_.choosers.clear();
    SetByte(c.address, 'C');
    EXPECT_EQ(Draw(c.label).text, "None") << c.label;
    EXPECT_EQ(Key(c.label, 13).result, indCellRequest::kResultPopupOpened);
    EXPECT_EQ(grid_.choosers, std::vector<std::string>{c.list}) << c.label;
    Choose(c.label, Flex0, 'B');
    EXPECT_EQ(Byte(c.address), 'B') << c.label;
    EXPECT_EQ(Draw(c.label).text, "Scan");
  }
}

TEST_F(SettingCells, PairingCodesFixTheFunctionKeyEntry) {
  SetByte(0x8A82, 'C');
  const auto a = Choose(CL_KDisp_Key_Conv_P0, Flex0, 'i');
  EXPECT_EQ(Byte(0x8A92), '^') << "the function-key entry of the same key";
  EXPECT_NE(a.mask & indCellRequest::kMaskLayout, 0);
  SetByte(0x8A92, '^');
  Key(CL_KDisp_Key_Shift_P0, ' ');
  EXPECT_EQ(Byte(0x8A92), '^') << "the function-key cell takes no keys then";
  EXPECT_EQ(host_.restricted, 0) << "and reports nothing";
}

TEST_F(SettingCells, TenkeyListFollowsTheModel) {
  SetByte(0xA0DD, 0x08);
  SetByte(0xA09C, 0x10);
  host_.family = 2;
  EXPECT_EQ(Draw(CL_KDisp_Tenkey_Select).text, "Status and call list") << "value 2 × bit 3 + bit 4 = 3";
  host_.family = 0;
  EXPECT_EQ(Draw(CL_KDisp_Tenkey_Select).text, "error") << "the plain list has no value 3";
  Key(CL_KDisp_Tenkey_Select, ' ');
  EXPECT_EQ(Byte(0xA0DD), 0x00);
  EXPECT_EQ(Byte(0xA09C), 0x00) << "stepping from a value in no entry gives the first";
}

TEST_F(SettingCells, DisplayValuesAtTheirBits) {
  struct Case {
    int label;
    int address;
    uint8_t before;
    uint8_t after;
  };
  const Case cases[] = {
      {CL_KDisp_RotarySel, 0xA09F, 0x08, 0x10},       // 2 steps to 4
      {CL_KDisp_RotarySel, 0xA09F, 0x18, 0x00},       // 6 wraps to 0
      {CL_KDisp_MrCode, 0xA09B, 0x01, 0x02},          // 1 steps to 2
      {CL_KDisp_OpeningBeep, 0xA09A, 0x40, 0x80},     //
      {CL_KDisp_HangAct_PrioA, 0xA0A1, 0x00, 0x40},   //
      {CL_KDisp_PwrSW, 0xA09E, 0x10, 0x00},           //
      {CL_KDisp_Key_Hold_Timer, 0xA082, 1, 2},        //
      {CL_ExtPort_PortMode_SCI, 0xA0CA, 0x03, 0x83},  //
  };
  for (const Case& c : cases) {
    SetByte(c.address, c.before);
    Key(c.label, ' ');
    EXPECT_EQ(Byte(c.address), c.after) << c.label << " from " << int{c.before};
  }
  SetByte(0xA0A1, 0x10);
  SetByte(0xA0CA, 0x20);
  EXPECT_EQ(Draw(CL_KDisp_HangAct_ScanSuspend).text, "Suspend both") << "4 × bit 4 + 2 × bit 5 + 0xA0A1 bit 4";
  Type(CL_KDisp_Auto_KeyLock_Timer, "2:05");
  EXPECT_EQ(Byte(0xA0F4) << 8 | Byte(0xA0F5), 125);
  Type(CL_KDisp_Auto_KeyLock_Timer, "0:00");
  EXPECT_EQ(Draw(CL_KDisp_Auto_KeyLock_Timer).text, "Off");
  Type(CL_KDisp_ScrollTimer, "0.8");
  EXPECT_EQ(Byte(0xA87B), 8);
}

TEST_F(SettingCells, PortModesRefreshTheSheet) {
  host_.block.posted.clear();
  Key(CL_ExtPort_PortMode_EPTT, ' ');
  EXPECT_EQ(Byte(0xA0A1), 0x02);
  EXPECT_EQ(Draw(CL_Exp_Select_ExPttFtsw).text, "Enable") << "the bit of the external PTT selection";
  SetByte(0x299, 0xFF);
  EXPECT_EQ(Key(CL_ExtPort_PortMode_HORN, ' ').text, "Horn");
  EXPECT_EQ(Byte(0x299), 0xFF) << "the horn mode stores nothing";
  EXPECT_EQ(host_.block.posted, std::vector<int>{13});
}

TEST(KeyWalk, EveryLabelOnEveryModel) {
  std::set<int> without = {CL_KDisp_SmaKey,          CL_KDisp_MicFunc,       CL_KDisp_ExtEmr,
                           CL_KDisp_LED_LP0,         CL_KDisp_LED_LP1,       CL_KDisp_LED_LP2,
                           CL_ExtPort_PortMode_none, CL_KDisp_Key_Conv_P4,   CL_KDisp_Key_Conv_Opf0,
                           CL_KDisp_Key_Shift_P4,    CL_KDisp_Key_Shift_Opf0};
  for (int label = CL_ExtPort_InOut_1; label <= CL_ExtPort_Out_1_Logic; ++label) without.insert(label);
  for (int label = CL_KDisp_Key_Conv_Opf2; label <= CL_KDisp_Key_Conv_MicB; ++label) without.insert(label);
  for (int label = CL_KDisp_Key_Shift_Opf2; label <= CL_KDisp_Key_Shift_MicB; ++label) without.insert(label);
  settingtest::WalkLabels(CL_ExtPort_ChSW_Table_MoveCH, CL_KDisp_Auto_KeyLock_Timer, without);
}

}  // namespace
