#include <gtest/gtest.h>

#include <string>

#include "cell/cmcCellIds.h"
#include "cell/cmcCellRegistry.h"
#include "runtime/cmcFatal.h"

namespace {

struct NameCase {
  const char* name;
  uint32_t id;
};

TEST(cmcCellRegistry, LabelIdsOfTellingNames) {
  const NameCase cases[] = {
      {"CL_Null", 0},
      {"Flex0", 1},
      {"FlexMark", 4},
      {"FlexLockCh", 16},
      {"CL_Menu_File_New", 17},
      {"CL_Model_Lmr", 39},
      {"CL_Model_DPmr446", 42},
      {"CallSheet", 58},
      {"CL_Langage_Select", 80},
      {"CL_PMenu_Edit", 99},
      {"CL_PMenu_WinCopy", 109},
      {"CL_Misc_QuarterPillar", 126},
      {"CL_Mch_No", 128},
      {"CL_Mch_Scrm_Code", 163},
      {"CL_Mch_No_Pmr", 164},
      {"CL_Mch_RogerBeep", 215},
      {"CL_Mch_Atr_Pmr446", 216},
      {"CL_Mch_Lockout_Pmr446", 220},
      {"CL_Check_MDC_Status", 1132},
      {"CL_WinDA_RXLVA_Vt", 1628},
      {"", 1629},
  };
  for (const auto& c : cases) EXPECT_EQ(LabelIdOf(c.name), c.id) << c.name;
}

TEST(cmcCellRegistry, CategoryIdsOfTellingNames) {
  const NameCase cases[] = {
      {"CT_Null", 0},    {"CT_PopupMenu", 1}, {"CT_Mch", 2}, {"CT_Mch_Win_Pmr446", 6},
      {"CT_BankOp", 16}, {"CT_ADJ", 26},      {"", 27},
  };
  for (const auto& c : cases) EXPECT_EQ(CategoryIdOf(c.name), c.id) << c.name;
}

TEST(cmcCellRegistry, EveryNameRoundTrips) {
  for (uint32_t id = 0; id < kLabelCount; ++id) ASSERT_EQ(LabelIdOf(LabelNameOf(id)), id) << id;
  for (uint32_t id = 0; id < kCategoryCount; ++id) ASSERT_EQ(CategoryIdOf(CellCategoryNames()[id]), id) << id;
}

// Catches a named-id header that no longer matches the name table.
TEST(cmcCellRegistry, NamedIdsMatchTheTable) {
  const NameCase cases[] = {
      {"Flex0", Flex0},
      {"CL_PMenu_Paste", CL_PMenu_Paste},
      {"CL_Mch_FreqR", CL_Mch_FreqR},
      {"CL_Comm_Strv_RevAll", CL_Comm_Strv_RevAll},
      {"CL_Adj_Pram_TxLva_A2", CL_Adj_Pram_TxLva_A2},
      {"CL_WinDA_RXLVA_Vt", CL_WinDA_RXLVA_Vt},
  };
  for (const auto& c : cases) EXPECT_EQ(LabelNameOf(c.id), c.name);
  EXPECT_STREQ(CellCategoryNames()[CT_MDC_Alias], "CT_MDC_Alias");
}

TEST(cmcCellRegistry, LabelNameOfIdsOutsideTheTableIsEmpty) {
  for (const int64_t id : {int64_t{-1}, int64_t{1629}, int64_t{70000}, int64_t{1} << 40})
    EXPECT_EQ(LabelNameOf(id), "") << id;
}

struct KindCase {
  int64_t category;
  int family;
  int kind;
};

TEST(cmcCellRegistry, RecordKindOfEachCategory) {
  const KindCase fixed[] = {
      {0, 1, 0},   {1, 1, 0},   {7, 1, 5},   {8, 1, 6},    {9, 1, 7},   {10, 1, 8},  {11, 1, 9},
      {12, 1, 10}, {13, 1, 12}, {14, 1, 13}, {15, 1, 11},  {16, 1, 14}, {17, 1, 0},  {18, 1, 15},
      {19, 1, 16}, {20, 1, 17}, {21, 1, 18}, {22, 1, 0},   {23, 1, 0},  {24, 1, 19}, {25, 1, 20},
      {26, 1, 0},  {27, 1, 0},  {9, 3, 7},   {25, -1, 20}, {27, 3, 0},
  };
  for (const auto& c : fixed) EXPECT_EQ(RecordKindOf(c.category, c.family), c.kind) << c.category;
}

TEST(cmcCellRegistry, ChannelCategoriesFollowTheModelFamily) {
  // Families 4 and 5 are run as LMR; anything else indexes no record.
  const int kindByFamily[][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 1}, {5, 1}, {6, 0}, {-1, 0}, {255, 0}};
  for (int64_t category = CT_Mch; category <= CT_Mch_Win_Pmr446; ++category)
    for (const auto& [family, kind] : kindByFamily)
      EXPECT_EQ(RecordKindOf(category, family), kind) << "category " << category << " family " << family;
}

TEST(cmcCellRegistryDeathTest, UnknownNamesAndIdsAreFatal) {
  EXPECT_EXIT(CategoryIdOf("CT_Bogus"), ::testing::ExitedWithCode(kFatalExitStatus),
              "^Cannot use the specified category\\.\n'CT_Bogus'\n$");
  EXPECT_EXIT(CategoryIdOf("ct_null"), ::testing::ExitedWithCode(kFatalExitStatus), "category\\.\n'ct_null'");
  EXPECT_EXIT(LabelIdOf("CL_Bogus"), ::testing::ExitedWithCode(kFatalExitStatus),
              "^Cannot use the specified cell\\.\n'CL_Bogus'\n$");
  EXPECT_EXIT(LabelIdOf("CL_Null "), ::testing::ExitedWithCode(kFatalExitStatus), "cell\\.\n'CL_Null '");
  EXPECT_EXIT(RecordKindOf(28, 0), ::testing::ExitedWithCode(kFatalExitStatus),
              "^Unknown Cell Category\\. \\(28\\)\n$");
  EXPECT_EXIT(RecordKindOf(-1, 0), ::testing::ExitedWithCode(kFatalExitStatus),
              "^Unknown Cell Category\\. \\(-1\\)\n$");
}

// Both tables share one index; a name of one table must not pass as a name of the other.
TEST(cmcCellRegistryDeathTest, NamesOfTheOtherTableAreUnknown) {
  CategoryIdOf("CT_Null");
  LabelIdOf("CL_Null");
  EXPECT_EXIT(LabelIdOf("CT_Mch"), ::testing::ExitedWithCode(kFatalExitStatus), "cell\\.\n'CT_Mch'");
  EXPECT_EXIT(CategoryIdOf("Flex0"), ::testing::ExitedWithCode(kFatalExitStatus), "category\\.\n'Flex0'");
}

// Run in a fresh process so that no earlier lookup has entered either table.
TEST(cmcCellRegistryDeathTest, LabelsFirstThenCategoriesShareTheIndex) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        const bool empty = CellNameIndex().Find("CL_Null") == nullptr && CellNameIndex().Find("CT_Null") == nullptr;
        const bool labelFound = LabelIdOf("CL_Misc_QuarterPillar") == 126;
        const bool onlyLabels = CellNameIndex().Find("CL_Null") && !CellNameIndex().Find("CT_ADJ");
        const bool categoryFound = CategoryIdOf("CT_ADJ") == 26;
        const bool both = CellNameIndex().Find("CT_Null") && CellNameIndex().Find("CL_WinDA_RXLVA_Vt");
        std::exit(empty && labelFound && onlyLabels && categoryFound && both ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
