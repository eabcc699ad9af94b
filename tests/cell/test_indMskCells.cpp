// MSK settings: the address ranges derived from the group boundary, addresses checked
// against the range of their entry, the records of kinds 15-18 and radio-wide bytes.
#include <gtest/gtest.h>

#include "SettingCellFixture.h"
#include "cell/cmcCellIds.h"
#include "cell/indCellRequest.h"

namespace {

using celltest::Sent;
constexpr int kBoundary = 0xA70D;

class MskCells : public celltest::SettingCells {};

TEST_F(MskCells, IndividualRangeFollowsTheGroupBoundary) {
  PokeWord(kBoundary, 100);
  EXPECT_EQ(Draw(CT_MSK_AdrRange, CL_Msk_AdrRange_Individual, 0).text, "0000 (No Edit)");
  EXPECT_EQ(Draw(CT_MSK_AdrRange, CL_Msk_AdrRange_Individual, 1).text, "0099 (No Edit)");
  EXPECT_EQ(Draw(CT_MSK_AdrRange, CL_Msk_AdrRange_Individual, 2).text, "error");
  PokeWord(kBoundary, 0);
  for (int row = 0; row < 3; ++row)
    EXPECT_EQ(Draw(CT_MSK_AdrRange, CL_Msk_AdrRange_Individual, row).text, "----") << row;
}

TEST_F(MskCells, TypedBoundaryIsStoredAndChangesTheLayout) {
  const Sent s = Type(CT_MSK_AdrRange, CL_Msk_AdrRange_Group, 0, "100");
  EXPECT_EQ(Word(kBoundary), 100);
  EXPECT_EQ(s.text, "0100");
  EXPECT_TRUE(s.mask & indCellRequest::kMaskLayout);
  EXPECT_EQ(Draw(CT_MSK_AdrRange, CL_Msk_AdrRange_Group, 1).text, "4095 (No Edit)");
  EXPECT_EQ(Draw(CT_MSK_AdrRange, CL_Msk_AdrRange_Individual, 1).text, "0099 (No Edit)");
  Type(CT_MSK_AdrRange, CL_Msk_AdrRange_Group, 0, "4096");
  EXPECT_EQ(Word(kBoundary), 100) << "out of range is refused";
}

TEST_F(MskCells, AddressesOutsideTheirRangeCarryTheErrorMarkAtTheLeft) {
  PokeWord(kBoundary, 100);
  const struct {
    const char* name;
    int category, label, row, address, value;
    bool error;
  } cases[] = {
      {"killer inside the individual range", CT_MSK_AdrRange, CL_Msk_AdrRange_Killer, 0, 0xA711, 99, false},
      {"killer in the group range", CT_MSK_AdrRange, CL_Msk_AdrRange_Killer, 0, 0xA711, 100, true},
      {"group 0 holds individual addresses", CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 0, 0xA68D, 150, true},
      {"group 1 holds group addresses", CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 1, 0xA68D + 16, 150, false},
      {"group 1 below the boundary", CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 1, 0xA68D + 16, 42, true},
  };
  for (const auto& c : cases) {
    PokeWord(c.address, c.value);
    const Sent s = Draw(c.category, c.label, c.row);
    EXPECT_EQ(s.Error(), c.error) << c.name;
    if (c.error) {
      EXPECT_EQ(s.markPosition, 1) << c.name;
    }
  }
  PokeWord(kBoundary, 0);
  PokeWord(0xA711, 0);
  EXPECT_TRUE(Draw(CT_MSK_AdrRange, CL_Msk_AdrRange_Killer).Error()) << "no individual range while G is 0";
}

TEST_F(MskCells, EditsLandOnTheirBytes) {
  const struct {
    const char* name;
    int category, label, row;
    const char* typed;
    int address;
    std::vector<uint8_t> after;
    const char* shown;
  } cases[] = {
      {"call-list address in BCD", CT_MSK_CallList, CL_Msk_CallList_Adr, 2, "1234", 0x8C64 + 8, {0x12, 0x34}, "1234"},
      {"ID group address word", CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 3, "4095", 0xA68D + 48, {0x0F, 0xFF}, "4095"},
      {"fixed base ID word", CT_MSK_Cfg, CL_Msk_Cfg_Status_FixBaseId, 0, "42", 0xA873, {0x00, 0x2A}, "0042"},
      {"TAC in hundredths, clamped", CT_MSK_TimingErr, CL_Msk_TimingErr_TAC, 0, "3", 0xA85F, {255}, "2.55"},
      {"TAC never below 0.01", CT_MSK_TimingErr, CL_Msk_TimingErr_TAC, 0, "0", 0xA85F, {1}, "0.01"},
      {"busy check", CT_MSK_TimingErr, CL_Msk_TimingErr_BusyCheck, 0, "200", 0xA865, {200}, "200"},
      {"ANI display timer in tenths", CT_MSK_Cfg, CL_Msk_Cfg_Dec_ANI_Disp_Timer, 0, "2.35", 0xA879, {23}, "2.3"},
      {"sync word in hexadecimal", CT_MSK_Cfg, CL_Msk_Cfg_Enc_SyncvWord, 0, "b433", 0xA683, {0xB4, 0x33}, "B433"},
  };
  for (const auto& c : cases) {
    const Sent s = Type(c.category, c.label, c.row, c.typed);
    for (size_t i = 0; i < c.after.size(); ++i)
      EXPECT_EQ(At(c.address + static_cast<int>(i)), c.after[i]) << c.name << " byte " << i;
    EXPECT_EQ(s.text, c.shown) << c.name;
  }
}

TEST_F(MskCells, ChoicesKeepTheOtherBitsOfTheirByte) {
  const struct {
    const char* name;
    int category, label, row, address;
    uint8_t before;
    int chosen;
    uint8_t after;
  } cases[] = {
      {"status horn, bit 4 of the message's first setting byte", CT_MSK_Msg_Status, CL_Msk_Msg_Status_Horn, 1,
       0xA9A3 + 12 + 8, 0x07, 1, 0x17},
      {"status beep, bits 0-2", CT_MSK_Msg_Status, CL_Msk_Msg_Status_Beep, 0, 0xA9A3 + 8, 0xF0, 2, 0xF2},
      {"ID group special function", CT_MSK_IdGroup, CL_Msk_IdGroup_SFunc, 2, 0xA69B + 32, 0x80, 1, 0x81},
      {"call-list select, bit 1 of the second byte", CT_MSK_CallList, CL_Msk_CallList_Sel, 0, 0xA724, 0x01, 1, 0x03},
      {"country code, the whole byte", CT_MSK_AdrRange, CL_Msk_AdrRange_CountryCode, 0, 0xA713, 0, 9, 9},
      {"GPS auto, 0xA09E bit 6", CT_MSK_Cfg, CL_Msk_Cfg_Gps_Auto, 0, 0xA09E, 0x9F, 1, 0xDF},
  };
  for (const auto& c : cases) {
    Poke(c.address, c.before);
    Choose(c.category, c.label, c.row, Flex0, c.chosen);
    EXPECT_EQ(At(c.address), c.after) << c.name;
  }
}

TEST_F(MskCells, CallListDigitFlagsAreTheTopBitsOfTheFirstSettingByte) {
  Poke(0xA723, 0xA5);
  EXPECT_EQ(Draw(CT_MSK_CallList, CL_Msk_CallList_Digit, 0).text, "1_3_");
  Key(CT_MSK_CallList, CL_Msk_CallList_Digit, 0, ' ');
  EXPECT_EQ(At(0xA723), 0x05) << "space clears all flags, the low nibble stays";
}

TEST_F(MskCells, TheRowPastTheLastStatusMessageIsRestricted) {
  const int before = host_.restricted;
  Key(CT_MSK_Msg_Status, CL_Msk_Msg_Status_Beep, 23, '1');
  EXPECT_EQ(host_.restricted, before + 1);
  EXPECT_TRUE(DrewIn(indCellRequest::kRestrictedColour));
  EXPECT_EQ(grid_.choosers.size(), 0u);
  Key(CT_MSK_Msg_Status, CL_Msk_Msg_Status_Beep, 22, 13);
  EXPECT_EQ(grid_.choosers.size(), 1u) << "the last message takes keys";
}

}  // namespace

