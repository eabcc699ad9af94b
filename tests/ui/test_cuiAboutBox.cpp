// The About box from Help > About: its caption, its label filled with the title,
// revision and installation values, one button that is default and closes it, and
// event 59 once it has gone.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "runtime/cmcEvCodes.h"
#include "shell/ui/cuiAboutBox.h"
#include "support/DesktopRig.h"

namespace {

TEST(AboutBox, HelpAboutShowsTheLabelAndTheButtonClosesIt) {
  DesktopRig rig;
  rig.p.environ.revision = "1.02";
  rig.p.environ.userName = "Kim Dealer";
  rig.p.environ.companyName = "Radio & Co %s";  // taken as it is
  rig.p.environ.serialNumber = "SN-0042";
  // Well inside the screen, so that keeping the box on the work area moves nothing.
  rig.p.environ.winLeft = 40;
  rig.p.environ.winTop = 40;
  rig.p.environ.winWidth = 640;
  rig.p.environ.winHeight = 480;
  cuiMainWindow& w = rig.Build();

  struct Seen {
    bool shown = false;
    QString caption, label, button;
    bool isDefault = false, fixedSize = false, centred = false;
    QString where;
  } seen;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<cuiAboutBox*>(top);
      if (!box || !box->isVisible()) continue;
      poll.stop();
      seen = {true,
              box->windowTitle(),
              box->Label()->text(),
              box->Button()->text(),
              box->Button()->isDefault(),
              box->minimumSize() == box->maximumSize(),
              (box->geometry().center() - w.geometry().center()).manhattanLength() < 40,
              QStringLiteral("box %1,%2 %3x%4 window %5,%6 %7x%8")
                  .arg(box->x())
                  .arg(box->y())
                  .arg(box->width())
                  .arg(box->height())
                  .arg(w.x())
                  .arg(w.y())
                  .arg(w.width())
                  .arg(w.height())};
      box->Button()->click();
      return;
    }
  });
  poll.start(10);
  rig.p.seen.clear();
  auto* about = w.menuBar()->findChild<QAction*>("CL_Help_About");
  ASSERT_NE(about, nullptr);
  about->trigger();
  rig.Settle();  // event 3 is posted; the box opens after its delivery and waits

  ASSERT_TRUE(seen.shown);
  EXPECT_EQ(seen.caption, "About RX-93KIT Dealer");
  EXPECT_EQ(seen.label,
            "RX-93KIT Dealer  Revision 1.02; user: Kim Dealer; company: Radio & Co %s; serial number: SN-0042");
  EXPECT_EQ(seen.button, "OK");
  EXPECT_TRUE(seen.isDefault);
  EXPECT_TRUE(seen.fixedSize);
  EXPECT_TRUE(seen.centred) << "centred over the main window: " << seen.where.toStdString();
  const auto raised = std::find(rig.p.seen.begin(), rig.p.seen.end(), kEvMchWinRaise);
  EXPECT_NE(raised, rig.p.seen.end()) << "closing the box sends event 59";
  for (QWidget* top : QApplication::topLevelWidgets())
    EXPECT_EQ(qobject_cast<cuiAboutBox*>(top), nullptr) << "the box is gone";
}

}  // namespace
