// The sheet window on the shipped LMR bank sheet, offscreen: what typing, Enter,
// Escape, Shift with Down, the popup menu and dragging a column border do to the
// model and the image, and that the window paints what the painter paints.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "cell/cmcCellIds.h"
#include "channel/datCh.h"
#include "channel/datChKinds.h"
#include "channel/sheets/indBankSheet.h"
#include "channel/ui/cuiBankSheetHeader.h"
#include "sheet/ui/cuiCellPainter.h"
#include "sheet/ui/cuiCellStyle.h"
#include "ui/SheetWindowRig.h"

namespace {

class SheetWindow : public ::testing::Test {
 protected:
  void SetUp() override { rig.Open(SheetWindowRig::kLmrBank); }
  SheetWindowRig rig;
};

TEST_F(SheetWindow, ATypedFrequencyIsStoredOnTheChannelAndShown) {
  cmcSheetModel& m = rig.Model();
  const int row = m.Layout().FixedRows();
  const int col = rig.ColumnOf(CL_Mch_FreqR, row);
  ASSERT_GE(col, 0);
  ASSERT_TRUE(m.MoveTo(col, row));
  QTest::keyClick(rig.Grid(), '4');
  QLineEdit* editor = rig.pane->findChild<QLineEdit*>("CellEditor");
  ASSERT_TRUE(editor && editor->isVisible());
  QTest::keyClicks(editor, "50.006");
  QTest::keyClick(editor, Qt::Key_Return);

  EXPECT_FALSE(editor->isVisible());
  datCh channel(&rig.p.main.Working());
  channel.Load(datChKind::kLmr, m.Def().CellAt(col, row).index);
  EXPECT_EQ(channel.freqR, 450'006'250u);
  EXPECT_EQ(m.CellText(col, row), "450.006250");
}

TEST_F(SheetWindow, EscapeInTheEditorSendsNothing) {
  cmcSheetModel& m = rig.Model();
  const int row = m.Layout().FixedRows();
  const int col = rig.ColumnOf(CL_Mch_FreqR, row);
  ASSERT_TRUE(m.MoveTo(col, row));
  const std::string before = m.CellText(col, row);
  const std::vector<uint8_t> image(rig.p.main.Working().Data(), rig.p.main.Working().Data() + 0x7D80);
  QTest::keyClick(rig.Grid(), '4');
  QLineEdit* editor = rig.pane->findChild<QLineEdit*>("CellEditor");
  QTest::keyClicks(editor, "60");
  QTest::keyClick(editor, Qt::Key_Escape);

  EXPECT_FALSE(editor->isVisible());
  EXPECT_FALSE(m.EditorShown());
  EXPECT_EQ(m.CellText(col, row), before);
  EXPECT_TRUE(std::equal(image.begin(), image.end(), rig.p.main.Working().Data()));
}

TEST_F(SheetWindow, ShiftDownTwiceHighlightsThreeLines) {
  cmcSheetModel& m = rig.Model();
  const int row = m.Layout().FixedRows();
  ASSERT_TRUE(m.MoveTo(rig.ColumnOf(CL_Mch_FreqR, row), row));
  QTest::keyClick(rig.Grid(), Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(rig.Grid(), Qt::Key_Down, Qt::ShiftModifier);

  for (int r = row; r < row + 4; ++r)
    for (int c = m.Layout().FixedCols(); c < m.ColCount(); ++c)
      EXPECT_EQ(m.Cursor().LineHighlighted(c, r), r < row + 3) << "cell " << c << "," << r;
}

TEST_F(SheetWindow, ARowCopiedAndPastedThroughThePopupMenu) {
  cmcSheetModel& m = rig.Model();
  const int row = m.Layout().FixedRows();
  const int col = rig.ColumnOf(CL_Mch_FreqR, row);
  // A channel row below whose frequency differs.
  int target = -1;
  for (int r = row + 1; r < m.RowCount() && target < 0; ++r)
    if (m.RowShown(r) && m.Def().CellAt(col, r).Selectable() && m.CellText(col, r) != m.CellText(col, row)) target = r;
  ASSERT_GT(target, row);
  // The grid gains the focus as the window system would tell it.
  QFocusEvent focusIn(QEvent::FocusIn, Qt::OtherFocusReason);
  QApplication::sendEvent(rig.Grid(), &focusIn);
  QMenu* menu = rig.pane->PopupMenu();
  const auto choose = [&](int r, const char* item) {
    QTest::mouseClick(rig.Viewport(), Qt::RightButton, {}, rig.Centre(col, r));
    ASSERT_TRUE(menu->isVisible()) << item;
    QAction* action = menu->findChild<QAction*>(item);
    ASSERT_TRUE(action) << item;
    menu->hide();
    action->trigger();
  };
  choose(row, "Copy");
  // The copied row stays selected: a click ends the selection before the menu.
  QTest::mouseClick(rig.Viewport(), Qt::LeftButton, {}, rig.Centre(col, target));
  choose(target, "Paste");

  EXPECT_EQ(m.CellText(col, target), m.CellText(col, row));
}

TEST_F(SheetWindow, AColumnDraggedPastTheLimitStaysAt650) {
  cmcSheetModel& m = rig.Model();
  const int col = rig.ColumnOf(CL_Mch_FreqR, m.Layout().FixedRows());
  const QRect header = rig.pane->Grid()->CellRect(col, 0);
  const QPoint border(header.right() + 1, header.center().y());
  QTest::mousePress(rig.Viewport(), Qt::LeftButton, {}, border);
  QMouseEvent move(QEvent::MouseMove, QPointF(border.x() + 900, border.y()),
                   rig.Viewport()->mapToGlobal(QPointF(border.x() + 900, border.y())), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(rig.Viewport(), &move);
  QTest::mouseRelease(rig.Viewport(), Qt::LeftButton, {}, QPoint(border.x() + 900, border.y()));

  EXPECT_EQ(m.Layout().ColWidth(col), cmcSheetLayout::kMaxColWidth);
}

TEST_F(SheetWindow, ABankSheetShowsItsHeaderLine) {
  cuiBankSheetHeader::Attach(*rig.pane, &rig.sheet);
  auto* header = rig.pane->findChild<QLabel*>("BankSheetHeader");
  ASSERT_TRUE(header);
  auto& bank = dynamic_cast<indBankSheet&>(*rig.sheet.hooks);
  const indBankSheet::Header line = bank.HeaderLine(rig.Model().Def().GetStyle().title);
  ASSERT_FALSE(line.text.empty()) << "banks are in use on the LMR image";
  EXPECT_EQ(header->text().toStdString(), line.text);
  EXPECT_EQ(header->palette().color(QPalette::Window), QColor(255, 255, 0));

  cuiBankSheetHeader::Attach(*rig.pane, nullptr);
  EXPECT_FALSE(rig.pane->findChild<QLabel*>("BankSheetHeader"));
}

TEST_F(SheetWindow, AGrabIsTheSheetThePainterPaints) {
  QWidget* viewport = rig.Viewport();
  const QImage grabbed = viewport->grab().toImage().convertToFormat(QImage::Format_RGB32);
  QImage painted(viewport->size(), QImage::Format_RGB32);
  {
    QPainter painter(&painted);
    cuiCellPainter(painter, rig.pane->Grid()->Measure())
        .PaintSheet(rig.Model(), cuiCellStyle::PaintView(rig.Grid()->palette(), rig.Model().Focused()), painted.rect());
  }
  ASSERT_EQ(grabbed.size(), painted.size());
  EXPECT_TRUE(grabbed == painted);
}

}  // namespace
