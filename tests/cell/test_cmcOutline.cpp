#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cell/cmcCellIds.h"
#include "cell/cmcOutline.h"
#include "overlay/cmcGTex.h"

namespace {

using Lines = std::vector<std::string>;

struct Section {
  explicit Section(const Lines& body, const std::string& basic = "{(%CT_Null.CL_Null)(ImageIndex=3)}") {
    lines = {"#N_BasicCell", basic, "#N_Body"};
    lines.insert(lines.end(), body.begin(), body.end());
    lines.insert(lines.end(), {"#", "#End_Of_Ovl"});
    store.SetLines(lines);
  }
  Lines lines;
  cmcGTex store;
};

// Each item as its level in blanks, its caption and its parent's caption in brackets.
Lines Shape(const cmcOutline& outline) {
  Lines out;
  for (const auto& item : outline.Items()) {
    std::string parent =
        item.parent < 0 ? "" : " <" + outline.Items()[static_cast<size_t>(item.parent)].cell.CellText() + ">";
    out.push_back(std::string(static_cast<size_t>(item.level), ' ') + item.cell.CellText() + parent);
  }
  return out;
}

TEST(Outline, IndentationMakesRunsOfSubItems) {
  struct Case {
    const char* name;
    Lines body;
    Lines shape;
  };
  const Case cases[] = {
      {"a deeper second line makes a submenu of the first", {"+a", " +b", "+c"}, {"a", " b <a>", "c"}},
      {"indentation counts characters, whatever they are", {"x+a", "xyz+b", "\t\t+c"}, {"a", " b <a>", " c <a>"}},
      {"a line less deep than its run ends it, the outer run goes on",
       {"+a", "  +b", " +c", "+d"},
       {"a", " b <a>", " c <a>", "d"}},
      {"three levels", {"+a", " +b", "  +c", " +d", "+e"}, {"a", " b <a>", "  c <b>", " d <a>", "e"}},
      {"a line less deep than the first ends the body", {" +a", " +b", "+c", "+d"}, {"a", "b"}},
      {"the body ends at the first line beginning with #", {"+a", "#", "+b"}, {"a"}},
      {"an empty body", {}, {}},
  };
  for (const auto& c : cases) {
    Section s(c.body);
    const cmcOutline outline(s.store, "N");
    EXPECT_EQ(Shape(outline), c.shape) << c.name;
  }
}

TEST(Outline, FlatBodiesTakeEveryLineWhole) {
  // A tool bar hint may hold "+": a flat body never reads it as indentation.
  Section s({"{(%CL_Menu_File_New)(ImageIndex=0)}New (Ctrl+N)", "-", " +x"});
  const cmcOutline outline(s.store, "N", cmcOutline::Form::kFlat);
  EXPECT_EQ(Shape(outline), (Lines{"New (Ctrl+N)", "-", "+x"}));
  EXPECT_EQ(outline.Items()[0].cell.label, static_cast<uint32_t>(CL_Menu_File_New));
  EXPECT_EQ(outline.Children(-1), (std::vector<int>{0, 1, 2}));
}

TEST(Outline, ItemsTakeTheBasicCellsSettings) {
  Section s({"+a\t{(%CL_Menu_File_Open:Ctrl+O)}", " +b\t{(ImageIndex=5)}"});
  const cmcOutline outline(s.store, "N");
  ASSERT_EQ(outline.Items().size(), 2u);
  const auto& a = outline.Items()[0];
  EXPECT_EQ(a.cell.base, &outline.BasicCell());
  EXPECT_EQ(a.cell.label, static_cast<uint32_t>(CL_Menu_File_Open));
  EXPECT_EQ(a.cell.argument, "Ctrl+O");
  EXPECT_EQ(a.cell.imageIndex, 3) << "from the basic cell";
  EXPECT_EQ(outline.Items()[1].cell.imageIndex, 5);
  EXPECT_EQ(outline.Items()[1].line, 1);
  EXPECT_EQ(outline.Children(0), (std::vector<int>{1}));
}

}  // namespace
