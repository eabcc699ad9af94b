// The MDC settings: the new alias row (adding, the overflow and the budget), an
// alias's name, ID and alert beep in its record, and the system records' fields at
// golden offsets, shared names among the feature sheets, rows past the last system.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "cell/SettingFixture.h"
#include "cell/cmcCellIds.h"
#include "cell/indCellRequest.h"
#include "channel/datChBlockHost.h"
#include "channel/datChKinds.h"
#include "image/cmcImageMap.h"

namespace {

constexpr int kAlias = 0xB1CC;   // alias 0; 12 bytes each
constexpr int kSystem = 0xB13B;  // system 0; 29 bytes each

class MdcCells : public SettingFixture {
 protected:
  MdcCells() { host_.SetWord(cmcImageMap::kMdcAliasCount, 2); }
  Reply AliasKey(int label, int row, int key) { return Key(label, key, row, CT_MDC_Alias); }
  Reply AliasCommit(int label, int row, const std::string& text) { return Commit(label, text, row, CT_MDC_Alias); }
  bool Posted(int code) {
    return std::find(host_.block.posted.begin(), host_.block.posted.end(), code) != host_.block.posted.end();
  }
};

TEST_F(MdcCells, AKeyOnTheNewAliasRowFirstAddsAnAlias) {
  SetByte(kAlias + 24, 'Q');  // stale bytes in the slot past the aliases
  const Reply r = AliasKey(CL_Mdc_Alias1_Text, 2, '7');
  ASSERT_EQ(host_.block.sent.size(), 1u);
  EXPECT_EQ(host_.block.sent[0].code, datChBlockHost::kEvInsertAlias);
  EXPECT_EQ(host_.block.sent[0].row, 2);
  EXPECT_EQ(Byte(kAlias + 24), 0) << "the new alias starts blank";
  EXPECT_EQ(host_.recomputed, 1) << "the memory figures follow";
  EXPECT_EQ(r.result, indCellRequest::kResultPopupOpened) << "the key goes on to the name";
  EXPECT_TRUE(r.mask & indCellRequest::kMaskLayout);
  EXPECT_TRUE(host_.prompts.asked.empty());
}

TEST_F(MdcCells, OnlyAKeyThatStartsANameAddsAnAlias) {
  for (const int key : {0, int{'x'}, int{'-'}}) {
    const Reply r = AliasKey(CL_Mdc_Alias1_Text, 3, key);
    EXPECT_EQ(r.text, "") << key;
  }
  EXPECT_TRUE(host_.block.sent.empty());
  for (const int key : {int{' '}, 8, int{'.'}, 13, int{'0'}}) AliasKey(CL_Mdc_Alias1_Text, 2, key);
  EXPECT_EQ(host_.block.sent.size(), 5u) << "space, backspace, dot, Enter and a digit";
}

TEST_F(MdcCells, NoAliasIsAddedPastTheLimitOrTheBudget) {
  const struct {
    const char* why;
    int count;
    int used2;
  } cases[] = {
      {"100 aliases", 100, 0},
      {"no room for 12 more bytes", 2, cmcImageMap::kGroupOneLimit - 11},
  };
  for (const auto& c : cases) {
    host_.SetWord(cmcImageMap::kMdcAliasCount, c.count);
    host_.SetWord(cmcImageMap::kBudgetWord2, c.used2);
    host_.prompts.asked.clear();
    const Reply r = AliasKey(CL_Mdc_Alias1_Text, c.count, '7');
    EXPECT_TRUE(host_.block.sent.empty()) << c.why;
    EXPECT_EQ(r.text, "") << c.why;
    ASSERT_EQ(host_.prompts.asked.size(), 1u) << c.why;
    EXPECT_EQ(host_.prompts.asked[0].text, "GI_AppMess_ChErr_Overflow");
    EXPECT_EQ(host_.prompts.asked[0].caption, "GI_Sys_AppTitle");
  }
}

TEST_F(MdcCells, AnAliasKeepsItsNameIdAndBeepInItsRecord) {
  AliasCommit(CL_Mdc_Alias1_Text, 1, "BASE");
  EXPECT_EQ(Byte(kAlias + 12), 'B');
  EXPECT_EQ(Byte(kAlias + 15), 'E');
  EXPECT_EQ(Byte(kAlias + 16), ' ') << "names are padded with spaces";
  EXPECT_TRUE(Posted(datChBlockHost::kEvRefreshAll)) << "a changed name refreshes the sheets";
  host_.block.posted.clear();
  AliasCommit(CL_Mdc_Alias1_Text, 1, "BASE");
  EXPECT_FALSE(Posted(datChBlockHost::kEvRefreshAll)) << "the same name again";

  EXPECT_EQ(AliasCommit(CL_Mdc_Alias1_ID, 1, "1a2f").text, "1A2F");
  EXPECT_EQ(Byte(kAlias + 12 + 8), 0x1A);
  EXPECT_EQ(Byte(kAlias + 12 + 9), 0x2F);

  SetByte(kAlias + 12 + 11, 0xF2);
  EXPECT_EQ(AliasKey(CL_Mdc_Alias1_Beep_Type, 1, 0).text, "Double beep");
  EXPECT_EQ(AliasKey(CL_Mdc_Alias1_Beep_Type, 1, ' ').text, "Triple beep");
  EXPECT_EQ(Byte(kAlias + 12 + 11), 0xF3) << "the high nibble kept";
  EXPECT_EQ(Byte(kAlias + 12 + 10), 0) << "byte 10 untouched";
}

TEST_F(MdcCells, TheNewAliasRowShowsNoIdOrBeep) {
  SetByte(kAlias + 24 + 8, 0x12);
  EXPECT_EQ(AliasKey(CL_Mdc_Alias1_ID, 2, 0).text, "");
  EXPECT_EQ(AliasKey(CL_Mdc_Alias1_Beep_Type, 2, 0).text, "");
  EXPECT_EQ(AliasCommit(CL_Mdc_Alias1_ID, 2, "FFFF").text, "");
  EXPECT_EQ(Byte(kAlias + 24 + 8), 0x12);
}

TEST_F(MdcCells, SystemRecordFields) {
  const struct {
    const char* why;
    int label;
    int row;
    int offset;
    int before;
    int key;           // 0: commit text instead
    const char* text;  // typed
    int after;
    const char* shown;
  } cases[] = {
      {"the self ID, high byte", CL_Mdc_General_Self_Id, 1, 8, 0x00, 0, "0123", 0x01, "0123"},
      {"a feature offered", CL_Mdc_System_List_Stun, 2, 10, 0x03, ' ', "", 0x0B, "Offered"},
      {"revive kept apart from the kept bits", CL_Mdc_System_List_Revive, 2, 10, 0x0B, ' ', "", 0x0F, "Offered"},
      {"MDC on, bit 7 of byte 11", CL_Mdc_General_Mdc_On, 4, 11, 0x00, ' ', "", 0x80, "On"},
      {"sync threshold, low nibble", CL_Mdc_General_Rx_Sync_Threshold, 0, 13, 0x50, 0, "9", 0x59, "9"},
      {"sync retries, high nibble", CL_Mdc_General_Tx_Sync_Retry, 0, 13, 0x59, 0, "3", 0x39, "3"},
      {"initial delay in hundredths", CL_Mdc_General_Initial_Tx_Delay, 0, 12, 0, 0, "0.5", 50, "  0.50"},
      {"PTT ID up, bit 4 of byte 16", CL_Mdc_PttId_Pttid_Up, 3, 16, 0xFF, ' ', "", 0xEF, "Off"},
      {"emergency display in seconds", CL_Mdc_Emg_Disp_Time, 0, 20, 0, 0, "30", 30, " 30"},
      {"emergency cycles", CL_Mdc_Emg_No_Cycles, 0, 25, 0, 0, "3", 3, "3"},
      {"revive acknowledge delay, the last byte", CL_Mdc_Revive_Ack_Delay, 4, 28, 0, 0, "2", 20, "  2.0"},
  };
  for (const auto& c : cases) {
    const int at = kSystem + 29 * c.row + c.offset;
    SetByte(at, c.before);
    const Reply r = c.key ? Key(c.label, c.key, c.row) : Commit(c.label, c.text, c.row);
    EXPECT_EQ(Byte(at), c.after) << c.why;
    EXPECT_EQ(r.text, c.shown) << c.why;
  }
}

TEST_F(MdcCells, EveryFeatureSheetNamesItsRowsByTheSystemName) {
  Commit(CL_Mdc_System_List_Text, "DISPATCH", 2);
  EXPECT_EQ(Byte(kSystem + 58), 'D');
  EXPECT_EQ(Byte(kSystem + 65), 'H');
  for (const int label :
       {CL_Mdc_General_Text, CL_Mdc_PttId_Text, CL_Mdc_RadioChk_Text, CL_Mdc_Emg_Text, CL_Mdc_Stun_Text})
    EXPECT_EQ(Draw(label, 2).text, "DISPATCH") << label;
  Commit(CL_Mdc_Emg_Text, "ABC", 2);
  EXPECT_EQ(Draw(CL_Mdc_System_List_Text, 2).text, "ABC");
  EXPECT_EQ(Byte(kSystem + 61), 0) << "zero-filled";
}

TEST_F(MdcCells, RowsPastTheFifthSystemAreEmpty) {
  SetByte(kSystem + 29 * 5, 0x41);
  EXPECT_EQ(Draw(CL_Mdc_System_List_Text, 5).text, "");
  Commit(CL_Mdc_System_List_Text, "X", 5);
  Commit(CL_Mdc_General_Self_Id, "1234", 5);
  EXPECT_EQ(Byte(kSystem + 29 * 5), 0x41) << "the first alias's name is not a system";
}

}  // namespace
