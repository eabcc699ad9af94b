// The modes the command line turns on, seen through the main window: maker reserve
// asks first, then shows the maker branch of the tree and its status panel; factory
// adjustment puts the full tool bar and the adjustment read in place.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QToolBar>
#include <QTreeWidgetItem>

#include "shell/indModeSwitches.h"
#include "shell/ui/cuiMakerPanel.h"
#include "shell/ui/cuiTree.h"
#include "support/DesktopRig.h"

namespace {

bool TreeShows(cuiMainWindow& w, const QString& caption) {
  return !w.Tree()->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive).isEmpty();
}

TEST(Modes, MakerReserveAsksThenShowsTheMakerBranchAndItsStatusPanel) {
  DesktopRig rig;
  cuiMainWindow& w = rig.Build();
  const std::vector<std::string> arguments = {"/opt/rx93kit/bin/rx93kit", "/ZlkMakr"};
  EXPECT_FALSE(TreeShows(w, "Maker"));
  EXPECT_EQ(w.findChild<cuiMakerPanel*>("StatusMaker"), nullptr);

  rig.p.prompts.asked.clear();
  rig.p.prompts.answers = {cmcPromptAnswer::Cancel};
  w.EnterModes(arguments);
  rig.Settle();
  ASSERT_EQ(rig.p.prompts.asked.size(), 1u);
  EXPECT_EQ(rig.p.prompts.asked[0].text, rig.p.mainOverlay.GetText("GI_Mess_Maker_Caution"));
  EXPECT_EQ(rig.p.prompts.asked[0].buttons, cmcPromptButtons::OkCancel);
  EXPECT_EQ(rig.p.prompts.asked[0].icon, cmcPromptIcon::Warning);
  EXPECT_FALSE(rig.p.main.makerReserveMode) << "Cancel leaves the mode off";
  EXPECT_FALSE(TreeShows(w, "Maker"));
  EXPECT_EQ(w.findChild<cuiMakerPanel*>("StatusMaker"), nullptr);

  w.EnterModes(arguments);  // confirmed
  rig.Settle();
  EXPECT_TRUE(rig.p.main.makerReserveMode);
  EXPECT_TRUE(TreeShows(w, "Maker"));
  EXPECT_TRUE(TreeShows(w, "Guided adjustment"));
  EXPECT_NE(rig.Shown(), "") << "a sheet is shown again after the tree's rebuild";
  auto* panel = w.findChild<cuiMakerPanel*>("StatusMaker");
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(panel->isVisibleTo(&w));
  EXPECT_EQ(panel->Text(), "Maker mode");
  const QFontMetrics metrics = panel->fontMetrics();
  EXPECT_EQ(panel->width(), metrics.horizontalAdvance("Maker mode") + metrics.horizontalAdvance("XX"));
  const QWidget* corner = w.findChild<QWidget*>("StatusCorner");
  EXPECT_LT(panel->x(), corner->x()) << "inserted before the last panel";
  EXPECT_GE(w.findChild<QWidget*>("StatusText")->width(), 100);
  const QImage look = panel->grab().toImage();
  EXPECT_EQ(look.pixelColor(1, look.height() / 2), QColor(128, 0, 0));

  // On already: no second caution, no second panel.
  w.EnterModes(arguments);
  EXPECT_EQ(rig.p.prompts.asked.size(), 2u);
  EXPECT_EQ(w.findChildren<cuiMakerPanel*>().size(), 1);
}

TEST(Modes, FactoryAdjustmentPutsTheFullToolBarAndTheAdjustmentReadInPlace) {
  DesktopRig rig;
  cuiMainWindow& w = rig.Build();
  auto* full = w.findChild<QToolBar*>("GI_ToolBar_Main");
  auto* limited = w.findChild<QToolBar*>("GI_ToolBar_Main_Limited");
  ASSERT_TRUE(full && limited);
  QAction* adRead = w.menuBar()->findChild<QAction*>("CL_Menu_Ad_Read");
  ASSERT_NE(adRead, nullptr);
  EXPECT_TRUE(full->isHidden());
  EXPECT_FALSE(limited->isHidden());
  EXPECT_FALSE(adRead->isVisible());

  rig.p.prompts.asked.clear();
  w.EnterModes({"rx93kit", "/ZLKFACTORYADJUSTMENTENABLE"});
  rig.Settle();
  ASSERT_EQ(rig.p.prompts.asked.size(), 1u);
  EXPECT_EQ(rig.p.prompts.asked[0].text, rig.p.mainOverlay.GetText("GI_Mess_FactADJMode_Caution"));
  EXPECT_TRUE(rig.p.main.factoryAdjustMode);
  EXPECT_FALSE(full->isHidden()) << "the full tool bar replaces the limited one";
  EXPECT_TRUE(limited->isHidden());
  EXPECT_NE(full->findChild<QAction*>("CL_Menu_Ad_Read"), nullptr);
  EXPECT_TRUE(adRead->isVisible()) << "the adjustment read is shown";
  EXPECT_FALSE(rig.p.main.makerReserveMode);
  EXPECT_EQ(w.findChild<cuiMakerPanel*>("StatusMaker"), nullptr);
}

}  // namespace
