#include "sheet/ui/cuiGrid.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cstdlib>

#include "sheet/cmcSheetModel.h"
#include "sheet/ui/cuiCellPainter.h"
#include "sheet/ui/cuiCellStyle.h"
#include "sheet/ui/cuiKeys.h"

namespace {

cmcSheetModel::Button ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton:
      return cmcSheetModel::Button::kRight;
    case Qt::MiddleButton:
      return cmcSheetModel::Button::kMiddle;
    default:
      return cmcSheetModel::Button::kLeft;
  }
}

}  // namespace

cuiGrid::cuiGrid(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName("Grid");
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setMouseTracking(true);
  horizontalScrollBar()->setTracking(true);
  verticalScrollBar()->setTracking(true);
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &cuiGrid::ScrollBarMoved);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &cuiGrid::ScrollBarMoved);
  scrollTimer_.setInterval(kTimedScrollMs);
  connect(&scrollTimer_, &QTimer::timeout, this, &cuiGrid::TimedScroll);
}

void cuiGrid::SetModel(cmcSheetModel* model) {
  model_ = model;
  sizingCol_ = -1;
  scrollTimer_.stop();
  if (model_) {
    model_->SetClientSize(viewport()->width(), viewport()->height());
    if (hasFocus()) model_->FocusChanged(true);
  }
  LayoutChanged();
}

void cuiGrid::LayoutChanged() {
  if (model_) model_->SetClientSize(viewport()->width(), viewport()->height());
  SyncScrollBars();
  viewport()->update();
}

void cuiGrid::Scrolled() {
  SyncScrollBars();
  viewport()->update();
}

void cuiGrid::RepaintCell(int col, int row) {
  const QRect r = CellRect(col, row);
  if (!r.isEmpty()) viewport()->update(r);
}

QRect cuiGrid::CellRect(int col, int row) const {
  if (!model_) return {};
  return cuiCellPainter::Rect(model_->Layout().CellRect(col, row));
}

void cuiGrid::SyncScrollBars() {
  syncing_ = true;
  QScrollBar* h = horizontalScrollBar();
  QScrollBar* v = verticalScrollBar();
  if (!model_) {
    h->setRange(0, 0);
    v->setRange(0, 0);
  } else {
    const cmcSheetLayout& l = model_->Layout();
    h->setRange(l.FixedCols(), l.MaxLeftCol());
    h->setPageStep(std::max(l.VisibleColCount(), 1));
    h->setValue(l.LeftCol());
    v->setRange(l.FixedRows(), l.MaxTopRow());
    v->setPageStep(std::max(l.VisibleRowCount(), 1));
    v->setValue(l.TopRow());
  }
  syncing_ = false;
}

void cuiGrid::ScrollBarMoved() {
  if (syncing_ || !model_) return;
  model_->ScrollTo(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void cuiGrid::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  if (!model_) {
    painter.fillRect(event->rect(), palette().color(QPalette::Base));
    return;
  }
  cuiCellPainter(painter, measure_)
      .PaintSheet(*model_, cuiCellStyle::PaintView(palette(), model_->Focused()), event->rect());
}

void cuiGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  LayoutChanged();
}

void cuiGrid::keyPressEvent(QKeyEvent* event) {
  if (!model_) return QAbstractScrollArea::keyPressEvent(event);
  if (keyFilter_ && keyFilter_(event)) return;
  const int vk = cuiKeys::VirtualKey(*event);
  if (vk && model_->KeyDown(vk, cuiKeys::Modifiers(event->modifiers()))) return;
  if (const int character = cuiKeys::Character(*event)) {
    model_->KeyPress(character);
    return;
  }
  event->ignore();
}

void cuiGrid::keyReleaseEvent(QKeyEvent* event) {
  if (model_ && !event->isAutoRepeat()) model_->KeyUp();
}

int cuiGrid::SizingColumn(const QPoint& at) const {
  if (!model_ || !model_->Def().GetStyle().colSizing) return -1;
  const cmcSheetLayout& l = model_->Layout();
  const cmcSheetCoord cell = l.MouseCoord(at.x(), at.y());
  const int col = cell.col >= 0 ? cell.col : model_->ColCount() - 1;
  const cmcSheetRect fixedRow = l.CellRect(col, 0);
  if (l.FixedRows() == 0 || at.y() >= l.CellRect(col, l.FixedRows() - 1).bottom || fixedRow.Empty()) return -1;
  // The border on the right of this column, or of the one on its left.
  for (int c = col; c >= 0 && c >= col - 1; --c) {
    const cmcSheetRect r = l.CellRect(c, 0);
    if (!r.Empty() && std::abs(at.x() - r.right) <= kSizingMargin) return c;
  }
  return -1;
}

void cuiGrid::mousePressEvent(QMouseEvent* event) {
  if (!model_) return;
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    sizingCol_ = SizingColumn(at);
    if (sizingCol_ >= 0) {
      sizingStart_ = model_->Layout().CellRect(sizingCol_, 0).left;
      return;
    }
  }
  if (model_->MouseDown(ButtonOf(event->button()), at.x(), at.y(), cuiKeys::Modifiers(event->modifiers())))
    emit popupMenuRequested(event->globalPosition().toPoint());
}

void cuiGrid::mouseReleaseEvent(QMouseEvent* event) {
  scrollTimer_.stop();
  if (!model_) return;
  if (sizingCol_ >= 0) {
    sizingCol_ = -1;
    model_->SaveColumnWidths();
    return;
  }
  model_->MouseUp(ButtonOf(event->button()));
}

void cuiGrid::mouseMoveEvent(QMouseEvent* event) {
  if (!model_) return;
  const QPoint at = event->position().toPoint();
  if (sizingCol_ >= 0) {
    model_->ResizeColumn(sizingCol_, at.x() - sizingStart_);
    return;
  }
  viewport()->setCursor(SizingColumn(at) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
  const QRect inside = viewport()->rect();
  if ((event->buttons() & Qt::LeftButton) && !inside.contains(at)) {
    scrollDx_ = at.x() < 0 ? -1 : at.x() >= inside.width() ? 1 : 0;
    scrollDy_ = at.y() < 0 ? -1 : at.y() >= inside.height() ? 1 : 0;
    if (!scrollTimer_.isActive()) scrollTimer_.start();
    return;
  }
  scrollTimer_.stop();
  model_->MouseMove(at.x(), at.y());
}

void cuiGrid::TimedScroll() {
  if (model_ && (scrollDx_ || scrollDy_)) model_->TimedScroll(scrollDx_, scrollDy_);
}

void cuiGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!model_ || event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  model_->DoubleClick(at.x(), at.y());
}

void cuiGrid::wheelEvent(QWheelEvent* event) {
  if (!model_) return;
  wheelRest_ += event->angleDelta().y();
  // One cursor step per notch; the model records the direction.
  while (std::abs(wheelRest_) >= QWheelEvent::DefaultDeltasPerStep) {
    const int step = wheelRest_ > 0 ? QWheelEvent::DefaultDeltasPerStep : -QWheelEvent::DefaultDeltasPerStep;
    wheelRest_ -= step;
    model_->Wheel(step);
  }
  event->accept();
}

void cuiGrid::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  if (model_ && event->reason() != Qt::PopupFocusReason) model_->FocusChanged(true);
  viewport()->update();
}

void cuiGrid::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  // The popup menu taking the focus leaves the sheet's menu in place.
  if (model_ && event->reason() != Qt::PopupFocusReason) model_->FocusChanged(false);
  viewport()->update();
}
