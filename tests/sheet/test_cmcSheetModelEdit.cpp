// Editing through a sheet model: EditCell's answers (jumps, the in-place editor, the
// repeat loop, ranges), the editor's keys, the popup menu name and the repaints the
// application asks for with its events.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "cell/cmcCellGrid.h"
#include "cell/cmcCellIds.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualClock.h"
#include "sheet/SheetRig.h"

namespace {

using M = cmcSheetModel;
using Request = SheetRig::Request;

// Two columns of channels 0-3, the number and the frequency, sized by their texts.
const std::vector<std::string> kChannels = {
    "{WH}No|{WH}Freq", ":(LoopFrom 4)",
    "{SWH(%CT_Mch.CL_Mch_No[0])(PopupMenu=GI_PMenu_A)}999|{SWH(%CT_Mch.CL_Mch_FreqR[0])}146.000", ":(LoopTo)"};

TEST(SheetModelEdit, TheEditorOpensOnAnswer2AndEscapeSendsNothing) {
  SheetRig rig(kChannels, "(FixedRows=1)");
  rig.onAct = [](cmcCellCapsule& c) {
    if (c.keyCode != '5') return uint8_t{0};
    c.outputText = "5";
    c.selStart = 1;
    return uint8_t{2};
  };
  cmcSheetModel& sheet = rig.Build();
  sheet.MoveTo(1, 2);
  sheet.KeyPress('5');
  EXPECT_EQ(rig.view.Calls("editor"), (std::vector<std::string>{"editor 1,2 5 1 0"}));
  EXPECT_TRUE(sheet.EditorShown());
  EXPECT_FALSE(sheet.EditorRect().Empty());
  sheet.EditorTextChanged("57");
  EXPECT_TRUE(sheet.EditorKey(M::kVkEscape));
  EXPECT_FALSE(sheet.EditorShown());
  EXPECT_EQ(rig.view.Calls("hide editor").size(), 1u);
  EXPECT_EQ(rig.Acts().size(), 1u) << "only the key press went out";
}

TEST(SheetModelEdit, TheEditorsKeysCommit) {
  struct Case {
    const char* name;
    int key;
    cmcSheetCoord at;
  };
  const Case cases[] = {
      {"Enter commits and stays", M::kVkReturn, {1, 2}},
      {"Down commits and moves down", M::kVkDown, {1, 3}},
      {"Up commits and moves up", M::kVkUp, {1, 1}},
      {"Page Up commits and pages", M::kVkPrior, {1, 1}},
  };
  for (const auto& c : cases) {
    SheetRig rig(kChannels, "(FixedRows=1)");
    rig.onAct = [](cmcCellCapsule& c) {
      c.outputText = "146.5";
      return c.keyCode == '1' ? uint8_t{2} : uint8_t{0};
    };
    cmcSheetModel& sheet = rig.Build();
    sheet.MoveTo(1, 2);
    sheet.KeyPress('1');
    sheet.EditorTextChanged("146.52");
    EXPECT_FALSE(sheet.EditorKey('A')) << "other keys edit the text";
    EXPECT_TRUE(sheet.EditorKey(c.key)) << c.name;
    ASSERT_EQ(rig.Acts().size(), 2u) << c.name;
    EXPECT_EQ(rig.Acts()[1], (Request{true, CL_Mch_FreqR, 1, 0, 0, cmcCellCapsule::kInputText, "146.52"})) << c.name;
    EXPECT_FALSE(sheet.EditorShown()) << c.name;
    EXPECT_EQ(rig.At(), c.at) << c.name;
  }
}

TEST(SheetModelEdit, TheCommitEventCommitsTheEditor) {
  cmcVirtualClock clock;
  cmcEvMan events(clock);
  SheetRig rig(kChannels, "(FixedRows=1)");
  rig.events = &events;
  rig.onAct = [](cmcCellCapsule& c) { return c.keyCode == 'x' ? uint8_t{2} : uint8_t{0}; };
  cmcSheetModel& sheet = rig.Build();
  sheet.KeyPress('x');
  sheet.EditorTextChanged("typed");
  events.Send(kEvCommitEdit);
  ASSERT_EQ(rig.Acts().size(), 2u);
  EXPECT_EQ(rig.Acts()[1].text, "typed");
  events.Send(kEvCommitEdit);
  EXPECT_EQ(rig.Acts().size(), 2u) << "a hidden editor commits nothing";
}

TEST(SheetModelEdit, TheRepeatLoopWaitsLessEachPass) {
  SheetRig rig(kChannels, "(FixedRows=1)");
  int passes = 0;
  rig.onAct = [&](cmcCellCapsule& c) {
    c.repeatKey = ++passes < 8 ? 0x2600 : 0;
    return uint8_t{0};
  };
  cmcSheetModel& sheet = rig.Build();
  sheet.KeyPress(' ');
  EXPECT_EQ(passes, 8);
  EXPECT_EQ(rig.waiter.waits, (std::vector<int>{30, 24, 18, 12, 6}));
  EXPECT_EQ(rig.view.Calls("flush").size(), 5u) << "the grid is painted before each wait";
  std::vector<int32_t> keys;
  for (const auto& r : rig.Acts()) keys.push_back(r.key);
  EXPECT_EQ(keys, (std::vector<int32_t>{' ', 0x2600, 0x2600, 0x2600, 0x2600, 0x2600, 0x2600, 0x2600}));
}

TEST(SheetModelEdit, AJumpMovesTheCursorAndTheEditGoesOnThere) {
  SheetRig rig(kChannels, "(FixedRows=1)");
  rig.onAct = [](cmcCellCapsule& c) {
    if (c.keyCode == 'j') {
      c.jump = {1, CT_Mch, CL_Mch_FreqR, 3};
      c.repeatKey = 'k';
    }
    return uint8_t{0};
  };
  cmcSheetModel& sheet = rig.Build();
  sheet.KeyPress('j');
  EXPECT_EQ(rig.At(), (cmcSheetCoord{1, 4}));
  ASSERT_EQ(rig.Acts().size(), 2u);
  EXPECT_EQ(rig.Acts()[1].index, 3);
  EXPECT_EQ(rig.Acts()[1].key, 'k');
}

TEST(SheetModelEdit, TheRequestCarriesTheSelectedRange) {
  SheetRig rig(kChannels, "(FixedRows=1)(MultiSelect=Line)");
  int32_t low = -1, high = -1;
  uint8_t multi = 0;
  rig.onAct = [&](cmcCellCapsule& c) {
    low = c.rangeLow;
    high = c.rangeHigh;
    multi = c.multiSelection;
    c.multiSelection |= cmcCellCapsule::kMultiApplyRange;
    return uint8_t{0};
  };
  cmcSheetModel& sheet = rig.Build();
  sheet.MoveTo(1, 3);
  sheet.KeyDown(M::kVkUp, M::kShift);
  sheet.KeyDown(M::kVkUp, M::kShift);
  sheet.KeyPress(' ');
  EXPECT_EQ(multi, cmcCellCapsule::kMultiActive);
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 2);
  // Applied to the range: the cells of the current label within it stay selected.
  EXPECT_TRUE(sheet.Cursor().MultiActive());
  for (int r = 1; r <= 4; ++r) EXPECT_EQ(sheet.Cursor().Selected(1, r), r <= 3) << r;
  EXPECT_EQ(sheet.Cursor().SelectionAnchor().row, 3) << "the anchor goes to the range's other end";
}

