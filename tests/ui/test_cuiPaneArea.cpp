// The right panel's panes through the widgets: each of the seven layout states shows
// its panes and splitters stacked top to bottom without gap or overlap at the sizes of
// a first run, and a dragged splitter's height comes back after switching sheets and
// at the next start.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <array>

#include "shell/indMain.h"
#include "shell/ui/cuiPaneArea.h"
#include "support/DesktopRig.h"

namespace {

using P = indPaneLayout;

enum class SheetKind { kTopPage, kCommon, kBank };

// The reference of a sheet of the kind: the first node's (no cell help), the bank
// list's (cell help), the first bank's.
std::string RefOf(DesktopRig& rig, SheetKind kind) {
  switch (kind) {
    case SheetKind::kTopPage:
      return rig.Host().Tree()->Nodes()[0].Target();
    case SheetKind::kCommon:
      return "[St_Common]GI_Sheet_Mch_BankOperation";
    case SheetKind::kBank:
      break;
  }
  return std::string("[St_ChBank]GI_Sheet_Mch_") + indMain::NameSuffixOf(rig.p.main.ModelType()) + ",Bank 0";
}

void Open(DesktopRig& rig, SheetKind kind) {
  rig.Host().OpenSheet(RefOf(rig, kind));
  rig.Settle();
}

QWidget* Part(cuiMainWindow& w, const char* name) { return w.Panes()->findChild<QWidget*>(name); }

// The shown parts from top to bottom must tile the right panel.
void ExpectTiled(cuiMainWindow& w) {
  int y = 0;
  for (const char* name : {"SheetPane", "UpperSplitter", "MchPane", "LowerSplitter", "HelpPane"}) {
    const QWidget* part = Part(w, name);
    if (!part->isVisibleTo(w.Panes())) continue;
    EXPECT_EQ(part->y(), y) << name;
    EXPECT_EQ(part->width(), w.Panes()->width()) << name;
    y += part->height();
  }
  EXPECT_EQ(y, w.Panes()->height());
}

TEST(Panes, SevenStatesThroughTheWidgets) {
  struct Case {
    int state;
    SheetKind sheet;
    bool helpView, mchView;
    std::array<bool, 3> shown;  // sheet, memory channel, help pane
  };
  const Case cases[] = {
      {1, SheetKind::kTopPage, true, true, {true, false, false}},  // no cell help: alone whatever the views
      {2, SheetKind::kCommon, true, false, {true, false, true}},
      {3, SheetKind::kBank, true, false, {true, false, true}},
      {4, SheetKind::kBank, true, true, {true, true, true}},
      {5, SheetKind::kBank, false, false, {true, false, false}},
      {6, SheetKind::kBank, false, true, {true, true, false}},
      {7, SheetKind::kCommon, false, true, {true, false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    DesktopRig rig;
    rig.p.environ.pHelpView = c.helpView ? 1 : 0;
    rig.p.environ.mchView = c.mchView ? 1 : 0;
    cuiMainWindow& w = rig.Build();
    Open(rig, c.sheet);
    ASSERT_EQ(w.PaneLayout().State(), c.state);
    const int r = w.Panes()->height();
    for (int p = P::kSheet; p <= P::kHelp; ++p)
      EXPECT_EQ(w.Panes()->Pane(static_cast<P::Pane>(p))->isVisibleTo(w.Panes()), c.shown[static_cast<size_t>(p)]) << p;
    EXPECT_EQ(Part(w, "UpperSplitter")->isVisibleTo(w.Panes()), c.shown[P::kSheet] && c.shown[P::kMch]);
    EXPECT_EQ(Part(w, "LowerSplitter")->isVisibleTo(w.Panes()), c.shown[P::kHelp]);
    ExpectTiled(w);
    // First-run sizes: the sheet pane a quarter above the memory channel pane, the help
    // pane two ninths; the splitters 3 pixels.
    const QWidget* sheet = w.Panes()->Pane(P::kSheet);
    const QWidget* help = w.Panes()->Pane(P::kHelp);
    if (c.shown[P::kMch]) {
      EXPECT_EQ(sheet->height(), r / 4);
    }
    if (c.shown[P::kHelp]) {
      EXPECT_EQ(help->height(), r / 9 * 2);
    }
    for (const char* splitter : {"UpperSplitter", "LowerSplitter"}) {
      if (Part(w, splitter)->isVisibleTo(w.Panes())) {
        EXPECT_EQ(Part(w, splitter)->height(), P::kSplitter);
      }
    }
  }
}

// Drags the upper splitter so that the sheet pane ends at y.
void DragUpperSplitter(cuiMainWindow& w, int y) {
  QWidget* splitter = Part(w, "UpperSplitter");
  const QPoint grab(10, 1);
  QMouseEvent press(QEvent::MouseButtonPress, grab, splitter->mapToGlobal(grab), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(splitter, &press);
  const QPoint to(10, 1 + y - splitter->y());
  QMouseEvent move(QEvent::MouseMove, to, splitter->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(splitter, &move);
  QMouseEvent release(QEvent::MouseButtonRelease, to, splitter->mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(splitter, &release);
}

// The eight pane height settings.
constexpr int indEnviron::*kPaneHeights[] = {
    &indEnviron::sMemWinHeight,         &indEnviron::sMemWinHeightWithMCH,
    &indEnviron::sMemWinHeightWithHelp, &indEnviron::sMemWinHeightWithMCHandHelp,
    &indEnviron::sMchWinHeight,         &indEnviron::sMchWinHeightWithHelp,
    &indEnviron::sHelpWinHeight,        &indEnviron::sHelpWinHeightWithMCH};

TEST(Panes, ADraggedSplitterIsRememberedAcrossSheetsAndStarts) {
  constexpr int kDragged = 200;
  std::array<int, 8> saved{};
  {
    DesktopRig rig;
    rig.p.environ.pHelpView = 0;
    rig.p.environ.mchView = 1;
    cuiMainWindow& w = rig.Build();
    Open(rig, SheetKind::kBank);
    ASSERT_EQ(w.PaneLayout().State(), 6);
    DragUpperSplitter(w, kDragged);
    rig.Settle();
    EXPECT_EQ(w.Panes()->Pane(P::kSheet)->height(), kDragged);
    EXPECT_EQ(rig.p.environ.sMemWinHeightWithMCH, kDragged) << "recorded at the next idle pass";
    Open(rig, SheetKind::kTopPage);
    EXPECT_EQ(w.Panes()->Pane(P::kSheet)->height(), w.Panes()->height());
    Open(rig, SheetKind::kBank);
    EXPECT_EQ(w.Panes()->Pane(P::kSheet)->height(), kDragged) << "back from state 1";
    ExpectTiled(w);
    w.close();
    for (size_t i = 0; i < saved.size(); ++i) saved[i] = rig.p.environ.*kPaneHeights[i];
  }
  // The next start reads the settings the last one wrote.
  DesktopRig rig;
  rig.p.environ.pHelpView = 0;
  rig.p.environ.mchView = 1;
  for (size_t i = 0; i < saved.size(); ++i) rig.p.environ.*kPaneHeights[i] = saved[i];
  cuiMainWindow& w = rig.Build();
  Open(rig, SheetKind::kBank);
  EXPECT_EQ(w.Panes()->Pane(P::kSheet)->height(), kDragged);
  EXPECT_EQ(w.Panes()->Pane(P::kMch)->height(), w.Panes()->height() - kDragged - P::kSplitter);
}

}  // namespace
