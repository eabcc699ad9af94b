// The special editors' windows opened from the shipped LMR bank sheet, offscreen: the
// chooser on a choice cell, and the flag-bits editor's answer.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "cell/cmcCellIds.h"
#include "sheet/ui/cuiFlagBitsEditor.h"
#include "sheet/ui/cuiFlector.h"
#include "ui/SheetWindowRig.h"

namespace {

template <typename Window>
Window* OpenWindow(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == name && w->isVisible()) return qobject_cast<Window*>(w);
  return nullptr;
}

class Editors : public ::testing::Test {
 protected:
  void SetUp() override {
    rig.Open(SheetWindowRig::kLmrBank);
    row = rig.Model().Layout().FixedRows();
    widthCol = rig.ColumnOf(CL_Mch_Nar, row);
    ASSERT_GE(widthCol, 0);
    ASSERT_TRUE(rig.Model().MoveTo(widthCol, row));
  }
  SheetWindowRig rig;
  int row = 0;
  int widthCol = -1;
};

TEST_F(Editors, EnterOpensTheChooserOnTheValueAndAClickChooses) {
  cmcSheetModel& m = rig.Model();
  const std::string before = m.CellText(widthCol, row);
  QTest::keyClick(rig.Grid(), Qt::Key_Return);
  cuiFlector* flector = OpenWindow<cuiFlector>("Flector");
  ASSERT_TRUE(flector);
  cmcSheetModel& list = *flector->Model();
  EXPECT_EQ(list.CellText(list.Col(), list.Row()), before) << "the list opens on the value";

  // Another entry of the list, clicked.
  int other = -1;
  for (int r = 0; r < list.RowCount() && other < 0; ++r)
    if (r != list.Row() && list.Def().CellAt(list.Col(), r).Selectable()) other = r;
  ASSERT_GE(other, 0);
  const std::string chosen = list.CellText(list.Col(), other);
  const QPoint at = flector->Sheet()->Grid()->CellRect(list.Col(), other).center();
  QTest::mousePress(flector->Sheet()->Grid()->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(flector->Sheet()->Grid()->viewport(), Qt::LeftButton, {}, at);
  QApplication::processEvents();

  EXPECT_FALSE(OpenWindow<cuiFlector>("Flector"));
  EXPECT_NE(m.CellText(widthCol, row), before);
  EXPECT_EQ(m.CellText(widthCol, row), chosen);
}

TEST_F(Editors, AListTallerThanTheScreenScrollsWithinTheWorkArea) {
  cmcSheetModel& m = rig.Model();
  cmcCellCapsule origin;
  std::array<int32_t, 4> rect{10, 10, 60, 30};
  origin.cell = &m.Def().CellAt(widthCol, row);
  origin.rect = &rect;
  origin.sheet = &m;
  rig.pane->OpenChooser(origin, "GI_Sheet_Sel_Mch_Dtcs", Flex1, 50, "");
  cuiFlector* flector = OpenWindow<cuiFlector>("Flector");
  ASSERT_TRUE(flector);
  const cmcSheetRect work = flector->WorkArea();
  ASSERT_GT(flector->Model()->Layout().GridHeight(), work.Height());
  EXPECT_EQ(flector->height(), work.Height());
  EXPECT_GE(flector->y(), work.top);
  EXPECT_EQ(flector->Sheet()->Grid()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(flector->Model()->Layout().TopRow(), flector->Model()->Layout().FixedRows()) << "scrolled to the top";
  EXPECT_EQ(flector->Model()->CellText(flector->Model()->Col(), flector->Model()->Row()), "274") << "on entry 50";
  flector->close();
}

TEST_F(Editors, SpaceStepsAChoice) {
  cmcSheetModel& m = rig.Model();
  const std::string before = m.CellText(widthCol, row);
  QTest::keyClick(rig.Grid(), Qt::Key_Space);
  EXPECT_NE(m.CellText(widthCol, row), before);
  QTest::keyClick(rig.Grid(), Qt::Key_Space);
  EXPECT_EQ(m.CellText(widthCol, row), before) << "two steps through a list of two";
}

// The flag-bits editor on bits 1-3 of pattern 0 over the channel width cell, every
// answer it sends recorded; bit 2 toggled.
class FlagBits : public Editors {
 public:
  void Open() {
    cmcSheetModel& m = rig.Model();
    const cmcSheetModel::Answer valueLayer = m.ValueLayer();
    m.SetAnswer([this, valueLayer](cmcCellCapsule& c, bool act) {
      if (act && c.inputKind == cmcCellCapsule::kInputPopupAnswer) answers.push_back(c.inputText);
      return valueLayer(c, act);
    });
    origin.cell = &m.Def().CellAt(widthCol, row);
    origin.rect = &rect;
    origin.grid = rig.pane.get();
    origin.sheet = &m;
    rig.pane->OpenFlagEditor(origin, 0, 1, 3, 2, "");
    editor = OpenWindow<cuiFlagBitsEditor>("FlagBitsEditor");
    ASSERT_TRUE(editor);
    rig.Model().SetAnswer(valueLayer);
    cmcSheetModel& bits = editor->Logic().Sheet();
    for (int r = 0; r < bits.RowCount(); ++r)
      for (int c = 0; c < bits.ColCount(); ++c)
        if (bits.Def().CellAt(c, r).label == CL_FBits && bits.Def().CellAt(c, r).index == 2) {
          ASSERT_TRUE(bits.MoveTo(c, r));
        }
    QTest::keyClick(editor->Sheet()->Grid(), Qt::Key_Space);
  }
  void Click(const char* button) { QTest::mouseClick(editor->findChild<QPushButton*>(button), Qt::LeftButton); }
  // A click beside the window, as on the sheet it was opened from.
  void ClickOutside() { QTest::mouseClick(editor, Qt::LeftButton, {}, QPoint(-20, -20)); }

  cmcCellCapsule origin;
  std::array<int32_t, 4> rect{10, 10, 60, 30};
  cuiFlagBitsEditor* editor = nullptr;
  std::vector<std::string> answers;
};

TEST_F(FlagBits, HowTheEditorCloses) {
  const struct {
    const char* name;
    std::function<void(FlagBits&)> act;
    std::vector<std::string> answers;
  } cases[] = {
      {"OK answers bit 2 of bits 1-3 as bit 24", [](FlagBits& f) { f.Click("OK"); }, {"16777216"}},
      {"a click outside answers", [](FlagBits& f) { f.ClickOutside(); }, {"16777216"}},
      {"Cancel answers nothing", [](FlagBits& f) { f.Click("Cancel"); }, {}},
      {"nor does Escape", [](FlagBits& f) { QTest::keyClick(f.editor->Sheet()->Grid(), Qt::Key_Escape); }, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Open();
    c.act(*this);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(answers, c.answers);
    EXPECT_FALSE(OpenWindow<cuiFlagBitsEditor>("FlagBitsEditor"));
    answers.clear();
  }
}

}  // namespace