TEST(SheetModelEdit, WithoutTheRangeAnswerAnEditEndsTheRange) {
  SheetRig rig(kChannels, "(FixedRows=1)(MultiSelect=Line)");
  cmcSheetModel& sheet = rig.Build();
  sheet.KeyDown(M::kVkDown, M::kShift);
  ASSERT_TRUE(sheet.Cursor().MultiActive());
  sheet.KeyPress(' ');
  EXPECT_FALSE(sheet.Cursor().MultiActive());
  EXPECT_TRUE(sheet.Cursor().Selected(sheet.Col(), sheet.Row()));
}

TEST(SheetModelEdit, MenuCommandsAndFunctionKeysGoToTheCurrentCell) {
  SheetRig rig(kChannels, "(FixedRows=1)");
  cmcSheetModel& sheet = rig.Build();
  sheet.MoveTo(1, 2);
  sheet.ChooseMenuItem(CL_PMenu_Edit);
  sheet.KeyDown(M::kVkF12, 0);
  EXPECT_EQ(rig.Acts(), (std::vector<Request>{{true, CL_Mch_FreqR, 1, 0, CL_PMenu_Edit, 0, ""},
                                              {true, CL_Mch_FreqR, 1, 0x7B00, 0, 0, ""}}));
}

TEST(SheetModelEdit, ThePopupMenuNameFollowsTheCurrentCell) {
  SheetRig rig(kChannels, "(FixedRows=1)", "{(PopupMenu=GI_PMenu_Basic)}");
  cmcSheetModel& sheet = rig.Build();
  EXPECT_EQ(sheet.PopupMenuName(), "") << "only a grid with the focus has a menu";
  sheet.FocusChanged(true);
  EXPECT_EQ(sheet.PopupMenuName(), "GI_PMenu_A");
  sheet.MoveTo(1, 1);
  EXPECT_EQ(sheet.PopupMenuName(), "GI_PMenu_Basic") << "from the base chain";
  sheet.MoveTo(0, 2);
  EXPECT_EQ(sheet.PopupMenuName(), "GI_PMenu_A");
  EXPECT_EQ(rig.view.Calls("menu"),
            (std::vector<std::string>{"menu GI_PMenu_A", "menu GI_PMenu_Basic", "menu GI_PMenu_A"}));
  sheet.FocusChanged(false);
  EXPECT_EQ(sheet.PopupMenuName(), "");
  EXPECT_EQ(rig.view.Calls("menu").back(), "menu ");
}

