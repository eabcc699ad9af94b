// The special editors without their windows: the flag-bits editor's sheet and answer,
// the segment text editor's text and palette, the character editor's segments, where
// an editor window goes, and the rules by which an editor confirms and closes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/cmcCellIds.h"
#include "cell/cmcSegmentModel.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualClock.h"
#include "sheet/SheetRig.h"
#include "sheet/cmcCellEditorSession.h"
#include "sheet/cmcCharacterEditor.h"
#include "sheet/cmcEditorPlacement.h"
#include "sheet/cmcFlagBitsEditor.h"
#include "sheet/cmcSegmentTextEditor.h"

namespace {

using Request = SheetRig::Request;

// The shipped main overlay: the cell models the editors' sheets use, and the palette.
cmcGTex& MainOverlay() {
  static cmcGTex overlay;
  static const bool opened = overlay.SetFile(std::string(RX93_DATA_DIR) + "/RX93KITD_ENG.OVL");
  EXPECT_TRUE(opened);
  return overlay;
}

// What the value layer received: every user action, with its parent capsule's label.
struct ValueLayer {
  cmcSheetModel::Answer Answer() {
    return [this](cmcCellCapsule& c, bool act) {
      if (act) {
        acts.push_back({true, c.cell ? c.cell->label : kNoLabel, c.cell ? c.cell->index : -1, c.keyCode,
                        c.commandArgument, c.inputKind, c.inputText});
        parentLabels.push_back(c.parent && c.parent->cell ? static_cast<int>(c.parent->cell->label) : -1);
      } else {
        c.outputText = "drawn";
      }
      return uint8_t{0};
    };
  }
  std::vector<Request> acts;
  std::vector<int> parentLabels;
};

// The cell being edited: a flag setting's cell on a grid.
struct Origin {
  Origin() {
    cell.category = CT_Mch;
    cell.label = CL_Mch_FreqR;
    cell.index = 5;
    capsule.cell = &cell;
    capsule.grid = reinterpret_cast<cmcCellGrid*>(&cell);
  }
  cmcCellObj cell;
  cmcCellCapsule capsule;
};

const cmcCellPaintPlan::View kView{.focused = true, .markWidth = 16};

std::vector<std::string> RowTexts(cmcSheetModel& sheet, int row) {
  std::vector<std::string> texts;
  for (int c = 0; c < sheet.ColCount(); ++c) texts.push_back(sheet.CellText(c, row));
  return texts;
}

TEST(FlagBitsEditor, BitsOneToThreeInHeaderStyle2) {
  const std::vector<std::string> lines = cmcFlagBitsEditor::OverlayLines(1, 3, 2);
  ASSERT_EQ(lines.size(), 32u);
  EXPECT_EQ(lines[6], "|{($iChI)}1||{($iChI)}2||{($iChI)}3|");
  EXPECT_EQ(lines[8], "|{($eWh)^(%CL_FBits[1])}9|{($iQp)}|{($eWh)^(%CL_FBits[2])}9|{($iQp)}|{($eWh)^(%CL_FBits[3])}9|");
  EXPECT_EQ(lines[30], "#End_Of_Ovl");

  Origin origin;
  ValueLayer value;
  RecordingSheetView view;
  cmcFlagBitsEditor editor(origin.capsule, MainOverlay(), {.pattern = 0, .first = 1, .last = 3, .headerStyle = 2},
                           value.Answer(), view);
  cmcFixedMeasure measure;
  cmcSheetModel& sheet = editor.Sheet();
  sheet.Build({.measure = &measure});
  EXPECT_EQ(RowTexts(sheet, 1), (std::vector<std::string>{"", "1", "", "2", "", "3"}));
  for (const int col : {1, 3, 5}) {
    EXPECT_EQ(sheet.Def().CellAt(col, 3).label, CL_FBits) << col;
    EXPECT_EQ(sheet.Def().CellAt(col, 3).index, col / 2 + 1) << col;
  }
  for (const int col : {2, 4}) EXPECT_EQ(sheet.Def().CellAt(col, 3).label, CL_Misc_QuarterPillar) << col;
  EXPECT_EQ(sheet.Layout().FixedCols(), 1);
  EXPECT_EQ(sheet.Layout().FixedRows(), 1);
  EXPECT_EQ(value.acts.size(), 0u);

  ASSERT_TRUE(sheet.MoveTo(3, 3));
  sheet.KeyPress(' ');
  EXPECT_EQ(editor.Pattern(), 16777216u);
  EXPECT_TRUE(value.acts.empty()) << "the editor answers its bit cells itself";
  EXPECT_EQ(sheet.CellText(3, 3), "o");
  EXPECT_EQ(sheet.CellText(1, 3), "");
  editor.Session().Ok();
  ASSERT_EQ(value.acts.size(), 1u);
  EXPECT_EQ(value.acts[0], (Request{true, CL_Mch_FreqR, 5, 0, 0, cmcCellCapsule::kInputPopupAnswer, "16777216"}));
  EXPECT_EQ(value.parentLabels[0], 1) << "the answer's parent cell has the generic first label";
}

TEST(FlagBitsEditor, HeaderStyles) {
  struct Case {
    int style, first, last;
    std::vector<std::string> header;  // the shown texts of bits first … last
  };
  const Case cases[] = {
      {3, 9, 11, {"9", "0", "11"}},
      {3, 16, 17, {"16", "Z"}},
      {2, 16, 17, {"16", "17"}},
      {1, 9, 11, {"9", "A", "B"}},
      {4, 8, 11, {"8", "9", "A", "B"}},
      {4, 17, 18, {"Z", "I"}},
      {5, 1, 3, {"A", "B", "C"}},
      {6, 1, 5, {"O", "G", "P", "R", "5"}},
      {7, 1, 5, {"RMC", "GGA", "GLL", "GSA", "VTG"}},
      {8, 1, 3, {"B2", "B1", "B0"}},
      {0, 1, 2, {"1", "2"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> shown;
    for (int b = c.first; b <= c.last; ++b) {
      const std::string piece = cmcFlagBitsEditor::HeaderPiece(c.style, b, c.last);
      ASSERT_EQ(piece.rfind("|{($iChI)}", 0), 0u) << piece;
      shown.push_back(piece.substr(10, piece.size() - 11));
    }
    EXPECT_EQ(shown, c.header) << "style " << c.style << " bits " << c.first << "-" << c.last;
  }
}

TEST(FlagBitsEditor, MoreThanThreeNmeaSentencesAreAnError) {
  cmcVirtualClock clock;
  cmcEvMan events(clock);
  Origin origin;
  ValueLayer value;
  RecordingSheetView view;
  // RMC, GGA, GLL and GSA set: bits 25 to 22.
  const uint32_t four = (1u << 25) | (1u << 24) | (1u << 23) | (1u << 22);
  cmcFlagBitsEditor editor(origin.capsule, MainOverlay(), {.pattern = four, .first = 1, .last = 5, .headerStyle = 7},
                           value.Answer(), view, {}, &events);
  cmcFixedMeasure measure;
  cmcSheetModel& sheet = editor.Sheet();
  sheet.Build({.measure = &measure});
  EXPECT_FALSE(editor.OkEnabled());
  EXPECT_EQ(sheet.PaintPlan(9, 3, kView).mark, cmcCellPaintPlan::Mark::kError) << "an unset bit shows it too";
  sheet.MoveTo(1, 3);
  sheet.KeyPress(' ');
  EXPECT_TRUE(editor.OkEnabled());
  EXPECT_EQ(sheet.PaintPlan(9, 3, kView).mark, cmcCellPaintPlan::Mark::kNone);
  view.Clear();
  clock.Advance(20);
  EXPECT_FALSE(view.repainted.empty()) << "event 13 repaints every bound cell";
  sheet.KeyPress(cmcCellCapsule::kKeyActivate);
  EXPECT_FALSE(editor.OkEnabled());
}

TEST(FlagBitsEditor, ACheckMarkInTheFontColour) {
  Origin origin;
  ValueLayer value;
  RecordingSheetView view;
  cmcFlagBitsEditor editor(origin.capsule, MainOverlay(),
                           {.pattern = 1u << 25, .first = 1, .last = 2, .headerStyle = 2, .markStyle = 1},
                           value.Answer(), view);
  cmcFixedMeasure measure;
  editor.Sheet().Build({.measure = &measure});
  const cmcCellPaintPlan set = editor.Sheet().PaintPlan(1, 3, kView, {0, 0, 30, 20});
  ASSERT_EQ(set.polygons.size(), 1u);
  EXPECT_EQ(set.polygons[0].points.size(), 5u);
  EXPECT_EQ(set.polygons[0].colour, set.textColour);
  for (const auto& p : set.polygons[0].points) {
    EXPECT_GE(p.x, 5);  // inside the centred 20 x 20 square
    EXPECT_LE(p.x, 25);
    EXPECT_GE(p.y, 0);
    EXPECT_LE(p.y, 20);
  }
  EXPECT_TRUE(set.lines.size() == 1 && set.lines[0].text.empty()) << "no text beside the mark";
  EXPECT_TRUE(editor.Sheet().PaintPlan(3, 3, kView, {0, 0, 30, 20}).polygons.empty());
}

TEST(FlagBitsEditor, ASheetOfTheMainOverlayAndOtherCells) {
  Origin origin;
  ValueLayer value;
  RecordingSheetView view;
  cmcFlagBitsEditor editor(origin.capsule, MainOverlay(),
                           {.pattern = 0, .first = 3, .last = 10, .headerStyle = 2, .sheetName = "GI_Sheet_FBitsR"},
                           value.Answer(), view);
  cmcFixedMeasure measure;
  cmcSheetModel& sheet = editor.Sheet();
  sheet.Build({.measure = &measure});
  EXPECT_EQ(&sheet.Overlay(), &MainOverlay());
  ASSERT_TRUE(sheet.MoveTo(1, 3));
  sheet.KeyPress(' ');
  EXPECT_EQ(editor.Pattern(), 1u << 23) << "the first cell is bit number 3";
  EXPECT_EQ(sheet.CellText(2, 3), "drawn") << "a pillar asks the value layer";
}

TEST(CellEditorSession, ConfirmsOnceAndClosesByTheRules) {
  struct Case {
    const char* name;
    std::vector<std::string> steps;
    size_t answers;
    bool closed;
  };
  const Case cases[] = {
      {"OK confirms and closes", {"ok"}, 1, true},
      {"a click outside confirms", {"outside"}, 1, true},
      {"Cancel, then a click outside, sends nothing", {"cancel", "outside"}, 0, true},
      {"OK, then a click outside, confirms once", {"ok", "outside"}, 1, true},
      {"Enter confirms and leaves the window open; a click outside then closes", {"enter", "outside"}, 1, true},
      {"Enter twice confirms once", {"enter", "enter"}, 1, false},
      {"event 21 acts as a click outside", {"commit"}, 1, true},
      {"event 1 naming the cell's grid cancels", {"grid closing", "outside"}, 0, true},
      {"event 1 naming another grid does nothing", {"other grid closing"}, 0, false},
  };
  for (const auto& c : cases) {
    cmcVirtualClock clock;
    cmcEvMan events(clock);
    Origin origin;
    ValueLayer value;
    int closes = 0;
    cmcCellEditorSession session(
        origin.capsule, value.Answer(), [] { return std::string("42"); }, [&] { ++closes; }, &events);
    for (const auto& step : c.steps) {
      if (step == "ok") session.Ok();
      if (step == "cancel") session.Cancel();
      if (step == "outside") session.Deactivated();
      if (step == "enter") session.Confirm();
      if (step == "commit") events.Send(kEvCommitEdit);
      if (step == "grid closing") events.Send(kEvOwnerClosing, 0, reinterpret_cast<intptr_t>(origin.capsule.grid));
      if (step == "other grid closing") events.Send(kEvOwnerClosing, 0, 1);
    }
    EXPECT_EQ(value.acts.size(), c.answers) << c.name;
    EXPECT_EQ(closes, c.closed ? 1 : 0) << c.name;
    if (!value.acts.empty()) {
      EXPECT_EQ(value.acts[0].text, "42") << c.name;
    }
  }
}

TEST(EditorPlacement, NextToTheCellOnTheWorkArea) {
  using P = cmcEditorPlacement::Place;
  const cmcSheetRect work{0, 0, 1000, 800};
  struct Case {
    const char* name;
    cmcSheetRect cell;
    int width, height;
    P place;
  };
  const Case cases[] = {
      {"below the cell, 8 in", {100, 100, 200, 120}, 300, 200, {108, 120, false}},
      {"above the cell when it would end below", {100, 700, 200, 720}, 300, 200, {108, 500, false}},
      {"over the cell from the bottom when there is no room above", {100, 150, 200, 170}, 300, 700, {108, 100, true}},
      {"kept left of the right edge", {900, 100, 990, 120}, 300, 200, {700, 120, false}},
      {"overlapping, left of the cell when it fits there", {900, 150, 990, 170}, 300, 700, {600, 100, true}},
      {"overlapping, at the right edge when it does not", {200, 150, 290, 170}, 900, 700, {100, 100, true}},
  };
  for (const auto& c : cases) EXPECT_EQ(cmcEditorPlacement::Next(c.cell, work, c.width, c.height), c.place) << c.name;

  EXPECT_EQ(cmcEditorPlacement::Fit(300, 500, work), (cmcEditorPlacement::Size{300, 500, false}));
  EXPECT_EQ(cmcEditorPlacement::Fit(300, 2500, work), (cmcEditorPlacement::Size{300, 800, true}))
      << "a list taller than the screen scrolls";
}

TEST(SegmentTextEditor, TheTextAndThePalette) {
  Origin origin;
  ValueLayer value;
  RecordingSheetView view;
  const uint8_t codes[] = {'A', 'B', 0};
  cmcSegmentTextEditor editor(origin.capsule, MainOverlay(), codes, false, 8, {}, value.Answer(), view);
  EXPECT_EQ(editor.Text(), "AB");
  EXPECT_EQ(editor.SelStart(), 2) << "the caret at the end";
  cmcFixedMeasure measure;
  cmcSheetModel& palette = editor.Palette();
  palette.Build({.measure = &measure});
  ASSERT_TRUE(palette.MoveToBinding(CT_Null, Flex0, 'C'));
  palette.KeyPress(' ');
  EXPECT_EQ(editor.Text(), "ABC");
  EXPECT_FALSE(editor.TakeFocusRequest());
  editor.SetText("ABC", 1, 1);
  palette.KeyPress(cmcCellCapsule::kKeyActivate);
  EXPECT_EQ(editor.Text(), "ACC") << "the selection is replaced";
  EXPECT_EQ(editor.SelStart(), 2);
  EXPECT_TRUE(editor.TakeFocusRequest()) << "an activation sends the focus to the text";
  palette.KeyPress(0xC8);
  EXPECT_EQ(editor.Text(), "ACC") << "not a display character";
  palette.KeyPress('D');
  EXPECT_EQ(editor.Text(), "ACDC");
  EXPECT_TRUE(editor.TakeFocusRequest());
  palette.KeyPress(27);
  EXPECT_TRUE(editor.TakeFocusRequest()) << "Escape in the palette goes back to the text";
  EXPECT_EQ(editor.Codes(), (std::vector<uint8_t>{'A', 'C', 'D', 'C'}));
  EXPECT_TRUE(value.acts.empty());
  palette.KeyPress(13);
  ASSERT_EQ(value.acts.size(), 1u);
  EXPECT_EQ(value.acts[0], (Request{true, CL_Mch_FreqR, 5, 0, 0, cmcCellCapsule::kInputPopupAnswer, "ACDC"}));
  EXPECT_TRUE(editor.TextKey(0x0D));
  EXPECT_EQ(value.acts.size(), 1u) << "confirmed once";
}

TEST(SegmentTextEditor, EscapeInTheTextSendsNothing) {
  Origin origin;
  ValueLayer value;
  RecordingSheetView view;
  int closes = 0;
  const uint8_t codes[] = {'A'};
  cmcSegmentTextEditor editor(origin.capsule, MainOverlay(), codes, true, 8, {}, value.Answer(), view,
                              [&] { ++closes; });
  EXPECT_EQ(editor.SelLength(), 1) << "all selected";
  editor.SetText("XY", 2, 0);
  EXPECT_TRUE(editor.TextKey(0x1B));
  editor.Session().Deactivated();
  EXPECT_TRUE(value.acts.empty());
  EXPECT_EQ(closes, 1);
}

TEST(CharacterEditor, SegmentsOnTheDrawingArea) {
  // Two drawn segments in a box of 0..9 (the hidden one widens it), scale 20.
  const std::vector<std::string> lines = {"1|(0,0)(4,0)(0,4)", "-1|(0,0)(9,0)(0,9)", "1|(9,9)(5,9)(9,5)", "#"};
  const cmcSegmentModel model = cmcSegmentModel::FromLines(lines);
  cmcCharacterEditor editor(model, 0b001);  // segment 2 on
  EXPECT_DOUBLE_EQ(editor.Scale(), 20);
  EXPECT_EQ(editor.ToArea({4, 0}), (cmcCanvasPoint{90, 10}));
  const auto shapes = editor.Shapes();
  ASSERT_EQ(shapes.size(), 2u) << "the hidden segment is not drawn";
  EXPECT_FALSE(shapes[0].on);
  EXPECT_TRUE(shapes[1].on);
  EXPECT_TRUE(editor.Click(30, 30));
  EXPECT_EQ(editor.Value(), 0b101u) << "segment 0 is the highest bit";
  EXPECT_FALSE(editor.Click(150, 30)) << "inside the hidden segment only";
  EXPECT_EQ(editor.Value(), 0b101u);
  EXPECT_TRUE(editor.Click(189, 189));
  EXPECT_EQ(editor.Value(), 0b100u);
  EXPECT_TRUE(cmcCharacterEditor::Inside({{{0, 0}, {4, 0}, {0, 4}}}, {2, 2})) << "on the edge";
  EXPECT_FALSE(cmcCharacterEditor::Inside({{{0, 0}, {4, 0}, {0, 4}}}, {2.1, 2}));
}

}  // namespace
