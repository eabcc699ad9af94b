#pragma once
// The grid of a sheet: an owner-drawn scroll area over a sheet model. It paints the
// cells the model's layout shows (fixed rows and columns never scroll) and forwards
// keys, mouse, wheel, focus, scrolling and its size to the model, which decides
// everything. It adds what only a window has: both scroll bars mirroring the layout's
// left column and top row (thumb tracking), the resizing of columns by their border in
// the fixed rows when the sheet allows it, and a timed scroll while a drag is beyond
// the edge. It has no border.
#include <QAbstractScrollArea>
#include <QTimer>
#include <functional>

#include "sheet/ui/cuiQtMeasure.h"

class cmcSheetModel;

class cuiGrid : public QAbstractScrollArea {
  Q_OBJECT
 public:
  // How close to a column's right border the mouse resizes it.
  static constexpr int kSizingMargin = 3;
  static constexpr int kTimedScrollMs = 60;

  explicit cuiGrid(QWidget* parent = nullptr);

  // The sheet shown; none shows an empty grid. The model is not owned.
  void SetModel(cmcSheetModel* model);
  cmcSheetModel* Model() const { return model_; }
  // The measure sheets shown here are built with.
  const cuiQtMeasure& Measure() const { return measure_; }

  // The model's layout or scroll position changed: the client size, the scroll bars
  // and the whole grid follow.
  void LayoutChanged();
  void Scrolled();
  void RepaintCell(int col, int row);
  // A cell's rectangle in the viewport; empty when it is not shown.
  QRect CellRect(int col, int row) const;
  // Sees every key before the model; true when it used the key (popup menu shortcuts).
  void SetKeyFilter(std::function<bool(QKeyEvent*)> filter) { keyFilter_ = std::move(filter); }
  // A window sized to its sheet decides the grid's size.
  QSize minimumSizeHint() const override { return {0, 0}; }

 signals:
  // The right button asks for the current cell's popup menu.
  void popupMenuRequested(const QPoint& globalPos);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void scrollContentsBy(int, int) override {}

 private:
  // The column whose right border lies under a point of the fixed rows; -1 for none.
  int SizingColumn(const QPoint& at) const;
  void SyncScrollBars();
  void ScrollBarMoved();
  void TimedScroll();

  cmcSheetModel* model_ = nullptr;
  cuiQtMeasure measure_;
  std::function<bool(QKeyEvent*)> keyFilter_;
  bool syncing_ = false;
  int sizingCol_ = -1;
  int sizingStart_ = 0;  // the column's left edge
  QTimer scrollTimer_;
  int scrollDx_ = 0;
  int scrollDy_ = 0;
  int wheelRest_ = 0;
};
