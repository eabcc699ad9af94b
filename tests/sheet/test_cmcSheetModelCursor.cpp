// Moving the cursor of a sheet model by keys, mouse and wheel, and selecting single
// cells and ranges in Cell and Line modes.
#include <gtest/gtest.h>

#include "cell/cmcCellIds.h"
#include "sheet/SheetRig.h"

namespace {

using M = cmcSheetModel;

struct Key {
  int vk;
  uint8_t modifiers = 0;
};

// A 4 x 4 sheet: a header row, a first column of row captions; every other cell
// selectable but (2, 2); row 3 has no cell in column 3.
const std::vector<std::string> kGrid = {"h|h|h|h", "c|{S}a|{S}b|{S}c", "c|{S}d|e|{S}f", "c|{S}g|{S}h"};

TEST(SheetModelCursor, KeysMoveTheCursor) {
  struct Case {
    const char* name;
    std::vector<std::string> cells;
    bool popup;
    cmcSheetCoord from;
    std::vector<Key> keys;
    cmcSheetCoord at;
    std::vector<int32_t> keyCodes;  // what the cells received
  };
  const Case cases[] = {
      {"Right steps over an unselectable cell", kGrid, false, {1, 2}, {{M::kVkRight}}, {3, 2}, {}},
      {"Right with nothing selectable to the right goes by the anchor's row",
       {"{S}a|b|c", "d|e|{S}f", "g|{S}h|i"},
       false,
       {0, 0},
       {{M::kVkRight}},
       {1, 2},
       {}},
      {"Right at the last column sends the key to the cell", kGrid, false, {3, 1}, {{M::kVkRight}}, {3, 1}, {0x2700}},
      {"Left at the first selectable column sends 0x2500", kGrid, false, {1, 1}, {{M::kVkLeft}}, {1, 1}, {0x2500}},
      {"Down skips the unselectable cell by the nearest column", kGrid, false, {2, 1}, {{M::kVkDown}}, {2, 3}, {}},
      {"Down on the last row stays", kGrid, false, {1, 3}, {{M::kVkDown}}, {1, 3}, {}},
      {"Down on the last row of a popup sheet wraps", kGrid, true, {1, 3}, {{M::kVkDown}}, {1, 1}, {}},
      {"Up on the first row of a popup sheet wraps", kGrid, true, {3, 1}, {{M::kVkUp}}, {3, 2}, {}},
      {"Ctrl+Down does nothing", kGrid, false, {1, 1}, {{M::kVkDown, M::kCtrl}}, {1, 1}, {}},
      {"Shift+Ctrl+Down still moves", kGrid, false, {1, 1}, {{M::kVkDown, M::kCtrl | M::kShift}}, {1, 2}, {}},
      {"End goes to the last row, Home back", kGrid, false, {1, 1}, {{M::kVkEnd}}, {1, 3}, {}},
      {"Home from the last row", kGrid, false, {1, 3}, {{M::kVkHome}}, {1, 1}, {}},
      {"Page Down takes the nearest column where its own ends", kGrid, false, {3, 1}, {{M::kVkNext}}, {2, 3}, {}},
      {"F5 goes to the cell as 0x7400", kGrid, false, {1, 1}, {{M::kVkF1 + 4}}, {1, 1}, {0x7400}},
      {"other keys pass on", kGrid, false, {1, 1}, {{0x41}}, {1, 1}, {}},
  };
  for (const auto& c : cases) {
    SheetRig rig(c.cells, "(FixedRows=1)(FixedCols=1)");
    rig.Make().SetPopup(c.popup);
    cmcSheetModel& sheet = rig.Build();
    ASSERT_TRUE(sheet.MoveTo(c.from.col, c.from.row)) << c.name;
    for (const Key& k : c.keys) sheet.KeyDown(k.vk, k.modifiers);
    EXPECT_EQ(rig.At(), c.at) << c.name;
    std::vector<int32_t> codes;
    for (const auto& r : rig.Acts()) codes.push_back(r.key);
    EXPECT_EQ(codes, c.keyCodes) << c.name;
  }
}

TEST(SheetModelCursor, AMouseMoveThenAKeyGoesByTheCursorAnchor) {
  // The anchor stays where the keys left it: a click elsewhere does not move it.
  SheetRig rig({"{S}a|b|c", "d|e|{S}f", "{S}g|{S}h|i"});
  cmcSheetModel& sheet = rig.Build();
  ASSERT_EQ(rig.At(), (cmcSheetCoord{0, 0}));
  sheet.MoveTo(0, 2);
  sheet.KeyDown(M::kVkRight, 0);
  EXPECT_EQ(rig.At(), (cmcSheetCoord{1, 2}));
}

TEST(SheetModelCursor, StepsToTheLeftEdgeScrollFullyLeft) {
  // Ten columns of 100 pixels in a client area of 350: after moving right the grid
  // scrolls; stepping back to the first selectable column scrolls fully left.
  std::vector<std::string> cells = {"{W}cap|{SW}aaaaaaaaaaa|{SW}bbbbbbbbbbb|{SW}ccccccccccc|{SW}ddddddddddd"};
  SheetRig rig(cells, "(FixedCols=1)");
  cmcSheetModel& sheet = rig.Build({}, 250, 100);
  for (int i = 0; i < 3; ++i) sheet.KeyDown(M::kVkRight, 0);
  EXPECT_EQ(rig.At(), (cmcSheetCoord{4, 0}));
  EXPECT_GT(sheet.Layout().LeftCol(), 1);
  for (int i = 0; i < 3; ++i) sheet.KeyDown(M::kVkLeft, 0);
  EXPECT_EQ(sheet.Layout().LeftCol(), 1);
}

TEST(SheetModelCursor, TheMouse) {
  // Columns 40 pixels wide ("{W}abcd"), rows 20 high ("{H}").
  const std::vector<std::string> cells = {"{WH}head|{WH}head|{WH}head", "{SWH}aaaa|{TWH}tail|{SWH}bbbb",
                                          "{SWH}cccc|{WH}dddd|{SWH}eeee"};
  SheetRig rig(cells, "(FixedRows=1)");
  cmcSheetModel& sheet = rig.Build();
  sheet.MouseDown(M::Button::kLeft, 45, 25, 0);
  sheet.MouseUp(M::Button::kLeft);
  EXPECT_EQ(rig.At(), (cmcSheetCoord{0, 1})) << "a tail selects its owner";
  sheet.MouseDown(M::Button::kLeft, 90, 45, 0);
  sheet.MouseUp(M::Button::kLeft);
  EXPECT_EQ(rig.At(), (cmcSheetCoord{2, 2}));
  EXPECT_TRUE(rig.Acts().empty()) << "a click edits nothing";
  sheet.DoubleClick(45, 45);
  EXPECT_TRUE(rig.Acts().empty()) << "a double click off the current cell edits nothing";
  sheet.DoubleClick(90, 45);
  ASSERT_EQ(rig.Acts().size(), 1u);
  EXPECT_EQ(rig.Acts()[0].key, cmcCellCapsule::kKeyActivate);
  EXPECT_FALSE(sheet.MouseDown(M::Button::kRight, 45, 5, 0)) << "a header takes no cursor: no menu";
  EXPECT_TRUE(sheet.MouseDown(M::Button::kRight, 5, 45, 0));
  EXPECT_EQ(rig.At(), (cmcSheetCoord{0, 2}));
  sheet.Wheel(-120);
  EXPECT_EQ(rig.At(), (cmcSheetCoord{0, 2})) << "the wheel down on the last row";
  sheet.Wheel(120);
  EXPECT_EQ(rig.At(), (cmcSheetCoord{0, 1}));
}

TEST(SheetModelCursor, APopupSheetFollowsTheMouseAndAnswersOnRelease) {
  const std::vector<std::string> cells = {"{SWH}aaaa|{SWH}bbbb", "{SWH}cccc|{SWH}dddd"};
  SheetRig rig(cells);
  cmcSheetModel& sheet = rig.Make();
  sheet.SetPopup(true);
  cmcCellObj opener;
  opener.label = CL_Mch_FreqR;
  opener.index = 9;
  cmcCellCapsule parent;
  parent.cell = &opener;
  sheet.SetParentCapsule(parent);
  rig.Build();
  sheet.MouseMove(45, 25);
  EXPECT_EQ(rig.At(), (cmcSheetCoord{1, 1}));
  sheet.MouseUp(M::Button::kLeft);
  ASSERT_EQ(rig.Acts().size(), 1u);
  EXPECT_EQ(rig.Acts()[0], (SheetRig::Request{true, CL_Mch_FreqR, 9, 0, 0, cmcCellCapsule::kInputPopupAnswer, ""}))
      << "the opener's capsule carries the answer";
  EXPECT_EQ(rig.view.Calls("hide popup").size(), 1u);
}

TEST(SheetModelCursor, APopupSheetAnswersOnlyEnterAndActivation) {
  SheetRig rig({"{S(%CT_Null.CL_Misc_ChNo_1Base[4])}a"});
  cmcSheetModel& sheet = rig.Make();
  sheet.SetPopup(true);
  cmcCellObj opener;
  cmcCellCapsule parent;
  parent.cell = &opener;
  sheet.SetParentCapsule(parent);
  int chosen = -1;
  rig.onAct = [&](cmcCellCapsule& c) {
    chosen = c.parent && c.parent->cell ? c.parent->cell->index : -2;
    return uint8_t{0};
  };
  rig.Build();
  sheet.KeyPress('x');
  sheet.KeyDown(M::kVkF1, 0);
  EXPECT_TRUE(rig.Acts().empty());
  sheet.KeyPress(13);
  EXPECT_EQ(chosen, 4) << "the answer's parent capsule is the chosen cell's";
}

// Rows 1-3 of a sheet with a fixed header row and a fixed caption column.
const std::vector<std::string> kRows = {"h|h|h", "c|{S}a|b", "c|{S}d|e", "c|{S}g|h", ":(SelectOFF)", "c|{S}j|k"};

std::vector<int> HighlightedRows(const cmcSheetModel& sheet) {
  std::vector<int> rows;
  for (int r = 0; r < sheet.RowCount(); ++r) {
    int lit = 0;
    for (int c = 0; c < sheet.ColCount(); ++c) lit += sheet.Cursor().LineHighlighted(c, r);
    if (lit == sheet.ColCount() - 1) rows.push_back(r);
    EXPECT_FALSE(sheet.Cursor().LineHighlighted(0, r)) << "fixed cells are never highlighted";
  }
  return rows;
}

std::vector<int> SelectedRows(const cmcSheetModel& sheet) {
  std::vector<int> rows;
  for (int r = 0; r < sheet.RowCount(); ++r)
    if (sheet.Cursor().Selected(1, r)) rows.push_back(r);
  return rows;
}

TEST(SheetModelCursor, SelectingRanges) {
  struct Case {
    const char* name;
    const char* style;
    std::vector<Key> keys;
    bool busy;
    std::vector<int> selected;
    std::vector<int> highlighted;
    bool multi;
  };
  const Case cases[] = {
      {"Shift+Down over three rows in Line mode",
       "(MultiSelect=Line)",
       {{M::kVkDown, M::kShift}, {M::kVkDown, M::kShift}},
       false,
       {1, 2, 3},
       {1, 2, 3},
       true},
      {"Cell mode selects without highlights",
       "(MultiSelect=Cell)",
       {{M::kVkDown, M::kShift}, {M::kVkDown, M::kShift}},
       false,
       {1, 2, 3},
       {},
       true},
      {"MultiSelect=Lines is no mode",
       "(MultiSelect=Lines)",
       {{M::kVkDown, M::kShift}, {M::kVkDown, M::kShift}},
       false,
       {3},
       {},
       false},
      {"a plain Down ends the range",
       "(MultiSelect=Line)",
       {{M::kVkDown, M::kShift}, {M::kVkDown}},
       false,
       {3},
       {},
       false},
      {"rows after SelectOFF do not join",
       "(MultiSelect=Line)",
       {{M::kVkDown, M::kShift}, {M::kVkDown, M::kShift}, {M::kVkDown, M::kShift}},
       false,
       {1, 2, 3},
       {1, 2, 3},
       true},
      {"a batch operation extends nothing", "(MultiSelect=Line)", {{M::kVkDown, M::kShift}}, true, {2}, {}, false},
  };
  for (const auto& c : cases) {
    SheetRig rig(kRows, std::string("(FixedRows=1)(FixedCols=1)") + c.style);
    cmcSheetModel& sheet = rig.Build();
    ASSERT_EQ(rig.At(), (cmcSheetCoord{1, 1})) << c.name;
    sheet.MouseDown(M::Button::kLeft, 1, 1, 0);  // the range starts at the cell clicked
    sheet.MouseUp(M::Button::kLeft);
    rig.busy = c.busy;
    for (const Key& k : c.keys) sheet.KeyDown(k.vk, k.modifiers);
    EXPECT_EQ(SelectedRows(sheet), c.selected) << c.name;
    EXPECT_EQ(HighlightedRows(sheet), c.highlighted) << c.name;
    EXPECT_EQ(sheet.Cursor().MultiActive(), c.multi) << c.name;
  }
}

TEST(SheetModelCursor, DraggingSelectsARange) {
  // Rows 1 pixel high: row r lies at y = r.
  SheetRig rig(kRows, "(FixedRows=1)(FixedCols=1)(MultiSelect=Line)");
  cmcSheetModel& sheet = rig.Build();
  sheet.KeyDown(M::kVkDown, 0);
  sheet.MouseDown(M::Button::kLeft, 1, 1, 0);
  EXPECT_EQ(SelectedRows(sheet), (std::vector<int>{1})) << "a click starts afresh";
  sheet.MouseMove(1, 2);
  sheet.MouseMove(1, 3);
  sheet.MouseUp(M::Button::kLeft);
  EXPECT_EQ(SelectedRows(sheet), (std::vector<int>{1, 2, 3}));
  sheet.MouseMove(1, 1);
  EXPECT_EQ(rig.At(), (cmcSheetCoord{1, 3})) << "without a button the cursor stays";
}

TEST(SheetModelCursor, SelectionChangesRepaintTheirCells) {
  SheetRig rig(kRows, "(FixedRows=1)(FixedCols=1)(MultiSelect=Line)");
  cmcSheetModel& sheet = rig.Build();
  sheet.MoveTo(1, 1);
  sheet.KeyDown(M::kVkDown, M::kShift);
  const auto& painted = rig.view.repainted;
  for (const cmcSheetCoord cell : {cmcSheetCoord{1, 2}, cmcSheetCoord{2, 1}, cmcSheetCoord{2, 2}})
    EXPECT_NE(std::find(painted.begin(), painted.end(), cell), painted.end()) << cell.col << "," << cell.row;
}

}  // namespace
