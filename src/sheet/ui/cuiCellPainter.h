#pragma once
// Paints what the sheet model plans, on any QPainter: a widget, an image, a printer
// page. One cell is its plan drawn in order (background, the bottom band, what the
// value layer drew, rules, text lines, the warning or error mark); a sheet is every
// cell its layout shows in a region, on the grid's colour. Rules and marks are filled
// rectangles and paths, so a scaled device draws them as sharply as it can.
#include <QPainter>
#include <QRect>

#include "sheet/cmcCellPaintPlan.h"

class cmcSheetModel;
class cuiQtMeasure;

class cuiCellPainter {
 public:
  // measure: the one the sheet was built with (ascents for the text lines).
  cuiCellPainter(QPainter& painter, const cuiQtMeasure& measure) : painter_(painter), measure_(measure) {}

  void Paint(const cmcCellPaintPlan& plan);
  // Every cell of the sheet's layout that meets the region (client coordinates).
  void PaintSheet(cmcSheetModel& sheet, const cmcCellPaintPlan::View& view, const QRect& region);

  static QRect Rect(const cmcSheetRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

 private:
  void PaintMark(const cmcCellPaintPlan& plan);

  QPainter& painter_;
  const cuiQtMeasure& measure_;
};
