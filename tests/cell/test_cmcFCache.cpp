#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/cmcCellIds.h"
#include "cell/cmcFCache.h"
#include "overlay/cmcGTex.h"

namespace {

// Sel_Order reads 5, 1, 3 down its columns (line order would be 5, 3, 1); Flex1 cells
// share the sheet. Sel_Carry's second cell takes category and index from the first.
const std::vector<std::string> kLines = {
    "#Sel_Order_Cells",
    "{(%CT_Null.Flex0[5])}five|{(%Flex0[3])}three|{(%Flex1[3])}other three",
    "",
    "{(%Flex0[1])}one|{(%Flex0[7]:seven arg)}shown text",
    "#",
    "#Sel_Counted_Cells",
    "|{(%CT_Null.Flex0[@ch0])(@ch0++)}zero|{(%Flex0[@ch0])(@ch0++)}one",
    "#",
    "#Sel_Carry_Cells",
    "{(%CT_Null.Flex0[4])}four|{(%Flex0)}also four|{(%Flex1[9])}nine",
    "#",
    "#Sel_None_Cells",
    "{(%CT_Null.Flex1[1])}x",
    "#",
    "#End_Of_Ovl",
};

class FCacheTest : public ::testing::Test {
 protected:
  void SetUp() override { overlay.SetLines(kLines); }
  cmcGTex overlay;
  cmcFCache cache{overlay};
};

TEST_F(FCacheTest, KeyIsSheetHashLabel) { EXPECT_EQ(cmcFCache::KeyOf("GI_Sheet_Sel_X", 12), "GI_Sheet_Sel_X#12"); }

TEST_F(FCacheTest, TextsByValue) {
  const struct {
    const char* name;
    const char* sheet;
    uint32_t label;
    int32_t value;
    const char* text;
  } cases[] = {
      {"third cell in reading order", "Sel_Order", Flex0, 3, "three"},
      {"first cell", "Sel_Order", Flex0, 5, "five"},
      {"argument wins over display text", "Sel_Order", Flex0, 7, "seven arg"},
      {"same sheet, other label", "Sel_Order", Flex1, 3, "other three"},
      {"gap between values", "Sel_Order", Flex0, 4, "error"},
      {"below the first value", "Sel_Order", Flex0, 0, "error"},
      {"above the last value", "Sel_Order", Flex0, 8, "error"},
      {"counters start at 0 for the stored values", "Sel_Counted", Flex0, 0, "zero"},
      {"counter advanced by the cell before", "Sel_Counted", Flex0, 1, "one"},
      {"index carried from the cell before", "Sel_Carry", Flex0, 4, "four"},
      {"no cell with the label", "Sel_None", Flex0, 1, "error"},
  };
  for (const auto& c : cases) EXPECT_EQ(cache.TextOfValue(c.sheet, c.label, c.value), c.text) << c.name;
}

TEST_F(FCacheTest, EntryShape) {
  cache.TextOfValue("Sel_Order", Flex0, 0);
  cache.TextOfValue("Sel_Order", Flex1, 0);
  const cmcFCache::Entry* e = cache.Find("Sel_Order", Flex0);
  ASSERT_NE(e, nullptr);
  EXPECT_NE(e, cache.Find("Sel_Order", Flex1));
  EXPECT_EQ(e->lineCount, 3);
  EXPECT_EQ(e->widestLine, 3);
  ASSERT_EQ(e->Count(), 4);
  std::vector<int32_t> byValue, reading;
  for (const auto& r : e->byValue) byValue.push_back(r.value);
  for (const auto& r : e->byReadingOrder) reading.push_back(r.value);
  EXPECT_EQ(byValue, (std::vector<int32_t>{1, 3, 5, 7}));
  EXPECT_EQ(reading, (std::vector<int32_t>{5, 1, 3, 7}));
  EXPECT_EQ(e->byReadingOrder[3].line, 2);
  EXPECT_EQ(e->byReadingOrder[3].position, 1);
  EXPECT_EQ(cache.Find("Sel_Order", Flex1)->Count(), 1);
}

TEST_F(FCacheTest, EqualValuesKeepReadingOrder) {
  EXPECT_EQ(cache.TextOfValue("Sel_Carry", Flex0, 4), "four");
  const cmcFCache::Entry* e = cache.Find("Sel_Carry", Flex0);
  ASSERT_EQ(e->Count(), 2);
  EXPECT_EQ(*e->byValue[1].text, "also four");
}

TEST_F(FCacheTest, StepsInReadingOrderAndWraps) {
  int32_t next = -1;
  EXPECT_FALSE(cache.StepValue("Sel_Order", Flex0, 5, 1, next)) << "stepping builds nothing";
  cache.TextOfValue("Sel_Order", Flex0, 5);
  const struct {
    int32_t current;
    int step;
    int32_t expected;
  } cases[] = {
      {5, 1, 1}, {1, 1, 3}, {3, 1, 7}, {7, 1, 5}, {5, -1, 7}, {3, -1, 1}, {42, 1, 5}, {42, -1, 7},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(cache.StepValue("Sel_Order", Flex0, c.current, c.step, next));
    EXPECT_EQ(next, c.expected) << c.current << " step " << c.step;
  }
}

TEST_F(FCacheTest, StepWithoutCellsKeepsTheValue) {
  cache.TextOfValue("Sel_None", Flex0, 1);
  int32_t next = 0;
  ASSERT_TRUE(cache.StepValue("Sel_None", Flex0, 6, 1, next));
  EXPECT_EQ(next, 6);
}

TEST_F(FCacheTest, BuildsOncePerSheetAndLabel) {
  cache.TextOfValue("Sel_Order", Flex0, 1);
  const cmcFCache::Entry* first = cache.Find("Sel_Order", Flex0);
  const auto reads = overlay.Stats().lineReads;
  EXPECT_EQ(cache.TextOfValue("Sel_Order", Flex0, 3), "three");
  EXPECT_EQ(cache.Find("Sel_Order", Flex0), first);
  EXPECT_EQ(overlay.Stats().lineReads, reads);
}

TEST_F(FCacheTest, MissingSectionIsFatal) {
  EXPECT_EXIT(cache.TextOfValue("Sel_Missing", Flex0, 0), ::testing::ExitedWithCode(3), "Sel_Missing_Cells");
}

}  // namespace