TEST_F(MskCells, CheckSummariesCollectTheAddressMarks) {
  host_.family = 2;  // QarnPmr: the radios with MSK signalling
  PokeWord(kBoundary, 100);
  PokeWord(0xA68D, 50);  // group 0: an individual address
  // Groups 1-7: group addresses.
  for (int group = 1; group < 8; ++group) PokeWord(0xA68D + group * 16, 100 + group);
  PokeWord(0xA711, 10);  // killer inside the individual range
  EXPECT_FALSE(Draw(CT_Null, CL_Check_Msk_OwnIdGroup).Error());
  EXPECT_FALSE(Draw(CT_Null, CL_Check_Msk_Config).Error());

  PokeWord(0xA68D, 150);  // group 0 now holds a group address
  EXPECT_TRUE(Draw(CT_Null, CL_Check_Msk_OwnIdGroup).Error());
  EXPECT_FALSE(Draw(CT_Null, CL_Check_Msk_IdRange).Error()) << "the call list's summary";
  PokeWord(0xA68D, 50);
  PokeWord(0xA68D + 3 * 16, 20);  // group 3 holds an individual address
  EXPECT_TRUE(Draw(CT_Null, CL_Check_Msk_OwnIdGroup).Error());
  PokeWord(0xA68D + 3 * 16, 120);
  EXPECT_FALSE(Draw(CT_Null, CL_Check_Msk_OwnIdGroup).Error());

  PokeWord(0xA711, 100);  // killer in the group range
  EXPECT_TRUE(Draw(CT_Null, CL_Check_Msk_Config).Error());

  // The other model types' radios have no MSK signalling: their MSK bytes are not checked.
  for (const int family : {0, 1, 3}) {
    host_.family = family;
    for (const int label : {CL_Check_Msk_OwnIdGroup, CL_Check_Msk_IdRange, CL_Check_Msk_Config})
      EXPECT_FALSE(Draw(CT_Null, label).Error()) << "model type " << family << ", label " << label;
  }
}
