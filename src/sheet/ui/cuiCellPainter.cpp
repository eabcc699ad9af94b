#include "sheet/ui/cuiCellPainter.h"

#include <QPainterPath>
#include <QPolygon>
#include <algorithm>
#include <vector>

#include "sheet/cmcSheetModel.h"
#include "sheet/ui/cuiCellStyle.h"
#include "sheet/ui/cuiQtMeasure.h"

void cuiCellPainter::Paint(const cmcCellPaintPlan& plan) {
  if (plan.rect.Empty()) return;
  QPainter& p = painter_;
  p.save();
  const QRect rect = Rect(plan.rect);
  p.setClipRect(rect);
  p.fillRect(rect, cuiCellStyle::Colour(plan.background));
  if (plan.band) {
    const int height = plan.rect.Height() * plan.band->percent / 100;
    p.fillRect(QRect(rect.left(), plan.rect.bottom - height, rect.width(), height),
               cuiCellStyle::Colour(plan.band->colour));
  }
  if (!plan.polygons.empty()) {
    p.setRenderHint(QPainter::Antialiasing, true);
    for (const cmcCellPaintPlan::Polygon& polygon : plan.polygons) {
      QPolygon points;
      for (const cmcCanvasPoint& point : polygon.points) points << QPoint(point.x, point.y);
      const QColor colour = cuiCellStyle::Colour(polygon.colour);
      p.setPen(QPen(colour, 1));
      p.setBrush(colour);
      p.drawPolygon(points);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
  }
  const QColor rule = cuiCellStyle::Colour(plan.ruleColour);
  for (const cmcCellPaintPlan::Rule& r : plan.rules) p.fillRect(QRect(QPoint(r.x1, r.y1), QPoint(r.x2, r.y2)), rule);
  if (!plan.lines.empty()) {
    p.setFont(cuiCellStyle::Font(plan.font));
    p.setPen(cuiCellStyle::Colour(plan.textColour));
    const double ascent = measure_.Ascent(plan.font);
    for (const cmcCellPaintPlan::Line& line : plan.lines)
      if (!line.text.empty()) p.drawText(QPointF(line.x, line.y + ascent), cuiCellStyle::Text(line.text));
  }
  PaintMark(plan);
  p.restore();
}

void cuiCellPainter::PaintMark(const cmcCellPaintPlan& plan) {
  if (plan.mark == cmcCellPaintPlan::Mark::kNone) return;
  QPainter& p = painter_;
  const QRectF box = Rect(plan.markRect);
  const bool error = plan.mark == cmcCellPaintPlan::Mark::kError;
  p.setRenderHint(QPainter::Antialiasing, true);
  QPainterPath shape;
  if (error) {
    shape.addEllipse(box.adjusted(1, 1, -1, -1));
  } else {
    shape.moveTo(box.center().x(), box.top() + 1);
    shape.lineTo(box.right() - 1, box.bottom() - 1);
    shape.lineTo(box.left() + 1, box.bottom() - 1);
    shape.closeSubpath();
  }
  const QColor ink = plan.printedMark ? Qt::black : error ? QColor(0xD0, 0x20, 0x20) : QColor(0xF0, 0xC0, 0x00);
  const QColor sign = plan.printedMark ? Qt::white : error ? Qt::white : Qt::black;
  p.setPen(QPen(plan.printedMark ? Qt::black : ink.darker(130), 1));
  p.setBrush(plan.printedMark ? QColor(Qt::white) : ink);
  p.drawPath(shape);
  const double w = box.width();
  p.setPen(QPen(plan.printedMark ? QColor(Qt::black) : sign, std::max(1.5, w / 8), Qt::SolidLine, Qt::RoundCap));
  const QPointF c = box.center();
  if (error) {
    const double d = w * 0.2;
    p.drawLine(QPointF(c.x() - d, c.y() - d), QPointF(c.x() + d, c.y() + d));
    p.drawLine(QPointF(c.x() - d, c.y() + d), QPointF(c.x() + d, c.y() - d));
  } else {
    p.drawLine(QPointF(c.x(), box.top() + w * 0.35), QPointF(c.x(), box.top() + w * 0.65));
    p.drawPoint(QPointF(c.x(), box.top() + w * 0.8));
  }
  p.setRenderHint(QPainter::Antialiasing, false);
}

void cuiCellPainter::PaintSheet(cmcSheetModel& sheet, const cmcCellPaintPlan::View& view, const QRect& region) {
  const cmcSheetLayout& layout = sheet.Layout();
  painter_.fillRect(region, cuiCellStyle::Colour(sheet.Def().BasicCell().colour));
  if (sheet.RowCount() == 0 || sheet.ColCount() == 0) return;
  const auto shown = [](int count, int fixed, int first, int visible) {
    std::vector<int> indexes;
    for (int i = 0; i < std::min(fixed, count); ++i) indexes.push_back(i);
    // The cells shown whole, and the one cut at the edge.
    for (int i = first; i < count && i <= first + visible; ++i) indexes.push_back(i);
    return indexes;
  };
  const std::vector<int> rows = shown(sheet.RowCount(), layout.FixedRows(), layout.TopRow(), layout.VisibleRowCount());
  const std::vector<int> cols = shown(sheet.ColCount(), layout.FixedCols(), layout.LeftCol(), layout.VisibleColCount());
  for (const int r : rows)
    for (const int c : cols) {
      const cmcSheetRect rect = layout.CellRect(c, r);
      if (rect.Empty() || !region.intersects(Rect(rect))) continue;
      Paint(sheet.PaintPlan(c, r, view));
    }
}
