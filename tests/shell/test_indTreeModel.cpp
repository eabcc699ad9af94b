#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "overlay/cmcGTex.h"
#include "shell/indTreeModel.h"

namespace {

std::string Node(const std::string& indent, const std::string& target, const std::string& caption,
                 const std::string& extra = "") {
  return indent + "+{(%CT_Null.CallSheet:" + target + ")" + extra + "}" + caption;
}

// A tree overlay: the body lines, the bank operation line and the bank format.
struct TreeOverlay {
  explicit TreeOverlay(
      const std::vector<std::string>& body, const std::string& operation = "None",
      const std::string& bankFormat = "{(%%CT_Null.CallSheet:[St_ChBank]GI_Sheet_Mch_%s,Bank %d)}B%d") {
    lines = {"#GI_Tree_Main_BasicCell", "{(ImageIndex=2)}", "#GI_Tree_Main_Body"};
    lines.insert(lines.end(), body.begin(), body.end());
    lines.insert(lines.end(), {"#", "#GI_Tree_Branch_Mch_BankOperation", operation, "#GI_Tree_Branch_Mch_Bank",
                               bankFormat, "#GI_AppInd_Model", " LMR", " PMR", " QarnPmr", " dPMR446", "#End_Of_Ovl"});
    store.SetLines(lines);
  }
  std::vector<std::string> lines;
  cmcGTex store;
};

// Every node as its depth in blanks followed by its caption.
std::vector<std::string> Outline(const indTreeModel& tree) {
  std::vector<std::string> out;
  for (const auto& n : tree.Nodes()) out.push_back(std::string(static_cast<size_t>(n.depth), ' ') + n.caption);
  return out;
}

using Lines = std::vector<std::string>;

TEST(TreeModel, DepthRunsAsMenus) {
  struct Case {
    const char* name;
    Lines body;
    Lines outline;
  };
  const Case cases[] = {
      {"siblings and children", {"+a", " +b", " +c", "+d"}, {"a", " b", " c", "d"}},
      {"depth is the characters before '+'", {"x+a", "xyz+b", "\t\t+c", "  +d"}, {"a", " b", " c", " d"}},
      {"a shallower line ends a child run, a deeper one starts one",
       {"+a", "  +b", " +c", "+d"},
       {"a", " b", " c", "d"}},
      {"grandchildren", {"+a", " +b", "  +c", " +d", "+e"}, {"a", " b", "  c", " d", "e"}},
      {"a line shallower than the first ends the tree", {" +a", " +b", "+c", "+d"}, {"a", "b"}},
      {"an empty body", {}, {}},
  };
  for (const auto& c : cases) {
    TreeOverlay o(c.body);
    indTreeModel tree(o.store);
    tree.Build();
    EXPECT_EQ(Outline(tree), c.outline) << c.name;
  }
}

TEST(TreeModel, NodesCarryTheirCellAndTarget) {
  TreeOverlay o({Node("", "GI_Sheet_TopPage", "Top"),
                 Node(" ", "[St_Common]GI_Sheet_Common", "Common", "(ImageIndex=5)"), " +No target"});
  indTreeModel tree(o.store);
  tree.Build();
  ASSERT_EQ(tree.Nodes().size(), 3u);
  EXPECT_EQ(tree.Nodes()[1].Target(), "[St_Common]GI_Sheet_Common");
  EXPECT_EQ(tree.Nodes()[1].cell.imageIndex, 5);
  EXPECT_EQ(tree.Nodes()[0].cell.imageIndex, 2) << "inherited from the basic cell";
  EXPECT_EQ(tree.Nodes()[2].Target(), "");
  EXPECT_EQ(tree.FindByTarget("[St_Common]GI_Sheet_Common"), 1);
  EXPECT_EQ(tree.FindByTarget("GI_Sheet_Common"), -1) << "targets match exactly";
  EXPECT_EQ(tree.SubtreeEnd(0), 3);
  tree.AppendModelName(3);
  EXPECT_EQ(tree.Nodes()[0].caption, "Top dPMR446");
}

TEST(TreeModel, ClassesFollowModelAndModes) {
  const Lines body = {
      Node("", "Top", "top"),
      Node(" ", "C0", "maker", "(Flag0=1)"),
      Node("  ", "C0child", "maker child"),
      Node(" ", "C1", "lmr", "(Flag1=1)"),
      Node(" ", "C2", "pmr", "(Flag2=1)"),
      Node(" ", "C3", "qarn", "(Flag3=1)"),
      Node(" ", "C4", "not dpmr", "(Flag4=1)"),
      Node(" ", "C5", "digital", "(Flag5=1)"),
      Node(" ", "C6", "adjusted", "(Flag6=1)"),
      Node(" ", "C7", "extended", "(Flag7=1)"),
      Node(" ", "C13", "lmr and qarn", "(Flag1=1)(Flag3=1)"),
  };
  struct Case {
    const char* name;
    indTreeModel::Filter filter;
    Lines kept;  // captions below the top node
  };
  const Case cases[] = {
      {"LMR", {.modelType = 0}, {"lmr", "not dpmr"}},
      {"PMR", {.modelType = 1}, {"pmr", "not dpmr"}},
      {"QarnPmr", {.modelType = 2}, {"pmr", "qarn", "not dpmr"}},
      {"dPMR446", {.modelType = 3, .digitalByte = 0x10}, {"digital"}},
      {"types 4 and 5 count as LMR", {.modelType = 5}, {"lmr", "not dpmr"}},
      {"maker reserve mode", {.modelType = 1, .makerReserveMode = true}, {"maker", "maker child", "pmr", "not dpmr"}},
      {"adjustment data", {.modelType = 3, .adjustDataPresent = true}, {"adjusted"}},
      {"extended mode", {.modelType = 3, .extendedMode = true}, {"extended"}},
      {"digital bit on another model", {.modelType = 1, .digitalByte = 0xFF}, {"pmr", "not dpmr", "digital"}},
      {"other bits of byte 267", {.modelType = 3, .digitalByte = 0xEF}, {}},
  };
  for (const auto& c : cases) {
    TreeOverlay o(body);
    indTreeModel tree(o.store);
    tree.Build();
    tree.ApplyFilter(c.filter);
    Lines kept;
    for (size_t i = 1; i < tree.Nodes().size(); ++i) kept.push_back(tree.Nodes()[i].caption);
    EXPECT_EQ(kept, c.kept) << c.name;
  }
}

TEST(TreeModel, AClass1NodeComesBackWithTheModelType) {
  TreeOverlay o({Node("", "Top", "top"), Node(" ", "C1", "lmr", "(Flag1=1)")});
  indTreeModel tree(o.store);
  for (const int type : {0, 1, 0}) {
    tree.Build();
    tree.ApplyFilter({.modelType = type});
    EXPECT_EQ(tree.FindByTarget("C1") >= 0, type == 0) << type;
  }
}

TEST(TreeModel, BankBranches) {
  const Lines body = {Node("", "Top", "top"), Node(" ", "GI_Sheet_Memory_CH_Top", "memory"),
                      Node("  ", "Old", "replaced"), Node(" ", "After", "after")};
  const std::string operation = "{(%CT_Null.CallSheet:[St_Common]GI_Sheet_Mch_BankOperation)}Banks";
  indTreeModel::Filter f;
  f.bankNames = {"ALPHA   ", "B", std::string("C\0D", 3), "", "EIGHT CH", "F", "G", "H"};
  struct Case {
    int type;
    const char* suffix;
    int banks;
  };
  for (const Case c : {Case{0, "Lmr", 8}, Case{1, "Pmr", 8}, Case{2, "PmrB", 8}, Case{3, "DPmr446", 7}}) {
    TreeOverlay o(body, operation);
    indTreeModel tree(o.store);
    tree.Build();
    f.modelType = c.type;
    tree.ApplyFilter(f);
    Lines expected = {"top", " memory", "  Banks"};
    const char* labels[] = {"1: ALPHA", "2: B", "3: C", "4:", "5: EIGHT CH", "6: F", "7: G", "8: H"};
    for (int b = 0; b < c.banks; ++b) expected.push_back(std::string("  ") + labels[b]);
    expected.push_back(" after");
    EXPECT_EQ(Outline(tree), expected) << c.type;
    const auto& last = tree.Nodes()[static_cast<size_t>(2 + c.banks)];
    EXPECT_EQ(last.Target(),
              "[St_ChBank]GI_Sheet_Mch_" + std::string(c.suffix) + ",Bank " + std::to_string(c.banks - 1));
    EXPECT_EQ(indTreeModel::BankOfNode(last), c.banks - 1);
  }
  // Without banks in use one node for bank 0 keeps the format's caption.
  f.modelType = 0;
  TreeOverlay none(body, "None");
  indTreeModel tree(none.store);
  tree.Build();
  tree.ApplyFilter(f);
  EXPECT_EQ(Outline(tree), (Lines{"top", " memory", "  B0", " after"}));
  EXPECT_EQ(tree.Nodes()[2].Target(), "[St_ChBank]GI_Sheet_Mch_Lmr,Bank 0");
  // A tree without the memory channel node gets no branch.
  TreeOverlay bare({Node("", "Top", "top")}, operation);
  indTreeModel plain(bare.store);
  plain.Build();
  plain.ApplyFilter(f);
  EXPECT_EQ(Outline(plain), (Lines{"top"}));
}

TEST(TreeModel, DigitalTimerNodeRule) {
  // The timer node is of class 7, so the filter always removes it; the digital bit brings
  // it back as the last child of the node before the progress message node.
  const Lines body = {
      Node("", "Top", "top"),
      Node(" ", "GI_Sheet_Dig_Status", "digital", "(Flag5=1)"),
      Node("  ", "GI_Sheet_Dig_ProgMes", "messages", "(Flag5=1)"),
      Node("  ", "GI_Sheet_Dig_Other", "other", "(Flag5=1)"),
      Node("  ", "GI_Sheet_Dig_Tim", "timers", "(Flag7=1)"),
      Node(" ", "Tail", "tail"),
  };
  struct Case {
    const char* name;
    Lines body;
    uint8_t digital;
    Lines outline;
  };
  Lines noProgMes = body;
  noProgMes[2] = Node("  ", "GI_Sheet_Dig_Messages", "messages", "(Flag5=1)");
  Lines kept = body;
  kept[4] = Node("  ", "GI_Sheet_Dig_Tim", "timers", "(Flag5=1)");
  Lines first = {Node("", "GI_Sheet_Dig_ProgMes", "messages"), Node("", "GI_Sheet_Dig_Tim", "timers", "(Flag7=1)")};
  const Case cases[] = {
      {"bit set", body, 0x10, {"top", " digital", "  messages", "  other", "  timers", " tail"}},
      {"bit clear", body, 0x00, {"top", " tail"}},
      {"no progress message node", noProgMes, 0x10, {"top", " digital", "  messages", "  other", " tail"}},
      {"a timer node already there", kept, 0x10, {"top", " digital", "  messages", "  other", "  timers", " tail"}},
      {"no node before the progress message node", first, 0x10, {"messages"}},
  };
  for (const auto& c : cases) {
    TreeOverlay o(c.body);
    indTreeModel tree(o.store);
    tree.Build();
    tree.ApplyFilter({.modelType = 3, .digitalByte = c.digital});
    EXPECT_EQ(Outline(tree), c.outline) << c.name;
  }
}

TEST(TreeModel, RelabelReachesEveryNodeOfTheBank) {
  TreeOverlay o({Node("", "[St_ChBank]GI_Sheet_Mch_Lmr,Bank 2", "a"),
                 Node("", "[St_ChBank]GI_Sheet_Mch_Pmr,Bank  2", "b"),
                 Node("", "[St_ChBank]GI_Sheet_Mch_Lmr,Bank 12", "c"), Node("", "GI_Sheet_Mch_Lmr,Bank 2", "d"),
                 Node("", "[St_ChBank]GI_Sheet_Mch_Lmr,Bonk 2", "e")});
  indTreeModel tree(o.store);
  tree.Build();
  tree.RelabelBank(2, "3: NAME");
  EXPECT_EQ(Outline(tree), (Lines{"3: NAME", "3: NAME", "c", "d", "e"}));
}

// Every node's mark as a letter: '.' none, 'w' warning, 'e' error.
std::string Marks(const indTreeModel& tree) {
  std::string marks;
  for (const auto& n : tree.Nodes())
    marks += n.mark == indTreeModel::kErrorMark ? 'e' : n.mark == indTreeModel::kWarningMark ? 'w' : '.';
  return marks;
}

TEST(TreeModel, MarksMoveToTheCollapsedAncestor) {
  // top (expanded by Build) > a > a1 > a11, top > b; c > c1
  const Lines body = {Node("", "Top", "top"), Node(" ", "A", "a"), Node("  ", "A1", "a1"), Node("   ", "A11", "a11"),
                      Node(" ", "B", "b"),    Node("", "C", "c"),  Node(" ", "C1", "c1")};
  using Strings = std::vector<std::string>;
  struct Case {
    const char* name;
    Strings expanded;  // targets expanded besides the top node
    Strings errors, warnings;
    const char* marks;
  };
  const Case cases[] = {
      {"a listed node in an open branch marks itself", {"A", "A1"}, {}, {"A11"}, "...w..."},
      {"every collapsed ancestor takes the mark", {}, {}, {"A11"}, ".www..."},
      {"expanding moves the mark down a level", {"A"}, {}, {"A11"}, "..ww..."},
      {"two branches", {}, {}, {"A11", "C1"}, ".www.ww"},
      {"an error replaces a warning on the same node", {"A", "A1"}, {"B"}, {"B", "A11"}, "...we.."},
      {"an error below wins over a warning on the collapsed node", {}, {"A1"}, {"A"}, ".ee...."},
      {"a collapsed top-level node", {}, {}, {"C1"}, ".....ww"},
      {"nothing listed", {}, {}, {}, "......."},
  };
  for (const auto& c : cases) {
    TreeOverlay o(body);
    indTreeModel tree(o.store);
    tree.Build();
    for (const auto& t : c.expanded) tree.SetExpanded(tree.FindByTarget(t), true);
    tree.ApplyMarks(c.errors, c.warnings);
    EXPECT_EQ(Marks(tree), c.marks) << c.name;
  }
  // The marks are recomputed from scratch: expanding and marking again leaves nothing behind.
  TreeOverlay o(body);
  indTreeModel tree(o.store);
  tree.Build();
  tree.ApplyMarks({}, {"A11"});
  EXPECT_FALSE(tree.Visible(tree.FindByTarget("A11")));
  tree.SetExpanded(tree.FindByTarget("A"), true);
  tree.SetExpanded(tree.FindByTarget("A1"), true);
  tree.ApplyMarks({}, {"A11"});
  EXPECT_EQ(Marks(tree), "...w...");
  EXPECT_TRUE(tree.Visible(tree.FindByTarget("A11")));
}

TEST(TreeModel, FilteringMovesTheSelectionOffARemovedNode) {
  const Lines body = {Node("", "Top", "top"), Node(" ", "C1", "lmr", "(Flag1=1)"), Node("  ", "C1a", "lmr child"),
                      Node(" ", "Next", "next"), Node(" ", "Last", "last")};
  struct Case {
    const char* name;
    const char* selected;
    int type;
    const char* after;
  };
  const Case cases[] = {
      {"a kept node stays selected", "Next", 1, "Next"},
      {"a node after the removed run keeps its node", "Last", 1, "Last"},
      {"a removed node passes the selection to the node after it", "C1", 1, "Next"},
      {"so does a removed child", "C1a", 1, "Next"},
      {"nothing removed", "C1a", 0, "C1a"},
  };
  for (const auto& c : cases) {
    TreeOverlay o(body);
    indTreeModel tree(o.store);
    tree.Build();
    tree.Select(tree.FindByTarget(c.selected));
    tree.ApplyFilter({.modelType = c.type});
    ASSERT_GE(tree.Selected(), 0) << c.name;
    EXPECT_EQ(tree.Nodes()[static_cast<size_t>(tree.Selected())].Target(), c.after) << c.name;
  }
}

TEST(TreeModel, BankIconsFollowFlagAndCount) {
  TreeOverlay o({Node("", "Top", "top"), Node(" ", "GI_Sheet_Memory_CH_Top", "memory")},
                "{(%CT_Null.CallSheet:[St_Common]GI_Sheet_Mch_BankOperation)(ImageIndex=3)}Banks");
  indTreeModel tree(o.store);
  tree.Build();
  tree.ApplyFilter({.modelType = 0});
  tree.SetBankIcons({false, false, true, true, false, false, false, false},
                    {false, true, false, true, false, false, false, false});
  std::vector<int> icons;
  for (const auto& n : tree.Nodes()) icons.push_back(n.icon);
  EXPECT_EQ(icons, (std::vector<int>{2, 2, 3, 4, 5, 6, 7, 4, 4, 4, 4})) << "the operation node keeps its own";
}

TEST(TreeModel, Helpers) {
  EXPECT_EQ(indTreeModel::FillFormat("a%sb%dc%%d%x%", "Lmr", 7), "aLmrb7c%d%x%");
  EXPECT_EQ(indTreeModel::FillFormat("%d-%d", "", 3), "3-3");
  EXPECT_EQ(indTreeModel::BankLabel(0, "ALPHA   "), "1: ALPHA");
  EXPECT_EQ(indTreeModel::BankLabel(7, std::string("AB\0CD", 5)), "8: AB");
  EXPECT_EQ(indTreeModel::BankLabel(1, "        "), "2:");
  EXPECT_EQ(indTreeModel::BankLabel(2, "NINECHARS"), "3: NINECHAR");
}

}  // namespace
