#include "clone/ui/cuiProgressWindow.h"

#include <qdrawutil.h>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

cuiProgressWindow::cuiProgressWindow(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      owner_(owner) {
  setObjectName("CloneProgress");
  setWindowTitle(QStringLiteral("Cloning"));
  const QSize bar(kBoxWidth + 2 * kBevel, kBoxHeight + 2 * kBevel);
  setFixedSize(bar + QSize(kMargin, kMargin));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect cuiProgressWindow::Box() const { return {kBarLeft + kBevel, kBarTop + kBevel, kBoxWidth, kBoxHeight}; }

void cuiProgressWindow::Open() {
  filled_ = 0;
  closing_ = false;
  // Centred over the main window, on its screen.
  const QWidget* over = owner_ ? owner_->window() : nullptr;
  QRect area = over ? over->frameGeometry() : QRect();
  const QScreen* screen = over ? over->screen() : QGuiApplication::primaryScreen();
  if (area.isEmpty() && screen) area = screen->availableGeometry();
  QRect frame(QPoint(), size());
  frame.moveCenter(area.center());
  if (screen) {
    const QRect work = screen->availableGeometry();
    frame.moveLeft(std::clamp(frame.left(), work.left(), std::max(work.left(), work.right() - frame.width() + 1)));
    frame.moveTop(std::clamp(frame.top(), work.top(), std::max(work.top(), work.bottom() - frame.height() + 1)));
  }
  move(frame.topLeft());
  show();
  raise();
}

void cuiProgressWindow::Update(int, int, int filled) {
  if (filled == filled_) return;
  filled_ = filled;
  update(Box());
}

void cuiProgressWindow::Close() {
  closing_ = true;
  hide();
  closing_ = false;
}

void cuiProgressWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor window = palette().color(QPalette::Base);
  const QColor highlight = palette().color(QPalette::Highlight);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  const QRect box = Box();
  qDrawShadePanel(&painter, box.adjusted(-kBevel, -kBevel, kBevel, kBevel), palette(), true, kBevel);
  const int segment = box.width() / kSegments;
  painter.fillRect(box, window);
  for (int i = 0; i < kSegments; ++i) {
    const QRect cell(box.left() + i * segment, box.top(), segment, box.height());
    painter.fillRect(cell, i < filled_ ? highlight : window);
    // The rightmost column of every segment stays in the window colour: the gap.
    painter.fillRect(QRect(cell.right(), cell.top(), 1, cell.height()), window);
  }
}

void cuiProgressWindow::closeEvent(QCloseEvent* event) {
  if (closing_)
    event->accept();
  else
    event->ignore();
}

void cuiProgressWindow::keyPressEvent(QKeyEvent* event) {
  // Escape closes nothing here: the exchange runs to its end.
  event->accept();
}
