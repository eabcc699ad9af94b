// The maker settings: the squelch delay reset timer only in maker reserve mode, and
// representative rows of the table, each a golden byte after a key or a typed text.
#include <gtest/gtest.h>

#include <string>

#include "cell/SettingFixture.h"
#include "cell/cmcCellIds.h"

namespace {

class MakerCells : public SettingFixture {};

TEST_F(MakerCells, TheSquelchDelayResetTimerIsShownOnlyInMakerReserveMode) {
  SetByte(0x11A, 25);
  EXPECT_EQ(Draw(CL_Maker_SqlDelay_ResetTimer).text, "");
  EXPECT_EQ(Key(CL_Maker_SqlDelay_ResetTimer, ' ').text, "");
  EXPECT_EQ(Commit(CL_Maker_SqlDelay_ResetTimer, "0.1").text, "");
  EXPECT_EQ(Key(CL_Maker_SqlDelay_ResetTimer, 13).result, 0) << "no editor opens";
  EXPECT_EQ(Byte(0x11A), 25) << "keys and texts change nothing outside maker reserve mode";
  EXPECT_EQ(host_.restricted, 0) << "inert, not refused";

  host_.makerMode = true;
  EXPECT_EQ(Draw(CL_Maker_SqlDelay_ResetTimer).text, "  0.025") << "milliseconds";
  EXPECT_EQ(Commit(CL_Maker_SqlDelay_ResetTimer, "0.1").text, "  0.100");
  EXPECT_EQ(Byte(0x11A), 100);
  EXPECT_EQ(Key(CL_Maker_SqlDelay_ResetTimer, ' ').text, "  0.101");
  EXPECT_EQ(Key(CL_Maker_SqlDelay_ResetTimer, 13).result, 2) << "the editor";
}

TEST_F(MakerCells, RowsOfTheTable) {
  const struct {
    const char* why;
    int label;
    int address;
    int before;
    int key;           // 0: commit text instead
    const char* text;  // typed
    int after;
    const char* shown;
  } cases[] = {
      {"a switch in bit 7", CL_Maker_SqlDelay_Op, 0x10C, 0x00, ' ', "", 0x80, "On"},
      {"a polarity clears only its bit", CL_Maker_Dtcs_RxPolar, 0x10C, 0xFF, ' ', "", 0xDF, "Normal"},
      {"the channel step wraps within its 3 bits", CL_Maker_MchPitch, 0x10D, 0xFC, ' ', "", 0xF8, "5 kHz"},
      {"the PLL reference steps back to its last entry", CL_Maker_Pll_Reference, 0x10D, 0x00, 8, "", 0xC0, "16.8 MHz"},
      {"the user interface in the low bits", CL_Maker_UI_Type, 0x10F, 0xC0, ' ', "", 0xC1, "Simple"},
      {"a charge pump current in the high nibble", CL_Maker_Pll_Cp2OutputCurrent, 0x10E, 0x0F, 0, "9", 0x9F, "9"},
      {"a current above 15 is held at 15", CL_Maker_Pll_Cp1OutputCurrent, 0x10E, 0x30, 0, "20", 0x3F, "15"},
      {"a squelch level byte", CL_Maker_Sql_Level_C, 0x122, 0x00, 0, "200", 0xC8, "200"},
      {"hundredths of a second", CL_Maker_PwrOffTimer, 0x12D, 0x00, 0, "1.5", 150, "  1.50"},
      {"milliseconds held at 255", CL_Maker_ManDown_Polling, 0x119, 0x00, 0, "0.3", 255, "  0.255"},
      {"a battery threshold", CL_Maker_Liion_Dry_DispLow2, 0x14C, 0x00, 0, "77", 77, "77"},
      {"a peak counter in the low nibble", CL_Maker_LoneWorker_PeakDetCounter, 0x14F, 0xA0, 0, "7", 0xA7, "7"},
      {"the other in the high nibble", CL_Maker_Motion_PeakDetCounter, 0x14F, 0xA0, 0, "3", 0x30, "3"},
      {"the password as typed", CL_Maker_Password, 0x110, 0x00, 0, "ABC", 'A', "ABC"},
      {"a typed blank is refused, not cut", CL_Maker_Password, 0x110, 0x00, 0, "AB C", 0x00, ""},
  };
  for (const auto& c : cases) {
    SetByte(c.address, c.before);
    const Reply r = c.key ? Key(c.label, c.key) : Commit(c.label, c.text);
    EXPECT_EQ(Byte(c.address), c.after) << c.why;
    EXPECT_EQ(r.text, c.shown) << c.why;
  }
}

TEST_F(MakerCells, EnterOnAChoiceOpensItsList) {
  EXPECT_EQ(Key(CL_Maker_Dtcs_Decode, 13).result, 1);
  ASSERT_EQ(grid_.opened.size(), 1u);
  EXPECT_EQ(grid_.opened[0].listKey, "GI_Sheet_Sel_Maker_DtcsDecode");
}

}  // namespace
