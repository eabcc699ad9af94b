#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/cmcCellIds.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcFatal.h"
#include "sheet/cmcSheetDef.h"

namespace {

using Kind = cmcSheetRef::Kind;

// An overlay holding one sheet "S" and a key after its end marker, so that reading
// past the "#" would show.
struct SheetOverlay {
  SheetOverlay(const std::vector<std::string>& cells, const std::string& style = "", const std::string& basic = "") {
    lines = {"#S_Style", style, "#S_BasicCell", basic, "#S_Cells"};
    lines.insert(lines.end(), cells.begin(), cells.end());
    lines.insert(lines.end(), {"#", "after the end", "#End_Of_Ovl"});
    store.SetLines(lines);
  }
  std::vector<std::string> lines;
  cmcGTex store;
};

// Every row as its cells' texts joined by "|"; an empty cell shows as "".
std::vector<std::string> Texts(const cmcSheetDef& def) {
  std::vector<std::string> rows;
  for (int r = 0; r < def.RowCount(); ++r) {
    std::string row;
    for (int c = 0; c < def.ColCount(); ++c) row += (c ? "|" : "") + def.CellAt(c, r).CellText();
    rows.push_back(row);
  }
  return rows;
}

std::vector<int> SourceLines(const cmcSheetDef& def) {
  std::vector<int> lines;
  for (int r = 0; r < def.RowCount(); ++r) lines.push_back(def.RowAt(r).sourceLine);
  return lines;
}

struct RowsCase {
  const char* name;
  std::vector<std::string> cells;
  std::vector<std::string> rows;  // texts as Texts() gives them
  std::vector<int> sourceLines;
  cmcSheetDef::Model model = {};
  Kind kind = Kind::kPlain;
};

TEST(SheetDef, CountsRowsAsWritten) {
  const cmcSheetDef::Model pmr{.family = 1};
  const RowsCase cases[] = {
      {"shorter rows leave fresh cells", {"|a|b|", "|c|"}, {"|a|b", "|c|"}, {0, 1}},
      {"an empty line is a row without cells", {"a|b", "", "c"}, {"a|b", "|", "c|"}, {0, 1, 2}},
      {"directive lines count as source lines", {"a", ":(SelectOFF)", "b"}, {"a", "b"}, {0, 2}},
      {"a one-line loop body repeats", {":(LoopFrom 3)", "x", ":(LoopTo)"}, {"x", "x", "x"}, {1, 1, 1}},
      {"LoopFrom 0 uses the body once", {":(LoopFrom 0)", "x", ":(LoopTo)", "y"}, {"x", "y"}, {1, 3}},
      {"LoopFrom without a number is ignored", {":(LoopFrom)", "x", ":(LoopTo)"}, {"x"}, {1}},
      {"a two-line body repeats in order",
       {"h", ":(LoopFrom 2)", "a", "b", ":(LoopTo)", "t"},
       {"h", "a", "b", "a", "b", "t"},
       {0, 2, 3, 2, 3, 5}},
      {"loop directives on one line", {"x", ":(LoopFrom 2)(LoopTo)", "y"}, {"x", "y"}, {0, 2}},
      {"a false condition skips directive lines too",
       {":(Only_DPmr446 2)", ":(LoopFrom 3)", "a", "b", ":(LoopTo)"},
       {"b"},
       {3}},
      {"a true condition skips nothing", {":(Only_notDPmr446 2)", "a", "b"}, {"a", "b"}, {1, 2}},
      {"a condition without a number skips nothing", {":(Only_DPmr446)", "a"}, {"a"}, {1}},
      {"a condition with a bad number skips nothing", {":(Only_DPmr446 x)", "a"}, {"a"}, {1}},
      {"Only_EEDIT never holds", {":(Only_EEDIT 1)", "a", "b"}, {"b"}, {2}},
      {"Only_notEEDIT always holds", {":(Only_notEEDIT 1)", "a"}, {"a"}, {1}},
      {"the section ends at '#' while skipping", {"a", ":(Only_DPmr446 2)", "b"}, {"a"}, {0}},
      {"unknown directives and text outside groups are ignored", {": junk (Bogus 1) more", "a"}, {"a"}, {1}},
      {"plain sheets know no model conditions", {":(Only_Lmr 1)", "a"}, {"a"}, {1}, pmr},
      {"Only_Lmr 3 on a PMR common sheet skips three lines",
       {":(Only_Lmr 3)", "a", "b", "c", "d"},
       {"d"},
       {4},
       pmr,
       Kind::kCommon},
      {"Only_Lmr on an LMR common sheet skips nothing",
       {":(Only_Lmr 3)", "a", "b", "c", "d"},
       {"a", "b", "c", "d"},
       {1, 2, 3, 4},
       {},
       Kind::kCommon},
  };
  for (const auto& c : cases) {
    SheetOverlay o(c.cells);
    cmcSheetDef def(o.store, "S", c.kind, c.model);
    def.Build();
    EXPECT_EQ(Texts(def), c.rows) << c.name;
    EXPECT_EQ(SourceLines(def), c.sourceLines) << c.name;
  }
}

TEST(SheetDef, AnUndefinedCellIsFresh) {
  SheetOverlay o({"|{S(Color=clRed)}a|b|", "|c|"});
  cmcSheetDef def(o.store, "S", Kind::kPlain, {});
  def.Build();
  ASSERT_EQ(def.ColCount(), 3);
  const cmcCellObj& empty = def.CellAt(2, 1);
  EXPECT_FALSE(empty.Selectable());
  EXPECT_EQ(empty.colour, kClWindow);
  EXPECT_EQ(empty.category, kNoCategory);
  EXPECT_EQ(empty.base, nullptr);
  EXPECT_TRUE(def.CellAt(1, 0).Selectable());
  EXPECT_EQ(def.CellAt(1, 0).base, &def.BasicCell());
}

TEST(SheetDef, CopiedRowsCountUpTheirIndex) {
  SheetOverlay o({"{(%CT_Mch.CL_Mch_No[5])}|{(%CT_Mch.CL_Mch_FreqR[5])S}f", ":(LoopFrom 4)",
                  "{(%CT_Mch.CL_Mch_No[0])}|{(%CT_Mch.CL_Mch_FreqR[0])S}f", ":(LoopTo)"});
  cmcSheetDef def(o.store, "S", Kind::kPlain, {});
  def.Build();
  ASSERT_EQ(def.RowCount(), 5);
  EXPECT_EQ(def.CellAt(1, 0).index, 5);
  for (int r = 1; r < 5; ++r) {
    EXPECT_EQ(def.CellAt(0, r).index, r - 1) << r;
    EXPECT_EQ(def.CellAt(1, r).index, r - 1) << r;
    EXPECT_EQ(def.CellAt(1, r).label, CL_Mch_FreqR) << r;
    EXPECT_EQ(def.CellAt(1, r).CellText(), "f") << r;
    EXPECT_TRUE(def.CellAt(1, r).Selectable()) << r;
  }
}

TEST(SheetDef, LongerBodiesCountWithTheCounters) {
  SheetOverlay o({"{(@ch0=5)}", ":(LoopFrom 2)", "{(@ch0++)}\\(@ch0)", "\\(@ch0+10)", ":(LoopTo)"});
  cmcSheetDef def(o.store, "S", Kind::kPlain, {});
  def.Build();
  EXPECT_EQ(Texts(def), (std::vector<std::string>{"", "6", "16", "7", "17"}));
}

TEST(SheetDef, CountersContinueOnARebuild) {
  SheetOverlay o({"{(@ch3++)}\\(@ch3)"});
  cmcSheetDef def(o.store, "S", Kind::kPlain, {});
  def.Build();
  EXPECT_EQ(def.CellAt(0, 0).CellText(), "1");
  def.Build();
  EXPECT_EQ(def.CellAt(0, 0).CellText(), "2");
  EXPECT_EQ(def.Counters()[3], 2);
  EXPECT_EQ(def.CellAt(0, 0).counters, nullptr);
}

TEST(SheetDef, BankAndMemorySheetsExtendTheirLastRow) {
  for (const Kind kind : {Kind::kBank, Kind::kMemory}) {
    SheetOverlay o({"No|Freq", "{(%CT_Mch.CL_Mch_No[0])}|{(%CT_Mch.CL_Mch_FreqR[0])}"});
    cmcSheetDef def(o.store, "S", kind, {});
    def.Build();
    ASSERT_EQ(def.RowCount(), cmcSheetDef::kExtendedRows);
    EXPECT_EQ(def.CellAt(0, 0).CellText(), "No");
    EXPECT_EQ(def.CellAt(1, 1).index, 0);
    EXPECT_EQ(def.CellAt(1, 137).index, 136);
    EXPECT_EQ(def.CellAt(0, 137).label, CL_Mch_No);
    EXPECT_EQ(def.RowAt(137).sourceLine, 1);
  }
  SheetOverlay common({"a", "b"});
  cmcSheetDef def(common.store, "S", Kind::kCommon, {});
  def.Build();
  EXPECT_EQ(def.RowCount(), 2);
  // A sheet that already has the rows is left as it is.
  SheetOverlay many({":(LoopFrom 140)", "{(%CT_Mch.CL_Mch_No[0])}", ":(LoopTo)"});
  cmcSheetDef long_(many.store, "S", Kind::kBank, {});
  long_.Build();
  EXPECT_EQ(long_.RowCount(), 140);
}

TEST(SheetDef, SelectFlagsFollowTheDirectives) {
  SheetOverlay o({"a", ":(SelectOFF)", "b", ":(SelectON)", "c|d"}, "(MultiSelect=Line)");
  cmcSheetDef def(o.store, "S", Kind::kPlain, {});
  def.Build();
  EXPECT_TRUE(def.RowAt(0).select);
  EXPECT_FALSE(def.RowAt(1).select);
  EXPECT_TRUE(def.RowAt(2).select);
  EXPECT_TRUE(def.MultiSelectable(0, 0));
  EXPECT_FALSE(def.MultiSelectable(0, 1));
  EXPECT_TRUE(def.MultiSelectable(1, 2));

  SheetOverlay off({"a", "b"});
  cmcSheetDef plain(off.store, "S", Kind::kPlain, {});
  plain.Build();
  EXPECT_FALSE(plain.MultiSelectable(0, 0)) << "no multi-select mode";
}

TEST(SheetDef, MinimumSelectableColumnAndRow) {
  SheetOverlay o({"a|b|c", "a|b|{S}c", "a|b|c", "a|{S}b"});
  cmcSheetDef def(o.store, "S", Kind::kPlain, {});
  def.Build();
  EXPECT_EQ(def.MinSelectableCol(), 1);
  EXPECT_EQ(def.MinSelectableRow(), 1);

  SheetOverlay none({"a|b", "c"});
  cmcSheetDef plain(none.store, "S", Kind::kPlain, {});
  plain.Build();
  EXPECT_EQ(plain.MinSelectableCol(), 2);
  EXPECT_EQ(plain.MinSelectableRow(), 2);
}

TEST(SheetDef, CellsInheritTheBasicCellAndItsSuffix) {
  SheetOverlay o({"a|{!S}b"}, "", "{(Color=clRed)(%CT_Mch.CL_Mch_No[7])}base");
  cmcSheetDef def(o.store, "S", Kind::kPlain, {});
  def.Build("{S(Font=,,,-20,,,)}");
  const cmcCellObj& basic = def.BasicCell();
  EXPECT_EQ(basic.base, nullptr);
  EXPECT_EQ(basic.CellText(), "base");
  ASSERT_TRUE(basic.font.has_value());
  EXPECT_EQ(basic.font->height, -20);
  const cmcCellObj& a = def.CellAt(0, 0);
  EXPECT_EQ(a.colour, 0x0000FFu);
  EXPECT_EQ(a.label, CL_Mch_No);
  EXPECT_EQ(a.index, 7);
  EXPECT_TRUE(a.Selectable());
  EXPECT_FALSE(a.font.has_value()) << "cells without a font use the basic cell's";
  EXPECT_FALSE(def.CellAt(1, 0).Selectable());
}

TEST(SheetDef, StyleOptions) {
  struct Case {
    const char* name;
    const char* style;
    cmcSheetDef::Style expected;
  };
  const Case cases[] = {
      {"defaults", "", {}},
      {"title and colour", "(TitleString=Channels)(TitleColor=clRed)", {.title = "Channels", .titleColour = 0x0000FF}},
      {"an unknown colour changes nothing", "(TitleColor=clReddish)", {}},
      {"options match by their start", "(TitleStringX=a=b)(FixedColsY=1)", {.title = "a=b", .fixedCols = 1}},
      {"text outside groups is ignored", "FixedCols=3 (FixedRows=2) junk", {.fixedRows = 2}},
      {"a bad number keeps the default", "(FixedCols=x)(PrintFontRatio=)", {}},
      {"NoPrint must match exactly", "(NoPrintX)", {}},
      {"NoPrint", "(NoPrint)(PrintFontRatio=80)", {.noPrint = true, .printFontRatio = 80}},
      {"multi-select by cells", "(MultiSelect=Cell)", {.multiSelect = 1}},
      {"multi-select by lines", "(MultiSelect=Line)", {.multiSelect = 2}},
      {"Lines is no value", "(MultiSelect=Lines)", {.multiSelect = 0}},
      {"switches", "(ColSizing)(ColorSelectLine)", {.colSizing = true, .colorSelectLine = true}},
  };
  for (const auto& c : cases) {
    SheetOverlay o({"a|b|c", "d", "e"}, c.style);
    cmcSheetDef def(o.store, "S", Kind::kPlain, {});
    def.Build();
    const auto& s = def.GetStyle();
    EXPECT_EQ(s.title, c.expected.title) << c.name;
    EXPECT_EQ(s.titleColour, c.expected.titleColour) << c.name;
    EXPECT_EQ(s.fixedCols, c.expected.fixedCols) << c.name;
    EXPECT_EQ(s.fixedRows, c.expected.fixedRows) << c.name;
    EXPECT_EQ(s.noPrint, c.expected.noPrint) << c.name;
    EXPECT_EQ(s.printFontRatio, c.expected.printFontRatio) << c.name;
    EXPECT_EQ(s.multiSelect, c.expected.multiSelect) << c.name;
    EXPECT_EQ(s.colSizing, c.expected.colSizing) << c.name;
    EXPECT_EQ(s.colorSelectLine, c.expected.colorSelectLine) << c.name;
    EXPECT_FALSE(s.titleFont.has_value()) << c.name;
  }
}

TEST(SheetDef, TitleFontAndFixedCounts) {
  SheetOverlay o({"a|b|c", "d", "e"}, "(TitleFont=,Arial,,,,fsBold,)(FixedCols=9)(FixedRows=5)");
  cmcSheetDef def(o.store, "S", Kind::kPlain, {});
  def.Build();
  ASSERT_TRUE(def.GetStyle().titleFont.has_value());
  EXPECT_EQ(def.GetStyle().titleFont->face, "Arial");
  EXPECT_EQ(def.GetStyle().titleFont->style, cmcCellFont::kBold);
  EXPECT_EQ(def.FixedCols(), 2);
  EXPECT_EQ(def.FixedRows(), 2);
  // A single row and column leave nothing to fix.
  SheetOverlay one({"a"}, "(FixedCols=1)(FixedRows=1)");
  cmcSheetDef single(one.store, "S", Kind::kPlain, {});
  single.Build();
  EXPECT_EQ(single.FixedCols(), 0);
  EXPECT_EQ(single.FixedRows(), 0);
}

TEST(SheetDef, ConditionsByKindAndModel) {
  struct Case {
    const char* directive;
    Kind kind;
    cmcSheetDef::Model model;
    std::optional<bool> holds;
  };
  const cmcSheetDef::Model lmr{}, pmr{.family = 1}, qarn{.family = 2}, dpmr{.family = 3}, five{.family = 5};
  const Case cases[] = {
      {"Only_DPmr446 1", Kind::kPlain, dpmr, true},
      {"Only_DPmr446 1", Kind::kPlain, five, false},
      {"Only_notDPmr446 1", Kind::kPlain, lmr, true},
      {"Only_notDPmr446 1", Kind::kCommon, dpmr, false},
      {"Only_EEDIT", Kind::kCommon, lmr, false},
      {"Only_notEEDIT", Kind::kBank, lmr, true},
      {"Only_Pmr 1", Kind::kPlain, pmr, std::nullopt},
      {"Only_Pmr 1", Kind::kCommon, pmr, true},
      {"Only_Pmr 1", Kind::kCommon, qarn, true},
      {"Only_Pmr 1", Kind::kCommon, dpmr, false},
      {"Only_Lmr 1", Kind::kCommon, lmr, true},
      {"Only_Lmr 1", Kind::kCommon, five, true},
      {"Only_Lmr 1", Kind::kCommon, pmr, false},
      {"Only_QARN 1", Kind::kCommon, qarn, true},
      {"Only_QARN 1", Kind::kCommon, pmr, false},
      {"Only_notQARN 1", Kind::kCommon, qarn, false},
      {"Only_notQARN 1", Kind::kCommon, dpmr, true},
      {"Only_Dealer 1", Kind::kCommon, lmr, false},
      {"Only_Dealer 1", Kind::kCommon, {.extendedMode = true}, true},
      {"Only_User 1", Kind::kCommon, lmr, true},
      {"Only_User 1", Kind::kCommon, {.extendedMode = true}, false},
      {"Only_SACC 1", Kind::kCommon, {.accessByte = 0x08}, true},
      {"Only_SACC 1", Kind::kCommon, {.accessByte = 0x10}, false},
      {"Only_EACC 1", Kind::kCommon, {.accessByte = 0x10}, true},
      {"Only_EACC 1", Kind::kCommon, {.accessByte = 0xEF}, false},
      {"Only_Maker 1", Kind::kCommon, lmr, false},
      {"Only_Maker 1", Kind::kCommon, {.makerReserveMode = true}, true},
      {"Never 1", Kind::kCommon, lmr, false},
      {"Never 1", Kind::kBank, lmr, std::nullopt},
      {"SelectON", Kind::kCommon, lmr, std::nullopt},
  };
  for (const auto& c : cases) {
    SheetOverlay o({"a"});
    const cmcSheetDef def(o.store, "S", c.kind, c.model);
    EXPECT_EQ(def.Condition(c.directive), c.holds) << c.directive << " kind " << static_cast<int>(c.kind);
  }
}

TEST(SheetDef, FatalConfigurationErrors) {
  const std::vector<std::vector<std::string>> noCells = {
      {}, {""}, {"", ""}, {":(SelectOFF)"}, {":(Only_DPmr446 1)", "a"}};
  for (const auto& cells : noCells) {
    SheetOverlay o(cells);
    cmcSheetDef def(o.store, "S", Kind::kPlain, {});
    EXPECT_EXIT(def.Build(), ::testing::ExitedWithCode(kFatalExitStatus), "^Illegal Cell assign\n$");
  }
  SheetOverlay o({"a|b", "c"});
  cmcSheetDef def(o.store, "S", Kind::kPlain, {});
  EXPECT_EXIT(def.CellAt(0, 0), ::testing::ExitedWithCode(kFatalExitStatus), "^Illegal Cell selection\n$");
  def.Build();
  for (const auto& [col, row] : std::vector<std::pair<int, int>>{{2, 0}, {0, 2}, {-1, 0}, {0, -1}})
    EXPECT_EXIT(def.CellAt(col, row), ::testing::ExitedWithCode(kFatalExitStatus), "^Illegal Cell selection\n$");
  EXPECT_EQ(def.CellAt(1, 1).CellText(), "");
}

// Definitions whose sizes or counts would overflow or exhaust memory end with the fatal
// text before anything is allocated or computed for them.
TEST(SheetDef, DefinitionsBeyondTheGridsBoundsAreFatal) {
  const struct {
    const char* what;
    std::vector<std::string> cells;
    std::string style;
    Kind kind;
  } cases[] = {
      {"a cell font of 1610612736 points", {"{(Font=,,,,1610612736)}a"}, "", Kind::kPlain},
      {"a cell font of -1610612736 points", {"{(Font=,,,,-1610612736)}a"}, "", Kind::kPlain},
      {"a title font of 1610612736 points", {"a"}, "(TitleFont=,,,,1610612736)", Kind::kPlain},
      {"a cell font just beyond the bound", {"{(Font=,,,,32768)}a"}, "", Kind::kPlain},
      {"a loop body's copied index at the top of the range",
       {":(LoopFrom 2)", "{(%CT_Mch.CL_Mch_No[2147483647])}", ":(LoopTo)"},
       "",
       Kind::kPlain},
      {"the bank sheet's extension from the top of the range", {"{(%CT_Mch.CL_Mch_No[2147483646])}"}, "", Kind::kBank},
      {"an index beyond the bound", {"{(%CT_Mch.CL_Mch_No[-16777216])}"}, "", Kind::kPlain},
      {"LoopFrom 200000000", {":(LoopFrom 200000000)", "x", ":(LoopTo)"}, "", Kind::kPlain},
      {"rows beyond the bound in loops", {":(LoopFrom 16384)", "x", "y", ":(LoopTo)"}, "", Kind::kPlain},
      {"cells beyond the bound", {std::string(300, '|'), ":(LoopFrom 1000)", "x", ":(LoopTo)"}, "", Kind::kPlain},
  };
  for (const auto& c : cases) {
    SheetOverlay o(c.cells, c.style);
    cmcSheetDef def(o.store, "S", c.kind, {});
    EXPECT_EXIT(def.Build(), ::testing::ExitedWithCode(kFatalExitStatus), "^Illegal Cell assign\n$") << c.what;
  }
  // The largest counts within the bounds build.
  SheetOverlay o({":(LoopFrom 16383)", "{(%CT_Mch.CL_Mch_No[16760000])}x", ":(LoopTo)"}, "(TitleFont=,,,,32767)");
  cmcSheetDef def(o.store, "S", Kind::kPlain, {});
  def.Build();
  EXPECT_EQ(def.RowCount(), cmcSheetDef::kMaxRows - 1);
  EXPECT_EQ(def.CellAt(0, def.RowCount() - 1).index, 16760000 + def.RowCount() - 1);
}

}  // namespace
