// The special editors' windows opened from the shipped LMR bank sheet, offscreen: the
// chooser on a choice cell, and the flag-bits editor's answer.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

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

TEST_F(Editors, SpaceStepsAChoice) {
  cmcSheetModel& m = rig.Model();
  const std::string before = m.CellText(widthCol, row);
  QTest::keyClick(rig.Grid(), Qt::Key_Space);
  EXPECT_NE(m.CellText(widthCol, row), before);
  QTest::keyClick(rig.Grid(), Qt::Key_Space);
  EXPECT_EQ(m.CellText(widthCol, row), before) << "two steps through a list of two";
}

TEST_F(Editors, TheFlagBitsEditorAnswersTheBitPattern) {
  // The sheet's answers are recorded, the editor's answer among them.
  std::vector<std::string> answers;
  cmcSheetModel& m = rig.Model();
  const cmcSheetModel::Answer valueLayer = m.ValueLayer();
  m.SetAnswer([&](cmcCellCapsule& c, bool act) {
    if (act && c.inputKind == cmcCellCapsule::kInputPopupAnswer) answers.push_back(c.inputText);
    return valueLayer(c, act);
  });
  cmcCellCapsule origin;
  std::array<int32_t, 4> rect{10, 10, 60, 30};
  origin.cell = &m.Def().CellAt(widthCol, row);
  origin.rect = &rect;
  origin.grid = rig.pane.get();
  origin.sheet = &m;
  rig.pane->OpenFlagEditor(origin, 0, 1, 3, 2, "");
  cuiFlagBitsEditor* editor = OpenWindow<cuiFlagBitsEditor>("FlagBitsEditor");
  ASSERT_TRUE(editor);
  cmcSheetModel& bits = editor->Logic().Sheet();
  int col = -1, bitRow = -1;
  for (int r = 0; r < bits.RowCount(); ++r)
    for (int c = 0; c < bits.ColCount(); ++c)
      if (bits.Def().CellAt(c, r).label == CL_FBits && bits.Def().CellAt(c, r).index == 2) col = c, bitRow = r;
  ASSERT_GE(col, 0);
  ASSERT_TRUE(bits.MoveTo(col, bitRow));
  QTest::keyClick(editor->Sheet()->Grid(), Qt::Key_Space);
  QTest::mouseClick(editor->findChild<QPushButton*>("OK"), Qt::LeftButton);
  QApplication::processEvents();

  EXPECT_EQ(answers, std::vector<std::string>{"16777216"});
  EXPECT_FALSE(OpenWindow<cuiFlagBitsEditor>("FlagBitsEditor"));
}

}  // namespace
