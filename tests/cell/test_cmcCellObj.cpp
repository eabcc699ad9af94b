#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcFatal.h"

namespace {

// The fields a descriptor and text can set, with a fresh cell's values as defaults.
struct Fields {
  uint32_t category = kNoCategory;
  uint32_t label = kNoLabel;
  int32_t index = 0;
  std::string argument = {};
  int32_t imageIndex = -1;
  int layout = 0;
  int rule = 0;
  int mark = 0;
  uint32_t colour = kClWindow;
  std::string popupMenu = {};
  std::string text = {};
  bool operator==(const Fields&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Fields& f) {
  return os << "{cat " << f.category << ", label " << f.label << ", index " << f.index << ", arg '" << f.argument
            << "', image " << f.imageIndex << ", layout " << f.layout << ", rule " << f.rule << ", mark " << f.mark
            << ", colour " << std::hex << f.colour << std::dec << ", popup '" << f.popupMenu << "', text '" << f.text
            << "'}";
}

Fields FieldsOf(const cmcCellObj& c) {
  return {c.category, c.label, c.index,  c.argument,  c.imageIndex, c.layout,
          c.rule,     c.mark,  c.colour, c.popupMenu, c.text};
}

// Each model key followed by its line.
const std::vector<std::string> kModelLines = {
    "#CellModel_Red",   "(Color=clRed)",          //
    "#CellModel_Sel",   "S^",                     //
    "#CellModel_Outer", "($Sel)(Color=clBlue)>",  //
    "#CellModel_Loop",  "S($Loop)",               //
    "#End_Of_Ovl",
};

class CellObjTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { models.SetLines(kModelLines); }
  static inline cmcGTex models;
  cmcCellCounters counters{};
};

struct ParseCase {
  const char* name;
  const char* cell;
  Fields expected;
};

TEST_F(CellObjTest, DescriptorAndTextGiveTheFields) {
  const ParseCase cases[] = {
      {"word before the braces on red, selectable",
       "word{(Color=clRed)S}",
       {.rule = cmcCellObj::kSelectable, .colour = 0x0000FF, .text = "word"}},
      {"usual spelling of the highlight text colour", "{(Color=clHighlightText)}", {}},
      {"the table's spelling", "{(Color=clHightlightText)}", {.colour = 0xFF00000E}},
      {"unknown colour", "{(Color=clRed)(Color=Red)}", {.colour = 0x0000FF}},
      {"escaped bar shows a bar", "\\|", {.text = "|"}},
      {"negation clears what a model set", "{($Sel)!S}", {.layout = 1}},
      {"alignment is not negatable", "{>!<}", {}},
      {"negation lasts one character", "{!WH}", {.layout = cmcCellObj::kFitHeight}},
      {"layout switches, blanks ignored", "{W H + B ^ _}", {.layout = 0xF9}},
      {"rule switches", "{U S T}", {.rule = 0x19}},
      {"right rule full", "{X}", {.rule = 0x02}},
      {"right rule tick", "{YQ}", {.rule = 0x04}},
      {"right rule from the second pixel", "{XY}", {.rule = 0x06}},
      {"negated right rule sets none", "{Y!Q}", {}},
      {"vertical middle", "{_-}", {.layout = 0x04}},
      {"backslash makes a switch inert", "{\\S}", {}},
      {"flags in rule and mark bytes", "{(Flag0=1)(Flag2=1)(Flag3=1)(Flag7=1)}", {.rule = 0xA0, .mark = 0x11}},
      {"flag cleared", "{(Flag4=1)(Flag4=0)}", {}},
      {"flag digits and values out of range", "{(Flag8=1)(Flag1=2)(Flag1)}", {}},
      {"image index", "{(ImageIndex=12)}", {.imageIndex = 12}},
      {"unreadable image index", "{(ImageIndex=x)}", {}},
      {"popup menu", "{(PopupMenu=GI_PMenu_Mch)}", {.popupMenu = "GI_PMenu_Mch"}},
      {"category and label", "{(%CT_Null.CL_Misc_QuarterPillar)}", {.category = CT_Null, .label = 126}},
      {"category with an empty label", "{(%CT_PopupMenu.)}", {.category = CT_PopupMenu}},
      {"argument",
       "{(%CT_PopupMenu.CL_PMenu_Edit:Enter)}",
       {.category = CT_PopupMenu, .label = CL_PMenu_Edit, .argument = "Enter"}},
      {"without a dot the category stays", "{(%CL_FBits[3])}", {.label = CL_FBits, .index = 3}},
      {"empty category part", "{(%CT_Mch.Flex0)(%.Flex0)}", {.label = Flex0}},
      {"argument escapes", "{(%CL_PMenu_Copy:a\\)b\\\\c\\d)}", {.label = CL_PMenu_Copy, .argument = "a)b\\cd"}},
      {"dot inside the argument", "{(%CL_Mch_No[5]:1.5)}", {.label = CL_Mch_No, .index = 5, .argument = "1.5"}},
      {"index without closing bracket",
       "{(%CT_Mch.CL_Mch_No[12)}",
       {.category = CT_Mch, .label = CL_Mch_No, .index = 12}},
      {"later properties override a model", "{($Red)(Color=clBlue)}", {.colour = 0xFF0000}},
      {"a model overrides earlier properties", "{(Color=clBlue)($Red)}", {.colour = 0x0000FF}},
      {"models use models", "{($Outer)}", {.layout = 2, .rule = cmcCellObj::kSelectable, .colour = 0xFF0000}},
      {"brace groups anywhere form one descriptor", "pre{S}mid{U}post", {.rule = 0x09, .text = "premidpost"}},
      {"unclosed brace runs to the end", "a{(Color=clRed)", {.colour = 0x0000FF, .text = "a"}},
      {"unclosed property runs to the end", "{(Color=clRed", {.colour = 0x0000FF}},
      {"text escapes", "  a\\nb\\Nc\\_d\\x\\_  ", {.text = "a\nb\nc dx "}},
      {"trimming comes before escapes", "x\\ ", {.text = "x"}},
      {"inner blanks stay", "\t two  words \r", {.text = "two  words"}},
  };
  for (const auto& c : cases) {
    cmcCellObj cell;
    EXPECT_EQ(cell.ParseCell(c.cell, &counters, nullptr, &models), "") << c.name;
    EXPECT_EQ(FieldsOf(cell), c.expected) << c.name;
  }
}

TEST_F(CellObjTest, RowSplitsAtUnescapedBars) {
  const struct {
    const char* row;
    std::vector<std::string> texts;
  } cases[] = {
      {"a|b|c", {"a", "b", "c"}}, {"|a|b|", {"", "a", "b"}}, {"a\\|b|c", {"a|b", "c"}},
      {"{S}x|", {"x"}},           {"one", {"one"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> texts;
    std::string_view rest = c.row;
    do {
      cmcCellObj cell;
      rest = cell.ParseCell(rest, &counters, nullptr, &models);
      texts.push_back(cell.CellText());
    } while (!rest.empty());
    EXPECT_EQ(texts, c.texts) << c.row;
  }
}

TEST_F(CellObjTest, CountersAndExpressions) {
  cmcCellObj cell;
  cell.ParseCell("{(@ch0=5)(@ch0 ++)}\\(@ch0+10)", &counters, nullptr, &models);
  EXPECT_EQ(counters[0], 6);
  EXPECT_EQ(cell.CellText(), "16");
  EXPECT_EQ(cell.counters, nullptr) << "counters are set only while parsing";

  const struct {
    int32_t value;
    const char* text;
    const char* shown;
  } cases[] = {
      {7, "No.\\( @ch9 + 3 )", "No.10"}, {7, "\\(@ch9\t)x", "7x"}, {1234567, "\\(@ch9)", "123456"},
      {-42, "[\\(@ch9+2)]", "[-40]"},    {3, "\\(@ch9", "3"},
  };
  for (const auto& c : cases) {
    counters[9] = c.value;
    cell.ParseCell(c.text, &counters, nullptr, &models);
    EXPECT_EQ(cell.CellText(), c.shown) << c.text;
  }

  counters[2] = 11;
  cell.ParseCell("{(%CL_Mch_No[@ch2])(@ch2 = -3)}", &counters, nullptr, &models);
  EXPECT_EQ(cell.index, 11);
  EXPECT_EQ(counters[2], -3);
}

TEST_F(CellObjTest, CountOnlyResetsFromTheBaseAndAppliesNothing) {
  cmcCellObj base;
  base.ParseCell("{S(%CT_Mch.CL_Mch_No)}base", &counters, nullptr, &models);
  cmcCellObj cell;
  EXPECT_EQ(cell.ParseCell("{(@ch0++)U}own|next", &counters, &base, &models, true), "next");
  EXPECT_EQ(counters[0], 0);
  EXPECT_EQ(FieldsOf(cell), FieldsOf(base));
  EXPECT_EQ(cell.base, &base);
}

TEST_F(CellObjTest, InheritsFromTheBase) {
  cmcCellObj base;
  base.ParseCell(
      "{(%CT_DTMF.CL_Dtmf_Code[4]:arg)(ImageIndex=3)>_WSU(Flag1=1)(Flag6=1)(Color=clLime)"
      "(PopupMenu=GI_PMenu)(Font=,Tahoma,,12)}base text",
      &counters, nullptr, &models);
  cmcCellObj cell;
  cell.ParseCell("", &counters, &base, &models);
  Fields expected = FieldsOf(base);
  expected.popupMenu = "";
  expected.text = "";  // an empty display text replaces the inherited one
  EXPECT_EQ(FieldsOf(cell), expected);
  EXPECT_FALSE(cell.font.has_value());
  EXPECT_EQ(cell.PopupMenuName(), "GI_PMenu");

  cell.ParseCell("{!S}", &counters, &base, &models);
  EXPECT_FALSE(cell.Selectable());
  EXPECT_TRUE(base.Selectable());

  cmcCellObj grandChild;
  grandChild.ParseCell("{(Font=,,,%150)}x", &counters, &cell, &models);
  EXPECT_FALSE(grandChild.font.has_value() && cell.font.has_value());
  ASSERT_TRUE(grandChild.font.has_value());
  EXPECT_EQ(grandChild.font->face, cmcCellFont().face) << "the base has no font of its own";
  EXPECT_EQ(grandChild.PopupMenuName(), "GI_PMenu");

  cmcCellObj fontChild;
  fontChild.ParseCell("{(Font=,,,%150)}", &counters, &base, &models);
  ASSERT_TRUE(fontChild.font.has_value());
  EXPECT_EQ(fontChild.font->height, 18);
  EXPECT_EQ(fontChild.font->face, "Tahoma");
  EXPECT_EQ(base.font->height, 12);
}

TEST_F(CellObjTest, ScratchCellWithoutBaseKeepsCategoryAndIndex) {
  cmcCellObj cell;
  cell.ParseCell("{(%CT_Scan.CL_ScanList_Text[2]:a)(ImageIndex=1)S(Color=clRed)}t", &counters, nullptr, &models);
  cell.ParseCell("", &counters, nullptr, &models);
  EXPECT_EQ(FieldsOf(cell), (Fields{.category = CT_Scan, .index = 2}));
}

TEST_F(CellObjTest, CopyCellIsDeep) {
  cmcCellObj base;
  cmcCellObj source;
  source.ParseCell("{(%CT_Mch.CL_Mch_Text:x)(Font=,Arial)(PopupMenu=P)}text", &counters, &base, &models);
  cmcCellObj copy;
  copy.ParseCell("{(Font=,Other)}old", &counters, nullptr, &models);
  copy.CopyCell(source);
  source.font->face = "Changed";
  source.SetText("changed");
  source.argument = "y";
  EXPECT_EQ(copy.base, &base);
  EXPECT_EQ(copy.font->face, "Arial");
  EXPECT_EQ(copy.CellText(), "text");
  EXPECT_EQ(copy.argument, "x");
  EXPECT_EQ(copy.PopupMenuName(), "P");
}

TEST_F(CellObjTest, CounterMistakesAreFatal) {
  const struct {
    const char* cell;
    bool withCounters;
  } cases[] = {
      {"{(@ch0++)}", false},  // a menu item has no counters
      {"\\(@ch0)", false},   {"{(%CL_Mch_No[@ch0])}", false},
      {"{(@ch12=1)}", true}, {"{(@c1++)}", true},
      {"{(@chx++)}", true},  {"\\(@ch)", true},
      {"\\(ch1)", true},     {"{(%CL_Mch_No[@cg1])}", true},
  };
  for (const auto& c : cases) {
    EXPECT_EXIT(cmcCellObj().ParseCell(c.cell, c.withCounters ? &counters : nullptr, nullptr, &models),
                ::testing::ExitedWithCode(kFatalExitStatus), "^Ch No\\. Error\n$")
        << c.cell;
  }
}

TEST_F(CellObjTest, UnknownNamesInBindingsAreFatal) {
  EXPECT_EXIT(cmcCellObj().ParseCell("{(%CT_Nope.CL_Null)}", &counters, nullptr, &models),
              ::testing::ExitedWithCode(kFatalExitStatus), "category\\.\n'CT_Nope'");
  EXPECT_EXIT(cmcCellObj().ParseCell("{(%CT_Null.CL_Nope:x)}", &counters, nullptr, &models),
              ::testing::ExitedWithCode(kFatalExitStatus), "cell\\.\n'CL_Nope'");
  EXPECT_EXIT(cmcCellObj().ParseCell("{($Nope)}", &counters, nullptr, &models),
              ::testing::ExitedWithCode(kFatalExitStatus), "'CellModel_Nope'");
  EXPECT_EXIT(cmcCellObj().ParseCell("{($Loop)}", &counters, nullptr, &models),
              ::testing::ExitedWithCode(kFatalExitStatus),
              "^The cell model 'CellModel_Loop' is nested too deeply\\.\n$");
}

}  // namespace
