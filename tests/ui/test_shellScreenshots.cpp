// The screenshots of the main menu open over the main window and of the About box, at
// 1x and 2x, into docs/screenshots/ (ctest -L screenshots).
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "shell/indAboutText.h"
#include "shell/ui/cuiAboutBox.h"
#include "shell/ui/cuiTree.h"
#include "support/DesktopRig.h"
#include "support/ScreenshotSave.h"

namespace {

void Size(DesktopRig& rig) {
  rig.p.environ.pHelpView = 0;
  rig.p.environ.winWidth = 1180;
  rig.p.environ.winHeight = 720;
}

TEST(Screenshots, MainMenuOpen) {
  DesktopRig rig;
  Size(rig);
  rig.p.environ.recent.AddFront("/home/dealer/radios/Fleet B & C handhelds.qcl");
  rig.p.environ.recent.AddFront("/home/dealer/radios/Fire brigade LMR.qcl");
  cuiMainWindow& w = rig.Build();
  // Over the LMR bank sheet, as the main window's own screenshots show it.
  rig.p.main.ChangeModelType(0, true);
  rig.Settle();
  const int bank = rig.Host().Tree()->FindByTarget("[St_ChBank]GI_Sheet_Mch_Lmr,Bank 0");
  ASSERT_GE(bank, 0);
  w.Tree()->setCurrentItem(w.Tree()->ItemOf(bank));
  rig.Settle();
  rig.p.events.Send(kEvCommandStates);
  QAction* file = w.menuBar()->findChild<QAction*>("File");
  ASSERT_TRUE(file && file->menu());
  w.menuBar()->setActiveAction(file);
  QApplication::processEvents();
  QMenu* menu = file->menu();
  ASSERT_TRUE(menu->isVisible());
  screenshots::Save(w, QStringLiteral("main-menu"), menu);
  menu->close();
}

TEST(Screenshots, AboutBox) {
  DesktopRig rig;
  Size(rig);
  rig.p.environ.revision = "1.02";
  rig.p.environ.userName = "Kim Dealer";
  rig.p.environ.companyName = "North Coast Radio Ltd";
  rig.p.environ.serialNumber = "2026-0417-0042";
  cuiMainWindow& w = rig.Build();
  cuiAboutBox box(indAboutText(rig.p.mainOverlay, rig.p.environ), &w);
  box.show();
  QApplication::processEvents();
  screenshots::Save(box, QStringLiteral("about-box"));
  box.close();
}

}  // namespace
