// Paint plans: what a painter is told for a cell on screen and on paper, focused or
// not, selected or on the current row, joined, with rules, lines of text and marks.
#include <gtest/gtest.h>

#include "cell/cmcCellIds.h"
#include "sheet/SheetRig.h"

namespace {

using Plan = cmcCellPaintPlan;

constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kClBtnFace = 0xFF00000F;
const Plan::View kFocused{.focused = true, .windowText = 0x000000, .window = 0xFFFFFF, .markWidth = 16};
const Plan::View kUnfocused{.focused = false, .windowText = 0x000000, .window = 0xFFFFFF, .markWidth = 16};

// Columns 80 wide, rows 40 high: fixed header row, then two rows of three cells.
const std::vector<std::string> kCells = {
    "{W(Color=clRed)}wwwwwwwww|{W}wwwwwwwww|{W}wwwwwwwww",
    "{SH(%CT_Mch.CL_Mch_No[0])}a\\nb|{S(Color=clRed)(Font=,,clBtnFace,,,,)}x|{T}tail",
    "{S}y|{S}z|w",
};

TEST(CellPaintPlan, Colours) {
  struct Case {
    const char* name;
    const char* style;
    bool popup;
    cmcCellPaintPlan::View view;
    bool printing;
    int col, row;
    uint32_t background, text;
  };
  const Case cases[] = {
      {"the current cell, focused", "", false, kFocused, false, 0, 1, Plan::kClHighlight, Plan::kClHighlightText},
      {"the current cell without the focus", "", false, kUnfocused, false, 0, 1, 0xBFBFBF, kClWindowText},
      {"a popup sheet highlights without the focus", "", true, kUnfocused, false, 0, 1, Plan::kClHighlight,
       Plan::kClHighlightText},
      {"a plain cell keeps its colour", "", false, kFocused, false, 1, 2, kClWindow, kClWindowText},
      {"the current row in the line colour", "(ColorSelectLine)", false, kFocused, false, 1, 1, 0xDFDFDF, kClBtnFace},
      {"the line colour spares fixed columns", "(ColorSelectLine)(FixedCols=1)", false, kFocused, false, 0, 2,
       kClWindow, kClWindowText},
      {"no line colour in a popup sheet", "(ColorSelectLine)", true, kFocused, false, 1, 1, kRed, kClBtnFace},
      {"printed light cells are white", "", false, kFocused, true, 1, 2, 0xFFFFFF, kClWindowText},
      {"printed coloured cells are dark with white text", "", false, kFocused, true, 0, 0, 0x606060, 0xFFFFFF},
      {"the highlight is not printed", "", false, kFocused, true, 0, 1, 0xFFFFFF, kClWindowText},
      {"a tail of the current cell shows its highlight", "", false, kFocused, true, 2, 1, 0xFFFFFF, kClWindowText},
  };
  for (const auto& c : cases) {
    SheetRig rig(kCells, std::string("(FixedRows=1)") + c.style);
    rig.Make().SetPopup(c.popup);
    cmcSheetModel& sheet = rig.Build({.printing = c.printing});
    ASSERT_EQ(rig.At(), (cmcSheetCoord{0, 1})) << c.name;
    const Plan plan = sheet.PaintPlan(c.col, c.row, c.view, {0, 0, 80, 40});
    EXPECT_EQ(plan.background, c.background) << c.name;
    EXPECT_EQ(plan.textColour, c.text) << c.name;
  }
}

TEST(CellPaintPlan, TheInactiveSelectionLightensGreyText) {
  SheetRig rig(kCells, "(FixedRows=1)");
  cmcSheetModel& sheet = rig.Build();
  sheet.MoveTo(1, 1);
  EXPECT_EQ(sheet.PaintPlan(1, 1, kUnfocused, {0, 0, 80, 40}).textColour, kClWindow) << "clBtnFace text";
  EXPECT_EQ(sheet.PaintPlan(1, 1, kFocused, {0, 0, 80, 40}).textColour, Plan::kClHighlightText);
  EXPECT_EQ(sheet.PaintPlan(2, 1, kFocused, {0, 0, 80, 40}).background, Plan::kClHighlight)
      << "the current cell's tail";
  sheet.OpenEditor(1, 1, "x", 0, 1);
  EXPECT_EQ(sheet.PaintPlan(1, 1, kFocused, {0, 0, 80, 40}).background, kRed) << "under the editor";
}

TEST(CellPaintPlan, Rules) {
  using Rule = Plan::Rule;
  struct Case {
    const char* name;
    const char* cell;
    std::vector<Rule> rules;
    uint32_t colour;
  };
  // The cell is 80 x 40 at (0, 0).
  const Case cases[] = {
      {"none", "a", {}, 0x808080},
      {"bottom and top", "{BU}a", {{0, 39, 79, 39}, {0, 0, 79, 0}}, 0x808080},
      {"right, full height", "{X}a", {{79, 0, 79, 39}}, 0x808080},
      {"right, a tick over the lowest three tenths", "{Q}a", {{79, 28, 79, 39}}, 0x808080},
      {"right, from the second pixel", "{Y}a", {{79, 1, 79, 39}}, 0x808080},
      {"white on a coloured cell", "{X(Color=clRed)}a", {{79, 0, 79, 39}}, 0xFFFFFF},
      {"no right rule before a joined cell", "{X}a|{+}b", {}, 0x808080},
  };
  for (const auto& c : cases) {
    SheetRig rig({"s", c.cell}, "(FixedRows=1)");
    cmcSheetModel& sheet = rig.Build();
    const Plan plan = sheet.PaintPlan(0, 1, kFocused, {0, 0, 80, 40});
    EXPECT_EQ(plan.rules, c.rules) << c.name;
    EXPECT_EQ(plan.ruleColour, c.colour) << c.name;
  }
  SheetRig printed({"s", "{B}a"}, "(FixedRows=1)");
  EXPECT_EQ(printed.Build({.printing = true}).PaintPlan(0, 1, kFocused, {0, 0, 80, 40}).ruleColour, 0x000000u);
}

TEST(CellPaintPlan, TextLines) {
  using Line = Plan::Line;
  struct Case {
    const char* name;
    const char* cell;
    int printScale;
    std::vector<Line> lines;
    int textEnd;
  };
  // The cell is 80 x 40 at (0, 0); characters are 8 x 16.
  const Case cases[] = {
      {"top left", "ab", 1, {{"ab", 4, 1, 16, 16}}, 20},
      {"centred", "{^-}ab", 1, {{"ab", 32, 12, 16, 16}}, 48},
      {"right and bottom", "{>_}ab", 1, {{"ab", 61, 23, 16, 16}}, 77},
      {"a bottom rule lifts the text a pixel", "{>_B}ab", 1, {{"ab", 61, 22, 16, 16}}, 77},
      {"two lines, middle", "{-}abc\\nd", 1, {{"abc", 4, 4, 24, 16}, {"d", 4, 20, 8, 16}}, 12},
      {"printed at scale 2", "{>}ab", 2, {{"ab", 57, 2, 16, 16}}, 73},
      {"never left of the cell", "{>}abcdefghijkl", 1, {{"abcdefghijkl", 0, 1, 96, 16}}, 80},
  };
  for (const auto& c : cases) {
    SheetRig rig({"s", c.cell}, "(FixedRows=1)");
    cmcSheetModel& sheet = rig.Build({.printing = c.printScale > 1, .printScale = c.printScale});
    const Plan plan = sheet.PaintPlan(0, 1, kFocused, {0, 0, 80, 40});
    EXPECT_EQ(plan.lines, c.lines) << c.name;
    EXPECT_EQ(plan.textEnd, c.textEnd) << c.name;
  }
}

TEST(CellPaintPlan, AJoinedCellEndsARightAlignedTextAtItsRightEdge) {
  // Column 0 is 32 wide ("{W}abc"), column 1 40 ("wwww" joined on it).
  SheetRig rig({"{>W}abc|{+W}wwww"});
  cmcSheetModel& sheet = rig.Build();
  const Plan owner = sheet.PaintPlan(0, 0, kFocused), joined = sheet.PaintPlan(1, 0, kFocused);
  EXPECT_EQ(owner.rect, (cmcSheetRect{0, 0, 32, 1}));
  EXPECT_EQ(joined.rect, (cmcSheetRect{32, 0, 72, 1}));
  for (const Plan* plan : {&owner, &joined}) {
    EXPECT_EQ(plan->joined, (cmcSheetRect{0, 0, 72, 1}));
    ASSERT_EQ(plan->lines.size(), 1u);
    EXPECT_EQ(plan->lines[0].text, "abc") << "the group's text, not the joined cell's";
    EXPECT_EQ(plan->lines[0].x + plan->lines[0].width, 72 + 1 - 4);
  }
}

TEST(CellPaintPlan, MarksAndWhatTheValueLayerDraws) {
  struct Case {
    const char* name;
    const char* cell;
    uint8_t state;
    uint8_t position;
    bool printing;
    cmcCellPaintPlan::View view;
    Plan::Mark mark;
    cmcSheetRect rect;
  };
  // The cell is 80 x 40 at (0, 0); the text "L<label>:0" ends at 4 + 8 x length.
  const int textEnd = 4 + 8 * static_cast<int>(("L" + std::to_string(CL_Mch_No) + ":0").size());
  const Case cases[] = {
      {"a warning after the text",
       "{(%CT_Mch.CL_Mch_No[0])}",
       cmcCellCapsule::kWarningMark,
       0,
       false,
       kFocused,
       Plan::Mark::kWarning,
       {textEnd, 23, textEnd + 16, 39}},
      {"an error wins; a right-aligned cell marks its left edge",
       "{>(%CT_Mch.CL_Mch_No[0])}",
       cmcCellCapsule::kWarningMark | cmcCellCapsule::kErrorMark,
       0,
       false,
       kFocused,
       Plan::Mark::kError,
       {2, 23, 18, 39}},
      {"at the right edge",
       "{(%CT_Mch.CL_Mch_No[0])}",
       cmcCellCapsule::kErrorMark,
       2,
       false,
       kFocused,
       Plan::Mark::kError,
       {63, 23, 79, 39}},
      {"printed half the cell high",
       "{(%CT_Mch.CL_Mch_No[0])}",
       cmcCellCapsule::kErrorMark,
       2,
       true,
       kFocused,
       Plan::Mark::kError,
       {59, 18, 79, 38}},
      {"a sheet without mark images shows none",
       "{(%CT_Mch.CL_Mch_No[0])}",
       cmcCellCapsule::kErrorMark,
       2,
       false,
       {.focused = true},
       Plan::Mark::kNone,
       {}},
  };
  for (const auto& c : cases) {
    SheetRig rig({"s", c.cell}, "(FixedRows=1)");
    rig.onDraw = [&](cmcCellCapsule& capsule) {
      capsule.state |= c.state;
      capsule.markPosition = c.position;
    };
    cmcSheetModel& sheet = rig.Build({.printing = c.printing});
    const Plan plan = sheet.PaintPlan(0, 1, c.view, {0, 0, 80, 40});
    EXPECT_EQ(plan.mark, c.mark) << c.name;
    EXPECT_EQ(plan.markRect, c.rect) << c.name;
    EXPECT_EQ(plan.printedMark, c.printing && c.mark != Plan::Mark::kNone) << c.name;
  }

  SheetRig rig({"{(%CT_Mch.CL_Mch_No[0])}"});
  rig.recordDraws = true;
  rig.onDraw = [](cmcCellCapsule& c) {
    const cmcCanvasPoint tick[] = {{1, 2}, {3, 4}, {5, 1}};
    c.canvas->FillPolygon(tick, c.canvas->FontColour());
    c.canvas->SetTextColour(0x00FF00);
    c.canvas->FillBottom(30, 0x0000FF);
    c.outputText = "drawn";
  };
  const Plan plan = rig.Build().PaintPlan(0, 0, kUnfocused, {0, 0, 80, 40});
  ASSERT_EQ(plan.polygons.size(), 1u);
  EXPECT_EQ(plan.polygons[0].colour, 0xBFBFBF == plan.background ? kClWindowText : 0u) << "the font's colour";
  EXPECT_EQ(plan.polygons[0].points.size(), 3u);
  EXPECT_EQ(plan.textColour, 0x00FF00u);
  ASSERT_TRUE(plan.band.has_value());
  EXPECT_EQ(plan.band->percent, 30);
  ASSERT_EQ(plan.lines.size(), 1u);
  EXPECT_EQ(plan.lines[0].text, "drawn");
  ASSERT_EQ(rig.requests.size(), 1u);
  EXPECT_FALSE(rig.requests[0].act) << "painting asks for the text only";
}

}  // namespace
