// Scan lists: list 0's power-save bit copied into every list on any request, the
// "----" rule while a list's scan type is 0, and the composite values of a list.
#include <gtest/gtest.h>

#include "SettingCellFixture.h"
#include "cell/cmcCellIds.h"
#include "cell/indCellRequest.h"

namespace {

constexpr int kLists = 0xA2B7;
constexpr int kSize = 18;
int ListByte(int list, int b) { return kLists + kSize * list + b; }

class ScanListCells : public celltest::SettingCells {};

TEST_F(ScanListCells, AnyPowerSaveRequestCopiesListZerosBitIntoTheOthers) {
  Poke(ListByte(0, 8), 0x10);
  for (int n = 1; n < 17; ++n) Poke(ListByte(n, 8), n % 2 ? 0x8F : 0x00);
  EXPECT_EQ(Draw(CT_Null, CL_ScanComm_PwrSave).text, "On");
  for (int n = 1; n < 17; ++n) EXPECT_EQ(At(ListByte(n, 8)), n % 2 ? 0x9F : 0x10) << "a redraw copies, list " << n;
  Key(CT_Null, CL_ScanComm_PwrSave, 0, ' ');
  EXPECT_EQ(At(ListByte(0, 8)), 0x00);
  for (int n = 1; n < 17; ++n) EXPECT_EQ(At(ListByte(n, 8)), n % 2 ? 0x8F : 0x00) << "a change copies, list " << n;
}

TEST_F(ScanListCells, AListWithScanTypeZeroShowsDashesInSilverAndTakesNoKeys) {
  Poke(ListByte(1, 10), 0xF0);  // type 0, every flag of the byte set
  Poke(ListByte(1, 12), 0x55);
  const int labels[] = {CL_ScanList_Prio1_CH,        CL_ScanList_TX_CH,     CL_ScanList_TX_CH_29SR,
                        CL_ScanList_TX_TalkBack,     CL_ScanList_TX_Action, CL_ScanList_Cancel_CH,
                        CL_ScanList_Cancel_TalkBack, CL_ScanList_DispText,  CL_ScanList_PwrSave};
  cmcEeprom before;
  before.Assign(host_.image);
  for (const int label : labels) {
    canvas_.colours.clear();
    EXPECT_EQ(Key(CT_Scan, label, 1, ' ').text, "----") << label;
    EXPECT_TRUE(DrewIn(indCellRequest::kSilver)) << label;
    Key(CT_Scan, label, 1, 13);
  }
  EXPECT_TRUE(host_.image.Equals(before));
  EXPECT_TRUE(grid_.choosers.empty());
  EXPECT_NE(Draw(CT_Scan, CL_ScanList_ScanType, 1).text, "----");
  Key(CT_Scan, CL_ScanList_ScanType, 1, ' ');
  EXPECT_EQ(At(ListByte(1, 10)), 0xF1) << "the type steps, its byte's flags stay";
  EXPECT_NE(Draw(CT_Scan, CL_ScanList_TX_Action, 1).text, "----");
}

TEST_F(ScanListCells, TalkBackSwitchesNeedTheirReference) {
  Poke(ListByte(2, 10), 0x01);
  Poke(ListByte(2, 12), 0x00);
  EXPECT_EQ(Draw(CT_Scan, CL_ScanList_TX_TalkBack, 2).text, "----");
  EXPECT_EQ(Draw(CT_Scan, CL_ScanList_Cancel_TalkBack, 2).text, "----");
  Poke(ListByte(2, 12), 0x21);
  EXPECT_EQ(Draw(CT_Scan, CL_ScanList_TX_TalkBack, 2).text, "Off");
  EXPECT_EQ(Draw(CT_Scan, CL_ScanList_Cancel_TalkBack, 2).text, "Off");
}

TEST_F(ScanListCells, CompositeValuesSpreadOverTheirBits) {
  const struct {
    const char* name;
    int category, label, row, chosen;
    std::vector<std::pair<int, uint8_t>> before, after;
  } cases[] = {
      {"cancel channel: byte 12 low nibble, byte 10 bit 4, byte 11 bit 7",
       CT_Scan,
       CL_ScanList_Cancel_CH,
       3,
       49,
       {{ListByte(3, 10), 0x41}, {ListByte(3, 11), 0x01}, {ListByte(3, 12), 0x30}},
       {{ListByte(3, 10), 0x51}, {ListByte(3, 11), 0x81}, {ListByte(3, 12), 0x31}}},
      {"display text: byte 9 bit 7 is value bit 0, bit 5 value bit 2",
       CT_Scan,
       CL_ScanList_DispText,
       3,
       5,
       {{ListByte(3, 9), 0x4F}, {ListByte(3, 10), 0x01}},
       {{ListByte(3, 9), 0xAF}}},
      {"power-on scan: 0xA09D bit 7 is value bit 1",
       CT_Null,
       CL_ScanComm_PwrOnScan,
       0,
       2,
       {{0xA09D, 0x01}, {0xA0E8, 0x03}},
       {{0xA09D, 0x81}, {0xA0E8, 0x01}}},
  };
  for (const auto& c : cases) {
    for (const auto& [address, value] : c.before) Poke(address, value);
    Choose(c.category, c.label, c.row, Flex0, c.chosen);
    for (const auto& [address, value] : c.after) EXPECT_EQ(At(address), value) << c.name << " at " << address;
  }
}

TEST_F(ScanListCells, CommonTimersUseTheirScale) {
  Type(CT_Null, CL_ScanComm_ScanTimer_Fast, 0, "0.125");
  EXPECT_EQ(At(0xA0A2), 125);
  Type(CT_Null, CL_ScanComm_ScanTimer_Slow, 0, "1.5");
  EXPECT_EQ(At(0xA0A3), 150);
  EXPECT_EQ(Type(CT_Null, CL_ScanComm_StopTimer, 0, "5").text, "5.0");
  EXPECT_EQ(At(0xA0AF), 50);
}

}  // namespace