TEST(SheetModelEdit, ThePopupMenuFillsAndClearsTheEditMenu) {
  cmcVirtualClock clock;
  cmcEvMan events(clock);
  std::vector<std::string> seen;
  struct Recorder {
    static void On(void* self, cmcEvent& e) {
      if (e.code == kEvClearSubmenu || e.code == kEvFillSubmenu)
        static_cast<std::vector<std::string>*>(self)->push_back(std::to_string(e.code) + " " +
                                                                std::to_string(e.argument) + " " + e.Text());
    }
  };
  events.Listen(&Recorder::On, &seen);
  SheetRig rig(kChannels, "(FixedRows=1)", "{(PopupMenu=GI_PMenu_Basic)}");
  rig.events = &events;
  cmcSheetModel& sheet = rig.Build();
  const std::string clear = std::to_string(kEvClearSubmenu) + " " + std::to_string(CL_Menu_Edit_Top) + " ";
  const std::string fill = std::to_string(kEvFillSubmenu) + " " + std::to_string(CL_Menu_Edit_Top) + " ";
  sheet.FocusChanged(true);
  sheet.MoveTo(1, 1);
  sheet.MoveTo(1, 2);  // the same menu: nothing to announce
  sheet.FocusChanged(false);
  EXPECT_EQ(seen, (std::vector<std::string>{clear, fill + "GI_PMenu_A", clear, fill + "GI_PMenu_Basic", clear}));
  seen.clear();
  sheet.FocusChanged(true);
  rig.sheet.reset();
  EXPECT_EQ(seen, (std::vector<std::string>{clear, fill + "GI_PMenu_Basic", clear})) << "a sheet going clears its menu";
}

TEST(SheetModelEdit, EventsRepaintTheMatchingCells) {
  // Rows 1-4 show channels 0-3; the capture row 5 has a joined caption after a bound cell.
  std::vector<std::string> cells = kChannels;
  cells.push_back("{(%CT_Scan.CL_Mch_No[7])}|{+}joined");
  struct Case {
    const char* name;
    uint8_t code;
    intptr_t argument;
    std::set<std::pair<int, int>> cells;
  };
  const Case cases[] = {
      {"13: every bound cell",
       kEvRefreshLiveCells,
       0,
       {{0, 1}, {1, 1}, {0, 2}, {1, 2}, {0, 3}, {1, 3}, {0, 4}, {1, 4}, {0, 5}, {1, 5}}},
      {"14: the category's cells", kEvRefreshCategory, CT_Scan, {{0, 5}}},
      {"15: the label's cells and those joined to them",
       kEvRefreshLabel,
       CL_Mch_No,
       {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {1, 5}}},
      {"16: the row's index", kEvRefreshRow, 2, {{0, 3}, {1, 3}}},
      // A joined cell takes the label of the cell it joins, but keeps its own index 0.
      {"17: indexes up to the row", kEvRefreshRowsUpTo, 1, {{0, 1}, {1, 1}, {0, 2}, {1, 2}, {1, 5}}},
      {"18: indexes from the row", kEvRefreshRowsFrom, 3, {{0, 4}, {1, 4}, {0, 5}}},
  };
  for (const auto& c : cases) {
    cmcVirtualClock clock;
    cmcEvMan events(clock);
    SheetRig rig(cells, "(FixedRows=1)");
    rig.events = &events;
    rig.Build();
    events.Send(c.code, 0, c.argument);
    std::set<std::pair<int, int>> painted;
    for (const auto& p : rig.view.repainted) painted.insert({p.col, p.row});
    EXPECT_EQ(painted, c.cells) << c.name;
  }
}

