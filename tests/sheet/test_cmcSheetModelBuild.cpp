// Building a sheet model: rows and columns from the overlay, sizes from measured text,
// fixed counts, the kinds' hooks, the cursor's first place and the stored widths.
#include <gtest/gtest.h>

#include "cell/cmcCellIds.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcFatal.h"
#include "runtime/cmcMemorySettingsStore.h"
#include "sheet/SheetRig.h"
#include "sheet/cmcColumnWidthStore.h"

namespace {

std::vector<int> Widths(const cmcSheetLayout& layout) {
  std::vector<int> w;
  for (int c = 0; c < layout.ColCount(); ++c) w.push_back(layout.ColWidth(c));
  return w;
}

std::vector<int> Heights(const cmcSheetLayout& layout) {
  std::vector<int> h;
  for (int r = 0; r < layout.RowCount(); ++r) h.push_back(layout.RowHeight(r));
  return h;
}

TEST(SheetModelBuild, SizesAndCounts) {
  // The fixed measure: 8 pixels a character, 16 a line. A fitted column is text + 8
  // wide (x the print scale); a fitted row text + 2 + 2.5 high, truncated.
  struct Case {
    const char* name;
    std::vector<std::string> cells;
    const char* style;
    cmcSheetModel::BuildOptions options;
    bool modelSheet;
    std::vector<int> widths;
    std::vector<int> heights;
    int fixedCols, fixedRows;
  };
  const Case cases[] = {
      {"three cells and two cells give three columns", {"|a|b|", "|c|"}, "", {}, false, {1, 1, 1}, {1, 1}, 0, 0},
      {"a column without a fit-width cell stays 1 pixel wide",
       {"{W}abc|x", "y|{W}z"},
       "",
       {},
       false,
       {32, 16},
       {1, 1},
       0,
       0},
      {"the widest fitted text wins", {"{W}ab", "{W}abcd", "{W}a"}, "", {}, false, {40}, {1, 1, 1}, 0, 0},
      {"fit height measures every line", {"{H}a\\nb\\nc|{H}d"}, "", {}, false, {1, 1}, {52}, 0, 0},
      {"copied rows take the height of the row above",
       {":(LoopFrom 3)", "{H}two\\nlines", ":(LoopTo)"},
       "",
       {},
       false,
       {1},
       {36, 36, 36},
       0,
       0},
      {"a printed sheet sizes by its scale",
       {"{W}abc|x", "{H}y"},
       "",
       {.printing = true, .printScale = 3},
       false,
       {48, 3},
       {3, 24},
       0,
       0},
      {"FixedRows 5 on 3 rows gives 2",
       {"a|b", "c|d", "e|f"},
       "(FixedRows=5)(FixedCols=1)",
       {},
       false,
       {1, 1},
       {1, 1, 1},
       1,
       2},
      {"the model sheet variant has the same margins", {"{H}a"}, "", {}, true, {1}, {20}, 0, 0},
  };
  for (const auto& c : cases) {
    SheetRig rig(c.cells, c.style);
    rig.Make().SetModelSheet(c.modelSheet);
    const cmcSheetModel& sheet = rig.Build(c.options);
    EXPECT_EQ(Widths(sheet.Layout()), c.widths) << c.name;
    EXPECT_EQ(Heights(sheet.Layout()), c.heights) << c.name;
    EXPECT_EQ(sheet.Layout().FixedCols(), c.fixedCols) << c.name;
    EXPECT_EQ(sheet.Layout().FixedRows(), c.fixedRows) << c.name;
  }
}

TEST(SheetModelBuild, TheTopPageHasHalfAPixelOfRowMargin) {
  for (const bool modelSheet : {false, true}) {
    SheetRig rig(
        {"{H}a"}, "", "",
        {"#GI_Sheet_TopPage_Style", "", "#GI_Sheet_TopPage_BasicCell", "", "#GI_Sheet_TopPage_Cells", "{H}a", "#"},
        "GI_Sheet_TopPage");
    rig.Make().SetModelSheet(modelSheet);
    EXPECT_EQ(rig.Build().Layout().RowHeight(0), modelSheet ? 20 : 18) << modelSheet;
  }
}

TEST(SheetModelBuild, RowsFromTheDirectives) {
  struct Case {
    const char* name;
    std::vector<std::string> cells;
    std::vector<std::string> texts;  // column 0 of every row as the sheet shows it
  };
  const Case cases[] = {
      {"LoopFrom 4 gives four rows counting up their index",
       {":(LoopFrom 4)", "{(%CT_Mch.CL_Mch_FreqR[3])}", ":(LoopTo)"},
       {"L" + std::to_string(CL_Mch_FreqR) + ":3", "L" + std::to_string(CL_Mch_FreqR) + ":4",
        "L" + std::to_string(CL_Mch_FreqR) + ":5", "L" + std::to_string(CL_Mch_FreqR) + ":6"}},
      {"LoopFrom 0 acts as 1", {":(LoopFrom 0)", "x", ":(LoopTo)", "y"}, {"x", "y"}},
      {"a false condition with count 2 skips a directive line too",
       {"a", ":(Only_DPmr446 2)", ":(LoopFrom 3)", "b", "c", ":(LoopTo)"},
       {"a", "c"}},
  };
  for (const auto& c : cases) {
    SheetRig rig(c.cells);
    cmcSheetModel& sheet = rig.Build();
    std::vector<std::string> texts;
    for (int r = 0; r < sheet.RowCount(); ++r) texts.push_back(sheet.CellText(0, r));
    EXPECT_EQ(texts, c.texts) << c.name;
  }
}

TEST(SheetModelBuild, TheShorterRowsLastCellIsEmptyAndUnselectable) {
  SheetRig rig({"|{S}a|{S}b|", "|{S}c|"});
  cmcSheetModel& sheet = rig.Build();
  ASSERT_EQ(sheet.ColCount(), 3);
  EXPECT_EQ(sheet.CellText(2, 1), "");
  EXPECT_EQ(sheet.Def().CellAt(2, 1).colour, kClWindow);
  EXPECT_FALSE(sheet.Def().CellAt(2, 1).Selectable());
  ASSERT_TRUE(sheet.MoveTo(1, 1));
  sheet.KeyDown(cmcSheetModel::kVkRight, 0);
  EXPECT_EQ(rig.At(), (cmcSheetCoord{2, 0})) << "Right looks for the nearest selectable cell by the anchor's row";
}

TEST(SheetModelBuild, CountersContinueOnASecondBuild) {
  SheetRig rig({"{(@ch3++)}\\(@ch3)"});
  cmcSheetModel& sheet = rig.Build();
  EXPECT_EQ(sheet.CellText(0, 0), "1");
  rig.Build();
  EXPECT_EQ(sheet.CellText(0, 0), "2");
}

TEST(SheetModelBuild, ACellsSectionStartingWithHashIsFatal) {
  SheetRig rig({});
  rig.Make();
  EXPECT_EXIT(rig.Build(), ::testing::ExitedWithCode(kFatalExitStatus), "^Illegal Cell assign\n$");
}

TEST(SheetModelBuild, TheBasicCellFontFollowsZoomFixedHeightAndPrintRatio) {
  struct Case {
    const char* name;
    cmcSheetModel::BuildOptions options;
    int height;
  };
  const Case cases[] = {
      {"the zoom scales the basic cell's own height", {.zoomPercent = 150}, -18},
      {"a fixed font height wins over the zoom", {.zoomPercent = 150, .fixedFontHeight = 30}, 30},
      {"printing applies the print font ratio too", {.zoomPercent = 200, .printing = true}, -12},
      {"the ratio counts only when printing", {.zoomPercent = 200}, -24},
  };
  for (const auto& c : cases) {
    SheetRig rig({"a"}, "(PrintFontRatio=50)", "{(Font=,,,-12,,,)}");
    const cmcSheetModel& sheet = rig.Build(c.options);
    ASSERT_TRUE(sheet.Def().BasicCell().font.has_value()) << c.name;
    EXPECT_EQ(sheet.Def().BasicCell().font->height, c.height) << c.name;
  }
}

// Hides row 2 and moves every bound cell's index by 100.
struct OffsetHooks : cmcSheetHooks {
  void BeforeCell(cmcCellObj& cell, int, int) override {
    if (cell.label != kNoLabel) cell.index += 100;
  }
  bool RowShown(const cmcSheetDef&, int row) override { return row != hidden; }
  std::string Title(const std::string& styleTitle) override { return styleTitle + " (kind)"; }
  int hidden = 2;
};

TEST(SheetModelBuild, TheKindsHooks) {
  SheetRig rig({":(LoopFrom 4)", "{S(%CT_Mch.CL_Mch_FreqR[0])}", ":(LoopTo)"}, "(TitleString=Channels)");
  OffsetHooks hooks;
  rig.hooks = &hooks;
  cmcSheetModel& sheet = rig.Build();
  EXPECT_EQ(sheet.Def().CellAt(0, 0).index, 100);
  EXPECT_EQ(sheet.Def().CellAt(0, 3).index, 103) << "copied rows count on from the moved index once";
  EXPECT_EQ(sheet.Title(), "Channels (kind)");
  EXPECT_FALSE(sheet.RowShown(2));
  EXPECT_EQ(sheet.Layout().RowHeight(2), 0);
  sheet.MoveTo(0, 1);
  sheet.KeyDown(cmcSheetModel::kVkDown, 0);
  EXPECT_EQ(rig.At(), (cmcSheetCoord{0, 3})) << "a row not shown takes no cursor";
  hooks.hidden = 1;
  sheet.RefreshRows();
  EXPECT_TRUE(sheet.RowShown(2));
  EXPECT_EQ(sheet.Layout().RowHeight(2), 1);
  EXPECT_EQ(sheet.Layout().RowHeight(1), 0);
}

// Every channel row hidden, as a bank sheet of an empty bank can be: the sheet takes
// no input, and keys, the mouse, painting and edits reach no channel cell.
struct NoRowHooks : cmcSheetHooks {
  bool RowShown(const cmcSheetDef&, int row) override { return row == 0; }
};

TEST(SheetModelBuild, ASheetWithEveryRowHiddenTakesNothing) {
  SheetRig rig({"Head|x", ":(LoopFrom 3)", "{S(%CT_Mch.CL_Mch_FreqR[0])}|{S(%CT_Mch.CL_Mch_FreqT[0])}", ":(LoopTo)"},
               "(FixedRows=1)(FixedCols=1)(MultiSelect=Line)(ColSizing)");
  NoRowHooks hooks;
  rig.hooks = &hooks;
  cmcSheetModel& sheet = rig.Build();
  EXPECT_FALSE(sheet.Enabled());
  EXPECT_EQ(sheet.Layout().GridHeight(), sheet.Layout().RowHeight(0));
  for (const int key : {cmcSheetModel::kVkDown, cmcSheetModel::kVkUp, cmcSheetModel::kVkRight, cmcSheetModel::kVkLeft,
                        cmcSheetModel::kVkNext, cmcSheetModel::kVkPrior, cmcSheetModel::kVkEnd, cmcSheetModel::kVkHome})
    sheet.KeyDown(key, cmcSheetModel::kShift);
  sheet.KeyPress('4');
  sheet.MouseDown(cmcSheetModel::Button::kLeft, 5, 5, 0);
  sheet.MouseMove(40, 40);
  sheet.MouseUp(cmcSheetModel::Button::kLeft);
  sheet.DoubleClick(5, 5);
  sheet.Wheel(-120);
  sheet.TimedScroll(0, 1);
  sheet.FitColumn(1);
  sheet.ResizeColumn(1, 900);
  for (int r = 0; r < sheet.RowCount(); ++r)
    for (int c = 0; c < sheet.ColCount(); ++c) EXPECT_EQ(sheet.PaintPlan(c, r, {}).rect.Empty(), r > 0);
  for (const SheetRig::Request& act : rig.Acts()) EXPECT_EQ(act.label, kNoLabel);
}

TEST(SheetModelBuild, WhereTheCursorStarts) {
  struct Case {
    const char* name;
    std::vector<std::string> cells;
    uint32_t targetLabel;
    int32_t targetIndex;
    cmcSheetModel::Position remembered;
    cmcSheetCoord at;
    bool enabled;
  };
  const Case cases[] = {
      {"the first selectable cell near the top left", {"a|b|c", "d|{S}e|{S}f", "{S}g|h|i"}, 0, 0, {}, {1, 1}, true},
      {"on the target's label and index",
       {"{S(%CT_Mch.CL_Mch_No[0])}|{S(%CT_Mch.CL_Mch_FreqR[0])}",
        "{S(%CT_Mch.CL_Mch_No[1])}|{S(%CT_Mch.CL_Mch_FreqR[1])}"},
       CL_Mch_FreqR,
       1,
       {},
       {1, 1},
       true},
      {"a remembered position wins over the target",
       {"{S(%CT_Mch.CL_Mch_No[0])}|{S(%CT_Mch.CL_Mch_FreqR[0])}",
        "{S(%CT_Mch.CL_Mch_No[1])}|{S(%CT_Mch.CL_Mch_FreqR[1])}"},
       CL_Mch_FreqR,
       1,
       {0, 1, 0, 0},
       {0, 1},
       true},
      {"a remembered position outside the grid is forgotten", {"{S}a|{S}b"}, 0, 0, {5, 0, 0, 0}, {0, 0}, true},
      {"without a selectable cell the grid takes no input", {"a|b"}, 0, 0, {}, {0, 0}, false},
  };
  for (const auto& c : cases) {
    SheetRig rig(c.cells);
    cmcSheetModel& sheet = rig.Make();
    sheet.SetTarget(c.targetLabel, c.targetIndex);
    sheet.SetRememberedPosition(c.remembered);
    rig.Build();
    EXPECT_EQ(rig.At(), c.at) << c.name;
    EXPECT_EQ(sheet.Enabled(), c.enabled) << c.name;
  }
}

// The column width store on an overlay with a list of two sheets.
struct WidthRig {
  explicit WidthRig(std::vector<std::string> cells = {"h|h|h", "{S}a|b|{S}c"}, std::string style = "(FixedRows=1)")
      : rig(cells, style, "", {"#GI_CellWidthRegList", "S:SheetS", "Other:SheetO", "#"}),
        store(settings, rig.overlay, "Software\\K") {
    rig.widths = &store;
  }
  // The sheet stores its widths as it goes: before the store and the settings do.
  ~WidthRig() { rig.sheet.reset(); }
  std::optional<int32_t> Stored(const std::string& sub, int col) const {
    return settings.ReadInt(cmcSettingsRoot::CurrentUser, "Software\\K\\Display\\" + sub + "\\colwidth",
                            std::to_string(col));
  }
  void Store(const std::string& sub, int col, int width) {
    settings.WriteInt(cmcSettingsRoot::CurrentUser, "Software\\K\\Display\\" + sub + "\\colwidth", std::to_string(col),
                      width);
  }
  SheetRig rig;
  cmcMemorySettingsStore settings;
  cmcColumnWidthStore store;
};

TEST(SheetModelBuild, ColumnWidthsAreLoadedAndStoredForSelectableColumns) {
  WidthRig w;
  w.Store("SheetS", 0, 120);
  w.Store("SheetS", 1, 130);
  w.Store("SheetS", 2, 900);
  cmcSheetModel& sheet = w.rig.Build();
  EXPECT_EQ(Widths(sheet.Layout()), (std::vector<int>{120, 1, 650})) << "loaded widths stay within 10 and 650";
  EXPECT_EQ(w.Stored("SheetS", 2), 650) << "stored again after the build";
  EXPECT_EQ(w.Stored("SheetS", 1), 130) << "a column not selectable in the first non-fixed row is left alone";
  sheet.ResizeColumn(0, 200);
  w.rig.sheet.reset();
  EXPECT_EQ(w.Stored("SheetS", 0), 200) << "stored when the sheet goes";
}

TEST(SheetModelBuild, PopupAndPrintedSheetsStoreNothing) {
  WidthRig popup;
  popup.Store("SheetS", 0, 120);
  popup.rig.Make().SetPopup(true);
  EXPECT_EQ(popup.rig.Build().Layout().ColWidth(0), 1) << "a popup sheet loads nothing";
  popup.rig.sheet->ResizeColumn(0, 300);
  popup.rig.sheet.reset();
  EXPECT_EQ(popup.Stored("SheetS", 0), 120);

  // Printing: 10 points x ratio 2 x 16 / (100 x 16 / 100) x 0.1 = 2 times the stored
  // width, applied only when narrower than the printed column.
  WidthRig printed({"h|h", "{SW}aaaaaaaaaaaaaaaaaa|{SW}a"});
  printed.Store("SheetS", 0, 40);
  printed.Store("SheetS", 1, 40);
  const cmcSheetModel& sheet =
      printed.rig.Build({.printing = true, .printScale = 1, .printerFontPoints = 10, .printerResolutionRatio = 2.0});
  EXPECT_EQ(Widths(sheet.Layout()), (std::vector<int>{80, 16}));
  printed.rig.sheet.reset();
  EXPECT_EQ(printed.Stored("SheetS", 0), 40);
}

TEST(SheetModelBuild, AfterALanguageChangeTheFirstSheetDeletesEveryStoredWidth) {
  WidthRig w;
  w.Store("SheetS", 0, 120);
  w.Store("SheetO", 3, 77);
  w.store.RequestReset();
  cmcSheetModel& sheet = w.rig.Build();
  EXPECT_EQ(sheet.Layout().ColWidth(0), 1) << "nothing loaded";
  EXPECT_EQ(w.Stored("SheetO", 3), std::nullopt) << "another sheet's widths are gone";
  EXPECT_EQ(w.Stored("SheetS", 0), 1) << "then its own are stored";
  sheet.ResizeColumn(0, 100);
  w.rig.Make();
  EXPECT_EQ(w.rig.Build().Layout().ColWidth(0), 100) << "the request is taken once";
}

TEST(SheetModelBuild, AModelSheetTakesNoCursorInAColumnOfWidthZero) {
  for (const bool modelSheet : {false, true}) {
    WidthRig w({"h|h", "{S}a|{S}b"});
    w.Store("SheetS", 0, 0);  // printed, a stored 0 narrows the column to nothing
    w.rig.Make().SetModelSheet(modelSheet);
    cmcSheetModel& sheet = w.rig.Build({.printing = true});
    EXPECT_EQ(sheet.Layout().ColWidth(0), 0);
    EXPECT_EQ(sheet.Def().CellAt(0, 1).Selectable(), !modelSheet);
    EXPECT_EQ((cmcSheetCoord{sheet.Col(), sheet.Row()}), (cmcSheetCoord{modelSheet ? 1 : 0, 1})) << modelSheet;
  }
}

}  // namespace
