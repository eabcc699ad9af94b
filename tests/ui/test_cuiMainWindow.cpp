// The main window offscreen over the program's objects: what start-up shows (tree,
// first sheet, status bar, panes), the left panel's width, the bounds kept on the work
// area, the caption following the file and its modified state, the close sequence,
// and the opening window's ways of closing.
#include <gtest/gtest.h>

#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QTreeWidgetItem>

#include "runtime/cmcEvCodes.h"
#include "sheet/ui/cuiSheet.h"
#include "shell/ui/cuiOpeningWindow.h"
#include "shell/ui/cuiPaneArea.h"
#include "shell/ui/cuiStatusBar.h"
#include "shell/ui/cuiTree.h"
#include "support/DesktopRig.h"

namespace {

TEST(MainWindow, StartShowsTheTreeTheFirstSheetAndTheStatusBar) {
  DesktopRig rig;
  cuiMainWindow& w = rig.Build();
  EXPECT_TRUE(w.isVisible());
  ASSERT_NE(w.Tree(), nullptr);
  EXPECT_GT(w.Tree()->topLevelItemCount(), 0);
  EXPECT_EQ(w.Tree()->currentItem(), w.Tree()->ItemOf(0)) << "the first node is selected";
  EXPECT_EQ(rig.Shown(), rig.Host().Tree()->Nodes()[0].Target());
  EXPECT_EQ(w.Sheet()->Model(), rig.Host().Current()->model.get()) << "the sheet pane shows the host's sheet";
  EXPECT_TRUE(w.Sheet()->isVisibleTo(&w));
  EXPECT_TRUE(w.Panes()->Pane(indPaneLayout::kSheet)->isVisibleTo(&w));
  ASSERT_NE(w.Status(), nullptr);
  EXPECT_TRUE(w.Status()->isVisibleTo(&w));
  EXPECT_EQ(w.findChild<QWidget*>("StatusCorner")->width(), w.Status()->height());
  EXPECT_GE(w.findChild<QWidget*>("StatusText")->width(), cuiStatusBar::kMinTextPanel);
  // The first node's caption carries the model name.
  EXPECT_TRUE(w.Tree()->ItemOf(0)->text(0).endsWith(
      QString::fromStdString(rig.p.mainOverlay.GetLine("GI_AppInd_Model", rig.p.main.ModelType()))));
}

TEST(MainWindow, StatusBarShowsWhatEvent4Says) {
  DesktopRig rig;
  cuiMainWindow& w = rig.Build();
  EXPECT_EQ(w.Status()->Text(), "");
  rig.p.events.SendText(kEvStatusText, 0x000000FF, 0x00FFFFFF, "3 channels copied");
  EXPECT_EQ(w.Status()->Text(), "3 channels copied");
  const QImage panel = w.findChild<QWidget*>("StatusText")->grab().toImage();
  EXPECT_EQ(panel.pixelColor(1, panel.height() / 2), QColor(255, 255, 255)) << "the background colour";
}

TEST(MainWindow, ADroppedCloneFileOpens) {
  DesktopRig rig;
  cuiMainWindow& w = rig.Build();
  const std::string path = rig.p.SaveVariant(rig.dir, "DROPPED.QCL", [](cmcEeprom&) {});
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&w, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&w, &drop);
  EXPECT_EQ(rig.p.main.FileName(), path);
  EXPECT_TRUE(w.windowTitle().startsWith("DROPPED.QCL"));
}

TEST(MainWindow, LeftPanelTakesTheStoredWidthButAtLeastEight) {
  const struct { int stored, width; } cases[] = {{0, 8}, {3, 8}, {180, 180}, {250, 250}};
  for (const auto& c : cases) {
    DesktopRig rig;
    rig.p.environ.splitterV = c.stored;
    cuiMainWindow& w = rig.Build();
    EXPECT_EQ(w.LeftPanel()->width(), c.width) << c.stored;
  }
}