TEST(SheetModelEdit, TheValueLayerRepaintsThroughTheRequest) {
  SheetRig rig(kChannels, "(FixedRows=1)");
  rig.onAct = [](cmcCellCapsule& c) {
    c.repaint(c.repaintContext, c, 1 << 4);  // neighbours: same category, index within 1
    return uint8_t{0};
  };
  cmcSheetModel& sheet = rig.Build();
  sheet.MoveTo(1, 2);
  sheet.KeyPress(' ');
  std::set<std::pair<int, int>> painted;
  for (const auto& p : rig.view.repainted) painted.insert({p.col, p.row});
  for (int r = 1; r <= 3; ++r) {
    EXPECT_TRUE(painted.count({0, r}) && painted.count({1, r})) << r;
  }
  EXPECT_FALSE(painted.count({1, 4}));
}

TEST(SheetModelEdit, TheCurrentCellIsReportedAndAskedFor) {
  cmcVirtualClock clock;
  cmcEvMan events(clock);
  SheetRig rig(kChannels, "(FixedRows=1)");
  rig.events = &events;
  rig.Make();
  rig.sheet->Build({.measure = &rig.measure});
  EXPECT_EQ(rig.view.Calls("report"), (std::vector<std::string>{"report 0"})) << "after building";
  cmcSheetModel& sheet = *rig.sheet;
  sheet.KeyDown(M::kVkDown, 0);
  sheet.KeyUp();
  EXPECT_EQ(rig.view.Calls("report").back(), "report 1");
  // The sheet's own popup menu asks which cell its commands apply to.
  const auto answer = events.Ask(kEvAskPopupCell, reinterpret_cast<intptr_t>(&sheet));
  ASSERT_TRUE(answer);
  const auto* cell = reinterpret_cast<const cmcCellObj*>(answer->data);
  EXPECT_EQ(cell->label, CL_Mch_No);
  EXPECT_EQ(cell->index, 1);
  EXPECT_FALSE(events.Ask(kEvAskPopupCell, 1)) << "another menu's ask";
}

TEST(SheetModelEdit, AnEditAnnouncesTheMenuRefreshAndAMoveTheSheetNotice) {
  cmcVirtualClock clock;
  cmcEvMan events(clock);
  std::vector<int> seen;
  struct Recorder {
    static void On(void* self, cmcEvent& e) { static_cast<std::vector<int>*>(self)->push_back(e.code); }
  };
  events.Listen(&Recorder::On, &seen);
  SheetRig rig(kChannels, "(FixedRows=1)");
  rig.events = &events;
  cmcSheetModel& sheet = rig.Build();
  seen.clear();
  sheet.KeyPress(' ');
  EXPECT_EQ(seen, (std::vector<int>{kEvRefreshMenus}));
  sheet.KeyDown(M::kVkDown, 0);
  clock.Advance(30);
  EXPECT_NE(std::find(seen.begin(), seen.end(), kEvSheetNotify), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), kEvStatusText), seen.end()) << "a key resets the status line";
}

// A window that is also the cell grid: requests made without a grid of their own
// carry the view's, and a grid given to the model wins.
struct GridWindow : RecordingSheetView, cmcCellGrid {
  void OpenChooser(cmcCellCapsule&, const std::string&, int, int, const std::string&) override {}
  cmcCellGrid* CellGrid() override { return this; }
};

TEST(SheetModelEdit, RequestsCarryTheViewsGridUnlessTheModelHasOne) {
  SheetRig rig({"{S(%CT_Mch.CL_Mch_FreqR[0])}"});
  GridWindow window, other;
  for (cmcCellGrid* given : {static_cast<cmcCellGrid*>(nullptr), static_cast<cmcCellGrid*>(&other)}) {
    cmcSheetModel sheet({.overlay = rig.overlay,
                         .view = window,
                         .hooks = rig.plainHooks,
                         .answer = [&](cmcCellCapsule& c, bool act) { return rig.Answer(c, act); },
                         .grid = given},
                        "S", {});
    sheet.Build({.measure = &rig.measure});
    const cmcCellGrid* seen = nullptr;
    rig.onAct = [&](cmcCellCapsule& c) {
      seen = c.grid;
      return uint8_t{0};
    };
    sheet.KeyPress(' ');
    EXPECT_EQ(seen, given ? given : &window);
  }
}

}  // namespace
