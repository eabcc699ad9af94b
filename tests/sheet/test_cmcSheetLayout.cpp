// The grid geometry: rectangles and hit tests with fixed columns and rows while
// scrolled, the scroll limits, visible counts and the column width limits.
#include <gtest/gtest.h>

#include "cell/cmcCellIds.h"
#include "sheet/SheetRig.h"
#include "sheet/cmcFixedMeasure.h"
#include "sheet/cmcSheetLayout.h"

namespace {

// Six columns of 30 (the first fixed) and eight rows of 10 (the first two fixed),
// shown in 100 x 50 pixels: three scrolled columns and three scrolled rows fit.
cmcSheetLayout Grid() {
  cmcSheetLayout layout;
  layout.Reset(6, 8, 30, 10);
  layout.SetFixed(1, 2);
  layout.SetClientSize(100, 50);
  return layout;
}

TEST(SheetLayout, RectanglesAndHitsWhileScrolled) {
  cmcSheetLayout layout = Grid();
  ASSERT_TRUE(layout.SetLeftCol(2));
  ASSERT_TRUE(layout.SetTopRow(4));
  struct Case {
    const char* name;
    int col, row;
    cmcSheetRect rect;
  };
  const Case rects[] = {
      {"a fixed corner cell stays", 0, 1, {0, 10, 30, 20}},
      {"a fixed row cell moves with the columns", 2, 0, {30, 0, 60, 10}},
      {"a fixed column cell moves with the rows", 0, 4, {0, 20, 30, 30}},
      {"the first scrolled cell follows the fixed ones", 2, 4, {30, 20, 60, 30}},
      {"a cell scrolled away left is empty", 1, 4, {}},
      {"a cell scrolled away up is empty", 2, 3, {}},
      {"a cell past the client area is empty", 5, 4, {}},
      {"a partly shown cell is whole", 4, 6, {90, 40, 120, 50}},
      {"outside the grid", 6, 0, {}},
  };
  for (const auto& c : rects) EXPECT_EQ(layout.CellRect(c.col, c.row), c.rect) << c.name;
  struct Hit {
    int x, y;
    cmcSheetCoord at;
  };
  const Hit hits[] = {{0, 0, {0, 0}},   {29, 19, {0, 1}}, {30, 20, {2, 4}}, {59, 29, {2, 4}}, {60, 30, {3, 5}},
                      {99, 49, {4, 6}}, {-1, 5, {}},      {5, -1, {}},      {250, 5, {}}};
  for (const auto& h : hits) EXPECT_EQ(layout.MouseCoord(h.x, h.y), h.at) << h.x << "," << h.y;
}

TEST(SheetLayout, ScrollLimitsAndVisibleCounts) {
  cmcSheetLayout layout = Grid();
  EXPECT_EQ(layout.MaxLeftCol(), 4) << "columns 4-5 fit into 70 pixels, 3-5 would not";
  EXPECT_EQ(layout.MaxTopRow(), 5) << "rows 5-7 fill 30 of 30 pixels";
  EXPECT_FALSE(layout.SetLeftCol(0)) << "never into the fixed columns";
  EXPECT_EQ(layout.LeftCol(), 1);
  layout.SetTopRow(99);
  EXPECT_EQ(layout.TopRow(), 5);
  EXPECT_EQ(layout.VisibleColCount(), 2);
  EXPECT_EQ(layout.VisibleRowCount(), 3);
  layout.SetTopRow(2);
  EXPECT_TRUE(layout.ScrollIntoView(5, 7));
  EXPECT_EQ(layout.LeftCol(), 4);
  EXPECT_EQ(layout.TopRow(), 5);
  EXPECT_FALSE(layout.ScrollIntoView(0, 0)) << "fixed cells are always shown";
  EXPECT_TRUE(layout.ScrollIntoView(2, 3));
  EXPECT_EQ(layout.LeftCol(), 2);
  EXPECT_EQ(layout.TopRow(), 3);
  EXPECT_EQ(layout.GridWidth(), 180);
  EXPECT_EQ(layout.GridHeight(), 80);
  EXPECT_EQ(layout.RequiredOuterWidth(120), 200) << "the holder's frame and the lacking 80 pixels";
  EXPECT_EQ(layout.RequiredOuterHeight(70), 100);
}

TEST(SheetLayout, HiddenColumnsAndRowsTakeNoHits) {
  cmcSheetLayout layout = Grid();
  layout.SetColWidth(2, 0);
  layout.SetRowHeight(2, 0);
  EXPECT_TRUE(layout.CellRect(2, 2).Empty());
  EXPECT_EQ(layout.MouseCoord(60, 20), (cmcSheetCoord{3, 3})) << "past column 1, over the hidden ones";
  layout.SetRowCount(10);
  EXPECT_EQ(layout.RowHeight(9), 10) << "added rows take the height of the row above";
  layout.SetRowCount(1);
  EXPECT_EQ(layout.FixedRows(), 0) << "fewer rows than fixed ones";
}

TEST(SheetLayout, WidthLimits) {
  struct Case {
    const char* name;
    int clientWidth;
    int width;
    bool limited;
    int kept;
  };
  const Case cases[] = {
      {"wider than 650 leaves 650", 2000, 900, true, 650},
      {"narrower than 10 leaves 10", 2000, 3, true, 10},
      {"at most the client area less the fixed columns", 330, 900, true, 300},
      {"never below 10 even in a tiny client area", 35, 40, true, 10},
      {"a column not limited keeps any width", 2000, 900, false, 900},
  };
  for (const auto& c : cases) {
    cmcSheetLayout layout = Grid();
    layout.SetClientSize(c.clientWidth, 50);
    layout.SetLimited(3, c.limited);
    layout.SetColWidth(3, c.width);
    layout.ApplyWidthLimits();
    EXPECT_EQ(layout.ColWidth(3), c.kept) << c.name;
  }
  cmcSheetLayout loading = Grid();
  loading.SetClientSize(100, 50);
  loading.SetLimited(3, true);
  loading.SetColWidth(3, 900);
  loading.ApplyWidthLimits(true);
  EXPECT_EQ(loading.ColWidth(3), 650) << "loaded widths are kept within 650 whatever the client area";
}

TEST(SheetLayout, DraggingASelectableColumnKeepsItInTheLimits) {
  SheetRig rig({"h|h", "{S}a|b"}, "(FixedRows=1)(ColSizing)");
  cmcSheetModel& sheet = rig.Build({}, 2000, 600);
  sheet.ResizeColumn(0, 900);
  EXPECT_EQ(sheet.Layout().ColWidth(0), 650);
  sheet.ResizeColumn(0, 2);
  EXPECT_EQ(sheet.Layout().ColWidth(0), 10);
  sheet.ResizeColumn(1, 900);
  EXPECT_EQ(sheet.Layout().ColWidth(1), 900) << "its first non-fixed cell is not selectable";
}

TEST(SheetLayout, FittingAColumn) {
  EXPECT_EQ(cmcSheetLayout::FitWidth(24, 1), 32);
  EXPECT_EQ(cmcSheetLayout::FitWidth(24, 3), 48);
  EXPECT_EQ(cmcSheetLayout::FitHeight(16, 1, 2.5), 20);
  EXPECT_EQ(cmcSheetLayout::FitHeight(16, 1, 0.5), 18);
  // A double click on a fixed cell's right border fits the column: fixed rows by their
  // own text (unless the next cell joins it), the rest by what the value layer shows.
  SheetRig rig({"{WH}No|{+}joined|{WH}x", "{SWH(%CT_Mch.CL_Mch_No[0])}9|{S}b|{S}c"}, "(FixedRows=1)(ColSizing)");
  cmcSheetModel& sheet = rig.Build();
  ASSERT_EQ(sheet.Layout().ColWidth(0), 24);
  const cmcSheetRect r = sheet.Layout().CellRect(0, 0);
  sheet.DoubleClick(r.right - 2, r.top + 1);
  const int shown = static_cast<int>(("L" + std::to_string(CL_Mch_No) + ":0").size());
  EXPECT_EQ(sheet.Layout().ColWidth(0), shown * 8 + 8);
  // On the left border of column 2 the column before it is fitted to "joined".
  const cmcSheetRect r2 = sheet.Layout().CellRect(2, 0);
  sheet.DoubleClick(r2.left + 1, r2.top + 1);
  EXPECT_EQ(sheet.Layout().ColWidth(1), 6 * 8 + 8);
}

}  // namespace
