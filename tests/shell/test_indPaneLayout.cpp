#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "runtime/cmcMemoryInstanceGuard.h"
#include "runtime/cmcMemorySettingsStore.h"
#include "shell/indEnviron.h"
#include "shell/indPaneLayout.h"

namespace {

using Layout = indPaneLayout;
using C = indPaneLayout::Conditions;

// A first run: every pane height setting is 0.
struct FirstRun {
  cmcMemorySettingsStore store;
  cmcMemoryInstanceGuard guard{std::make_shared<cmcMemoryInstanceGuard::Registry>()};
  indEnviron environ{indEnviron::kMutexName, indEnviron::kUserKey, indEnviron::kMachineKey, store, guard,
                     {0, 0, 1280, 1024}};
  indPaneLayout layout{environ};
  const indPaneLayout::Geometry& panes = layout.Panes();

  int Sheet() const { return panes.height[Layout::kSheet]; }
  int Mch() const { return panes.height[Layout::kMch]; }
  int Help() const { return panes.height[Layout::kHelp]; }
  // The shown panes and splitters add up to the right panel.
  int Stacked() const {
    int sum = (panes.upperSplitter ? Layout::kSplitter : 0) + (panes.lowerSplitter ? Layout::kSplitter : 0);
    for (size_t p = 0; p < 3; ++p) sum += panes.shown[p] ? panes.height[p] : 0;
    return sum;
  }
};

constexpr C kTopPage{.bankSheet = false, .cellHelp = false, .helpView = true, .mchView = true};
constexpr C kHelpSheet{.bankSheet = false, .cellHelp = true, .helpView = true, .mchView = true};
constexpr C kBankWithMch{.bankSheet = true, .cellHelp = true, .helpView = false, .mchView = true};
constexpr C kBankWithBoth{.bankSheet = true, .cellHelp = true, .helpView = true, .mchView = true};

TEST(PaneLayout, SevenStates) {
  struct Case {
    C conditions;
    int state;
    const char* shown;  // sheet, memory channel, help: 'F' fills the rest, 'x' fixed, '-' hidden
    bool upper, lower;
  };
  const Case cases[] = {
      {{false, false, false, false}, 1, "F--", false, false}, {{false, false, true, true}, 1, "F--", false, false},
      {{false, true, true, false}, 2, "F-x", false, true},    {{true, true, true, false}, 3, "F-x", false, true},
      {{true, true, true, true}, 4, "xFx", true, true},       {{true, true, false, false}, 5, "F--", false, false},
      {{true, true, false, true}, 6, "xF-", true, false},     {{false, true, false, true}, 7, "F--", false, false},
      {{true, false, false, true}, 6, "xF-", true, false},  // the bank sheet alone decides
  };
  for (const auto& c : cases) {
    FirstRun f;
    f.layout.Create(900);
    EXPECT_TRUE(f.layout.Idle(c.conditions));
    EXPECT_EQ(f.layout.State(), c.state);
    std::string shown;
    for (size_t p = 0; p < 3; ++p) shown += !f.panes.shown[p] ? '-' : static_cast<int>(p) == f.panes.fill ? 'F' : 'x';
    EXPECT_EQ(shown, c.shown) << c.state;
    EXPECT_EQ(f.panes.upperSplitter, c.upper) << c.state;
    EXPECT_EQ(f.panes.lowerSplitter, c.lower) << c.state;
    EXPECT_EQ(f.Stacked(), 900) << c.state;
    EXPECT_FALSE(f.layout.Idle(c.conditions)) << "the same state is not arranged again";
  }
}

TEST(PaneLayout, FirstRunGivesTheSheetAQuarter) {
  FirstRun f;
  f.layout.Create(800);
  f.layout.Idle(kBankWithMch);
  EXPECT_EQ(f.Sheet(), 200);
  EXPECT_EQ(f.Mch(), 800 - 200 - Layout::kSplitter);
  EXPECT_EQ(f.environ.sMemWinHeightWithMCH, 200);
  EXPECT_EQ(f.environ.sMchWinHeight, 597);
  EXPECT_EQ(f.panes.Top(Layout::kMch), 203);
}

TEST(PaneLayout, ADraggedSplitterIsRememberedPerState) {
  FirstRun f;
  f.layout.Create(800);
  f.layout.Idle(kBankWithMch);
  f.layout.DragSplitter(Layout::Splitter::kUpper, 300);
  EXPECT_EQ(f.Sheet(), 300);
  EXPECT_EQ(f.environ.sMemWinHeightWithMCH, 200) << "recorded by the next idle pass";
  f.layout.Idle(kBankWithMch);
  EXPECT_EQ(f.environ.sMemWinHeightWithMCH, 300);
  f.layout.Idle(kTopPage);
  EXPECT_EQ(f.Sheet(), 800);
  f.layout.Idle(kBankWithMch);
  EXPECT_EQ(f.Sheet(), 300);
  // A splitter leaves 90 pixels on either side.
  f.layout.DragSplitter(Layout::Splitter::kUpper, 10);
  EXPECT_EQ(f.Sheet(), Layout::kMinPane);
  f.layout.DragSplitter(Layout::Splitter::kUpper, 790);
  EXPECT_EQ(f.Mch(), Layout::kMinPane);
  f.layout.DragSplitter(Layout::Splitter::kLower, 100) /* no lower splitter in state 6 */;
  EXPECT_EQ(f.Mch(), Layout::kMinPane);
}

TEST(PaneLayout, ShrinkingStateFourKeepsTheLowerPanes) {
  for (const bool idleBetween : {true, false}) {
    FirstRun f;
    f.layout.Create(900);
    f.layout.Idle(kBankWithBoth);
    const int sheetBefore = f.Sheet();
    for (int r = 890; r >= 250; r -= 10) {
      f.layout.Resize(r, kBankWithBoth);
      if (idleBetween) f.layout.Idle(kBankWithBoth);
      ASSERT_GE(f.Mch(), 89) << r;
      ASSERT_GE(f.Help(), 89) << r;
      ASSERT_EQ(f.Stacked(), r) << r;
    }
    f.layout.Idle(kBankWithBoth);
    EXPECT_EQ(f.Mch(), 89) << idleBetween;
    EXPECT_EQ(f.Help(), 89) << idleBetween;
    EXPECT_LT(f.Sheet(), sheetBefore) << idleBetween;
    EXPECT_EQ(f.Stacked(), 250) << idleBetween;
  }
}

TEST(PaneLayout, AZeroHeightFallsBackToTheDefaultSplit) {
  FirstRun f;
  f.layout.Create(0);  // the panes made before the window has a size
  f.layout.Resize(900, {});
  f.layout.Idle(kBankWithBoth);
  EXPECT_EQ(f.Sheet(), 900 / 4);
  EXPECT_EQ(f.Help(), 900 / 9 * 2);
  EXPECT_EQ(f.Stacked(), 900);
  // Coming from state 1 into a right panel too small for the remembered heights.
  f.layout.Idle(kTopPage);
  f.layout.Resize(400, kTopPage);
  f.layout.Idle(kTopPage);
  f.layout.Idle(kBankWithBoth);
  EXPECT_EQ(f.Sheet(), 100);
  EXPECT_EQ(f.Help(), 88);
}

TEST(PaneLayout, HelpViewOffTurnsStateTwoIntoSeven) {
  FirstRun f;
  f.layout.Create(900);
  f.layout.Idle(kHelpSheet);
  EXPECT_EQ(f.layout.State(), 2);
  EXPECT_TRUE(f.panes.shown[Layout::kHelp]);
  C off = kHelpSheet;
  off.helpView = false;
  f.layout.Idle(off);
  EXPECT_EQ(f.layout.State(), 7);
  EXPECT_FALSE(f.panes.shown[Layout::kHelp]);
  EXPECT_EQ(f.Sheet(), 900);
}

TEST(PaneLayout, ASmallerWindowLeavesTheGivingPaneNinetyPixels) {
  struct Case {
    const char* name;
    C conditions;
    Layout::Pane giving;
  };
  const Case cases[] = {
      {"state 2: the sheet above the help pane", kHelpSheet, Layout::kSheet},
      {"state 6: the memory channel pane under the sheet", kBankWithMch, Layout::kMch},
  };
  for (const auto& c : cases) {
    FirstRun f;
    f.layout.Create(900);
    f.layout.Idle(c.conditions);
    f.layout.Resize(150, c.conditions);
    EXPECT_EQ(f.layout.State(), 0) << c.name;
    f.layout.Idle(c.conditions);
    EXPECT_EQ(f.panes.height[c.giving], Layout::kMinPane) << c.name;
    EXPECT_EQ(f.Stacked(), 150) << c.name;
  }
  // Without a bank sheet or cell help a resize changes nothing but the sheet pane.
  FirstRun f;
  f.layout.Create(900);
  f.layout.Idle(kTopPage);
  f.layout.Resize(500, kTopPage);
  EXPECT_EQ(f.layout.State(), 1);
  EXPECT_EQ(f.Sheet(), 500);
}

TEST(PaneLayout, StoredHeightsComeBackOnTheNextRun) {
  FirstRun f;
  f.environ.sMemWinHeightWithMCH = 333;
  f.environ.dockMemWinHeight = 120;
  f.layout.Create(800);
  EXPECT_EQ(f.Sheet(), 120);
  EXPECT_EQ(f.layout.Remembered().sheetWithMch, 333);
  EXPECT_EQ(f.layout.Remembered().sheetAlone, 120) << "an unknown height takes the pane's";
  f.layout.Idle(kBankWithMch);
  EXPECT_EQ(f.Sheet(), 333);
}

}  // namespace
