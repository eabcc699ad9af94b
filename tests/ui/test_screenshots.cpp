// The screenshots of docs/screenshots/, at 1x and 2x ("@2x" before ".png"): the main
// window on each model type's first bank sheet, the special editors open over the LMR
// bank sheet, and the opening window. They carry the
// ctest label "screenshots" and run only when asked for (ctest -L screenshots).
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QTreeWidgetItem>
#include <array>

#include "cell/cmcCellIds.h"
#include "sheet/ui/cuiGrid.h"
#include "sheet/ui/cuiSheet.h"
#include "shell/indMain.h"
#include "shell/ui/cuiOpeningWindow.h"
#include "shell/ui/cuiTree.h"
#include "support/DesktopRig.h"
#include "support/ScreenshotSave.h"

namespace {

using screenshots::Save;

TEST(Screenshots, MainWindowOnEachModelTypesFirstBankSheet) {
  const struct {
    int type;
    const char* name;
  } shots[] = {{0, "lmr"}, {1, "pmr"}, {2, "qarnpmr"}, {3, "dpmr446"}};
  for (const auto& shot : shots) {
    DesktopRig rig;
    rig.p.environ.pHelpView = 0;  // the help pane stays empty until help pages exist
    rig.p.environ.winWidth = 1180;
    rig.p.environ.winHeight = 720;
    cuiMainWindow& w = rig.Build();
    rig.p.main.ChangeModelType(shot.type, true);  // the type's own initial image
    rig.Settle();
    const std::string bank0 = std::string("[St_ChBank]GI_Sheet_Mch_") + indMain::NameSuffixOf(shot.type) + ",Bank 0";
    const int node = rig.Host().Tree()->FindByTarget(bank0);
    ASSERT_GE(node, 0) << bank0;
    w.Tree()->setCurrentItem(w.Tree()->ItemOf(node));
    rig.Settle();
    ASSERT_EQ(rig.Shown(), bank0);
    Save(w, QStringLiteral("main-window-") + shot.name);
  }
}

QWidget* OpenWindow(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == name && w->isVisible()) return w;
  return nullptr;
}

// The main window on the LMR bank sheet, the cursor on the first channel's cell with
// the label.
struct OnLmrBank {
  OnLmrBank() {
    rig.p.environ.pHelpView = 0;
    rig.p.environ.winWidth = 1180;
    rig.p.environ.winHeight = 720;
    rig.Build();
    rig.p.main.ChangeModelType(0, true);
    rig.Settle();
    const int node = rig.Host().Tree()->FindByTarget("[St_ChBank]GI_Sheet_Mch_Lmr,Bank 0");
    rig.window->Tree()->setCurrentItem(rig.window->Tree()->ItemOf(node));
    rig.Settle();
  }
  cmcSheetModel& Model() { return *rig.Host().Current()->model; }
  bool MoveToLabel(uint32_t label) {
    cmcSheetModel& m = Model();
    const int row = m.Layout().FixedRows();
    for (int c = 0; c < m.ColCount(); ++c)
      if (m.Def().CellAt(c, row).label == label) return m.MoveTo(c, row);
    return false;
  }
  QWidget* Grid() { return rig.window->Sheet()->Grid(); }
  DesktopRig rig;
};

TEST(Screenshots, Flector) {
  OnLmrBank on;
  ASSERT_TRUE(on.MoveToLabel(CL_Mch_CTone_R));
  QTest::keyClick(on.Grid(), Qt::Key_Return);
  QWidget* flector = OpenWindow("Flector");
  ASSERT_TRUE(flector);
  Save(*on.rig.window, "flector", flector);
  flector->close();
}

TEST(Screenshots, SegmentTextEditor) {
  OnLmrBank on;
  ASSERT_TRUE(on.MoveToLabel(CL_Mch_Text));
  QTest::keyClick(on.Grid(), Qt::Key_Return);
  QWidget* editor = OpenWindow("SegmentTextEditor");
  ASSERT_TRUE(editor);
  Save(*on.rig.window, "segment-text-editor", editor);
  editor->close();
}

TEST(Screenshots, FlagBitsEditor) {
  OnLmrBank on;
  ASSERT_TRUE(on.MoveToLabel(CL_Mch_Scan_List));
  cmcSheetModel& m = on.Model();
  cmcCellCapsule origin;
  const cmcSheetRect cell = m.Layout().CellRect(m.Col(), m.Row());
  std::array<int32_t, 4> rect{cell.left, cell.top, cell.right, cell.bottom};
  origin.cell = &m.Def().CellAt(m.Col(), m.Row());
  origin.rect = &rect;
  origin.grid = on.rig.window->Sheet();
  origin.sheet = &m;
  on.rig.window->Sheet()->OpenFlagEditor(origin, 0x5, 1, 8, 2, "");
  QWidget* editor = OpenWindow("FlagBitsEditor");
  ASSERT_TRUE(editor);
  Save(*on.rig.window, "flag-bits-editor", editor);
  editor->close();
}

TEST(Screenshots, OpeningWindow) {
  EnsureApp();
  cuiOpeningWindow opening(nullptr, "RX-93KIT Dealer", "1.00");
  opening.show();
  Save(opening, "opening-window");
}

}  // namespace
