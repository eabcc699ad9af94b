#include "shell/ui/cuiStatusBar.h"

#include <QPainter>

#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "sheet/ui/cuiCellStyle.h"

class cuiStatusBar::TextPanel : public QWidget {
 public:
  explicit TextPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("StatusText");
    setMinimumWidth(kMinTextPanel);
    // One line of the bar's font with a little room, as a status bar panel has.
    setMinimumHeight(fontMetrics().height() + 6);
    text_ = palette().color(QPalette::WindowText);
    back_ = palette().color(QPalette::Button);
  }
  void Set(const QString& text, const QColor& textColour, const QColor& background) {
    value_ = text;
    text_ = textColour;
    back_ = background;
    update();
  }
  const QString& Value() const { return value_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), back_);
    painter.setPen(text_);
    painter.drawText(rect().adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, value_);
  }

 private:
  QString value_;
  QColor text_;
  QColor back_;
};

cuiStatusBar::cuiStatusBar(cmcEvMan& events, QWidget* parent) : QStatusBar(parent), events_(events) {
  setObjectName("StatusBar");
  setSizeGripEnabled(false);
  text_ = new TextPanel(this);
  corner_ = new QWidget(this);
  corner_->setObjectName("StatusCorner");
  addWidget(text_, 1);
  addPermanentWidget(corner_);
  events_.Listen<&cuiStatusBar::OnEvent>(this);
}

cuiStatusBar::~cuiStatusBar() { events_.Unlisten<&cuiStatusBar::OnEvent>(this); }

void cuiStatusBar::SetStatus(const QString& text, const QColor& textColour, const QColor& background) {
  text_->Set(text, textColour, background);
}

const QString& cuiStatusBar::Text() const { return text_->Value(); }

void cuiStatusBar::InsertBeforeLast(QWidget* panel) {
  // Items count from the text panel (0); the corner follows the inserted panels.
  insertPermanentWidget(1 + inserted_, panel);
  ++inserted_;
}

void cuiStatusBar::resizeEvent(QResizeEvent* event) {
  QStatusBar::resizeEvent(event);
  corner_->setFixedWidth(height());
}

void cuiStatusBar::OnEvent(cmcEvent& event) {
  if (event.code != kEvStatusText) return;
  const QPalette& p = palette();
  SetStatus(QString::fromStdString(event.Text()), cuiCellStyle::Colour(static_cast<uint32_t>(event.sender), p),
            cuiCellStyle::Colour(static_cast<uint32_t>(event.argument), p));
}
