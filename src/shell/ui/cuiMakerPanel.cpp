#include "shell/ui/cuiMakerPanel.h"

#include <QEvent>
#include <QPainter>

#include "shell/ui/cuiStatusBar.h"

namespace {

const QColor kBackground(128, 0, 0);

}  // namespace

cuiMakerPanel* cuiMakerPanel::AddTo(cuiStatusBar& bar, const QString& text) {
  auto* panel = new cuiMakerPanel(text, &bar);
  bar.InsertBeforeLast(panel);
  panel->show();
  return panel;
}

cuiMakerPanel::cuiMakerPanel(const QString& text, QWidget* parent) : QWidget(parent), text_(text) {
  setObjectName("StatusMaker");
  FitWidth();
}

void cuiMakerPanel::FitWidth() {
  const QFontMetrics metrics = fontMetrics();
  setFixedWidth(metrics.horizontalAdvance(text_) + metrics.horizontalAdvance(QStringLiteral("XX")));
}

QSize cuiMakerPanel::sizeHint() const { return {width(), fontMetrics().height() + 6}; }

void cuiMakerPanel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) FitWidth();
  QWidget::changeEvent(event);
}

void cuiMakerPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kBackground);
  painter.setPen(Qt::white);
  painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text_);
}
