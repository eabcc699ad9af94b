// The memory channel window through its widgets: it opens with a bank sheet when it is
// wanted, its sheet in the memory channel pane; its next and previous buttons move the
// bank sheet's cursor and it follows the bank sheet's cursor; its close button closes
// it for good, and it comes back where it was left. Also the screenshot of the main
// window with the memory channel pane.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include "channel/datChBank.h"
#include "sheet/ui/cuiSheet.h"
#include "shell/indMain.h"
#include "shell/ui/cuiMchWin.h"
#include "shell/ui/cuiPaneArea.h"
#include "shell/ui/cuiTree.h"
#include "support/DesktopRig.h"
#include "support/ScreenshotSave.h"

namespace {

// The main window on the first bank sheet with the memory channel window wanted.
struct OnBankSheet {
  explicit OnBankSheet(int modelType = -1) {
    rig.p.environ.pHelpView = 0;
    rig.p.environ.mchView = 1;
    rig.p.environ.winWidth = 1180;
    rig.p.environ.winHeight = 720;
    rig.Build();
    if (modelType >= 0) {
      rig.p.main.ChangeModelType(modelType, true);
      rig.Settle();
    }
    OpenBank();
  }
  // Through the tree, as the user opens it.
  void OpenBank() {
    const std::string ref =
        std::string("[St_ChBank]GI_Sheet_Mch_") + indMain::NameSuffixOf(rig.p.main.ModelType()) + ",Bank 0";
    cuiTree& tree = *rig.window->Tree();
    tree.setCurrentItem(tree.ItemOf(rig.Host().Tree()->FindByTarget(ref)));
    rig.Settle();
    ASSERT_EQ(rig.Shown(), ref);
  }
  cuiMainWindow& Window() { return *rig.window; }
  cmcSheetModel& Bank() { return *rig.Host().Current()->model; }
  indMchWin& Win() { return *Window().MchWin()->Model(); }
  void Click(const char* button) {
    auto* b = Window().MchWin()->findChild<QPushButton*>(button);
    ASSERT_NE(b, nullptr) << button;
    QTest::mouseClick(b, Qt::LeftButton);
    rig.Settle();
  }
  DesktopRig rig;
};

TEST(MchWin, OpensWithTheBankSheetItsSheetInTheMemoryChannelPane) {
  OnBankSheet on;
  cuiMainWindow& w = on.Window();
  ASSERT_NE(w.MchWin(), nullptr);
  EXPECT_TRUE(w.MchWin()->isVisible());
  auto* sheet = w.findChild<cuiSheet*>("MchSheet");
  ASSERT_NE(sheet, nullptr);
  EXPECT_TRUE(w.Panes()->Pane(indPaneLayout::kMch)->isAncestorOf(sheet));
  EXPECT_TRUE(sheet->isVisible());
  EXPECT_EQ(sheet->Model(), &on.Win().Sheet());
  EXPECT_EQ(on.Win().Bank(), 0);
  EXPECT_EQ(on.Win().Channel(), 0) << "the channel the bank sheet's cursor is on";
}

TEST(MchWin, ItsButtonsMoveTheBankSheetAndItFollowsTheBankSheet) {
  OnBankSheet on;
  ASSERT_NE(on.Window().MchWin(), nullptr);
  cmcSheetModel& bank = on.Bank();
  const int col = bank.Col();
  const int first = bank.Row();
  on.Click("MchWinNext");
  EXPECT_EQ(on.Win().Channel(), 1);
  EXPECT_EQ(bank.Row(), first + 1) << "the bank sheet's cursor follows the button";
  on.Click("MchWinNext");
  on.Click("MchWinPrevious");
  EXPECT_EQ(on.Win().Channel(), 1);
  EXPECT_EQ(bank.Row(), first + 1);
  // The window follows the bank sheet's cursor.
  ASSERT_TRUE(bank.MoveTo(col, first + 3));
  EXPECT_EQ(on.Win().Channel(), 3);
  // At the bank's first and last channels the buttons do nothing.
  const int last = datChBank(&on.rig.p.main.Working(), &on.rig.p.main.Initial()).BankLast(0);
  ASSERT_TRUE(bank.MoveTo(col, first + last));
  on.Click("MchWinNext");
  EXPECT_EQ(on.Win().Channel(), last);
  EXPECT_EQ(bank.Row(), first + last);
  ASSERT_TRUE(bank.MoveTo(col, first));
  on.Click("MchWinPrevious");
  EXPECT_EQ(on.Win().Channel(), 0);
  EXPECT_EQ(bank.Row(), first);
}

TEST(MchWin, CloseTurnsItsViewOffAndItComesBackWhereItWasLeft) {
  OnBankSheet on;
  cuiMainWindow& w = on.Window();
  ASSERT_NE(w.MchWin(), nullptr);
  const std::string name = on.Win().SheetName();
  cmcSheetModel& sheet = on.Win().Sheet();
  int row = sheet.RowCount() / 2;
  while (row < sheet.RowCount() && !sheet.MoveTo(1, row)) ++row;
  ASSERT_LT(row, sheet.RowCount()) << "a value cell below the first rows";
  const cmcSheetModel::Position at = sheet.CurrentPosition();
  w.MchWin()->setFloating(true);
  w.MchWin()->move(120, 40);
  const QRect placed = w.MchWin()->geometry();
  on.Click("MchWinClose");
  EXPECT_EQ(w.MchWin(), nullptr);
  EXPECT_EQ(on.rig.p.environ.mchView, 0);
  EXPECT_FALSE(w.Panes()->Pane(indPaneLayout::kMch)->isVisibleTo(w.Panes())) << "state 5";
  EXPECT_EQ(w.findChild<cuiSheet*>("MchSheet"), nullptr);
  ASSERT_NE(on.rig.p.environ.GetWindowRecord(name), nullptr);

  // Wanted again through the View menu: it floats where it was and its sheet is where
  // it was left.
  auto* view = w.findChild<QAction*>("CL_Menu_View_MchWin");
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(view->isChecked());
  view->trigger();
  on.rig.Settle();
  EXPECT_EQ(on.rig.p.environ.mchView, 1);
  ASSERT_NE(w.MchWin(), nullptr);
  EXPECT_TRUE(w.MchWin()->isFloating());
  EXPECT_EQ(w.MchWin()->geometry(), placed);
  EXPECT_EQ(on.Win().Sheet().Col(), at.col);
  EXPECT_EQ(on.Win().Sheet().Row(), at.row);
}

TEST(MchWin, TheCheckBoxIsOptionBitZero) {
  OnBankSheet on;
  auto* box = on.Window().MchWin()->findChild<QAbstractButton*>("MchWinOnTop");
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(box->isChecked());
  box->click();
  EXPECT_EQ(on.rig.p.environ.dockFloatCheck & 1, 1);
  on.Window().MchWin()->setFloating(true);
  EXPECT_TRUE(on.Window().MchWin()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  box->click();
  EXPECT_EQ(on.rig.p.environ.dockFloatCheck & 1, 0);
  EXPECT_FALSE(on.Window().MchWin()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST(Screenshots, MainWindowWithTheMemoryChannelPane) {
  OnBankSheet on(0);
  ASSERT_NE(on.Window().MchWin(), nullptr);
  on.Click("MchWinNext");
  // The bank sheet a little taller than at a first run, as a user leaves it.
  cuiPaneArea& panes = *on.Window().Panes();
  auto* splitter = panes.findChild<QWidget*>("UpperSplitter");
  const QPoint grab(10, 1);
  QTest::mousePress(splitter, Qt::LeftButton, {}, grab);
  QMouseEvent move(QEvent::MouseMove, QPointF(grab.x(), grab.y() + panes.height() / 5), QPointF(), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(splitter, &move);
  QTest::mouseRelease(splitter, Qt::LeftButton, {}, grab);
  on.rig.Settle();
  screenshots::Save(on.Window(), "main-window-mch-pane");
}

}  // namespace
