#include "shell/ui/cuiPaneArea.h"

#include <QMouseEvent>
#include <QVBoxLayout>

// A 3-pixel bar the user drags up and down; the layout keeps the panes beside it at
// their least height.
class cuiPaneArea::Splitter : public QWidget {
 public:
  Splitter(cuiPaneArea& area, indPaneLayout::Splitter which) : QWidget(&area), area_(area), which_(which) {
    setObjectName(which == indPaneLayout::Splitter::kUpper ? "UpperSplitter" : "LowerSplitter");
    setCursor(Qt::SizeVerCursor);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) grab_ = event->position().toPoint().y();
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const int y = mapToParent(event->position().toPoint()).y() - grab_;
    area_.layout_.DragSplitter(which_, y);
    area_.Apply();
  }

 private:
  cuiPaneArea& area_;
  indPaneLayout::Splitter which_;
  int grab_ = 0;
};

namespace {
constexpr const char* kPaneNames[] = {"SheetPane", "MchPane", "HelpPane"};
}

cuiPaneArea::cuiPaneArea(indPaneLayout& layout, ConditionsFn conditions, QWidget* parent)
    : QWidget(parent), layout_(layout), conditions_(std::move(conditions)) {
  setObjectName("RightPanel");
  for (size_t i = 0; i < panes_.size(); ++i) {
    panes_[i] = new QWidget(this);
    panes_[i]->setObjectName(kPaneNames[i]);
    auto* box = new QVBoxLayout(panes_[i]);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
  }
  upper_ = new Splitter(*this, indPaneLayout::Splitter::kUpper);
  lower_ = new Splitter(*this, indPaneLayout::Splitter::kLower);
}

void cuiPaneArea::Create() {
  layout_.Create(height());
  created_ = true;
  Apply();
}

void cuiPaneArea::Idle() {
  if (created_ && layout_.Idle(conditions_())) Apply();
}

void cuiPaneArea::Apply() {
  const indPaneLayout::Geometry& g = layout_.Panes();
  const int w = width();
  for (int p = indPaneLayout::kSheet; p <= indPaneLayout::kHelp; ++p) {
    const auto pane = static_cast<indPaneLayout::Pane>(p);
    QWidget* widget = panes_[static_cast<size_t>(p)];
    const bool shown = g.shown[static_cast<size_t>(p)];
    if (shown) widget->setGeometry(0, g.Top(pane), w, g.height[static_cast<size_t>(p)]);
    widget->setVisible(shown);
  }
  upper_->setVisible(g.upperSplitter);
  if (g.upperSplitter)
    upper_->setGeometry(0, g.Top(indPaneLayout::kSheet) + g.height[indPaneLayout::kSheet], w, indPaneLayout::kSplitter);
  lower_->setVisible(g.lowerSplitter);
  if (g.lowerSplitter)
    lower_->setGeometry(0, g.Top(indPaneLayout::kHelp) - indPaneLayout::kSplitter, w, indPaneLayout::kSplitter);
}

void cuiPaneArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!created_) return;
  layout_.Resize(height(), conditions_());
  Apply();
}