TEST(MainWindow, BoundsStayOnTheWorkArea) {
  DesktopRig rig;
  const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
  rig.p.environ.winLeft = work.right() + 5000;
  rig.p.environ.winTop = work.top() - 300;
  rig.p.environ.winWidth = 640;
  rig.p.environ.winHeight = 480;
  cuiMainWindow& w = rig.Build();
  EXPECT_LE(w.x(), work.left() + work.width() - 16);
  EXPECT_EQ(w.y(), work.top()) << "the top is never above the work area";
  EXPECT_EQ(w.size(), QSize(640, 480));
}

TEST(MainWindow, CaptionFollowsTheFileAndItsModifiedState) {
  DesktopRig rig;
  cuiMainWindow& w = rig.Build();
  EXPECT_EQ(w.windowTitle(), "Untitled[*] - RX-93KIT Dealer");
  EXPECT_FALSE(w.isWindowModified());
  rig.p.main.SetModified(true);
  EXPECT_TRUE(w.isWindowModified());
  const std::string path = rig.p.SaveVariant(rig.dir, "dealer [*] copy.qcl", [](cmcEeprom&) {});
  rig.p.prompts.answers.push_back(cmcPromptAnswer::No);  // discard the changes
  ASSERT_FALSE(rig.p.main.OpenCloneFile(path, true));
  EXPECT_EQ(w.windowTitle(), "dealer [*][*] copy.qcl[*] - RX-93KIT Dealer") << "a placeholder in the name is no mark";
  EXPECT_FALSE(w.isWindowModified());
}

TEST(MainWindow, CloseStoresTheBoundsAndTheLeftPanel) {
  DesktopRig rig;
  cuiMainWindow& w = rig.Build();
  w.resize(700, 500);
  w.move(40, 60);
  EXPECT_TRUE(w.close());
  EXPECT_EQ(rig.p.environ.winWidth, 700);
  EXPECT_EQ(rig.p.environ.winHeight, 500);
  EXPECT_EQ(rig.p.environ.winLeft, w.x());
  EXPECT_EQ(rig.p.environ.splitterV, w.LeftPanel()->width());
  EXPECT_EQ(rig.Host().Current(), nullptr) << "the sheet goes with the window";
  EXPECT_EQ(w.Sheet()->Model(), nullptr);
}

TEST(MainWindow, CloseIsRefusedOnCancelAndWhileDisabled) {
  DesktopRig rig;
  cuiMainWindow& w = rig.Build();
  rig.p.main.SetModified(true);
  rig.p.prompts.answers.push_back(cmcPromptAnswer::Cancel);
  EXPECT_FALSE(w.close());
  EXPECT_TRUE(w.isVisible());
  EXPECT_NE(rig.Host().Current(), nullptr);
  w.setEnabled(false);  // as while a clone exchange runs
  const size_t asked = rig.p.prompts.asked.size();
  EXPECT_FALSE(w.close());
  EXPECT_EQ(rig.p.prompts.asked.size(), asked) << "nothing is asked";
}

TEST(OpeningWindow, ClosesOnAClickAndEndsTheProgramWhenClosedOtherwise) {
  EnsureApp();
  {
    cuiOpeningWindow opening(nullptr, "RX-93KIT Dealer", "1.02");
    EXPECT_EQ(opening.size(), QSize(600, 163));
    EXPECT_EQ(opening.findChild<QLabel*>("Label_Revision")->text(), "Revision 1.02");
    EXPECT_EQ(opening.AutoClose().interval(), 2500);
    EXPECT_TRUE(opening.AutoClose().isActive());
    opening.show();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(300, 150), opening.mapToGlobal(QPointF(300, 150)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&opening, &press);  // on the revision line: the window takes it
    EXPECT_EQ(opening.result(), QDialog::Accepted);
    EXPECT_FALSE(opening.isVisible());
  }
  {
    cuiOpeningWindow opening(nullptr, "RX-93KIT Dealer", "1.02");
    opening.show();
    opening.close();  // as the window manager closes it
    EXPECT_EQ(opening.result(), QDialog::Rejected);
  }
}

}  // namespace
