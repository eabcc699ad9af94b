#pragma once
// The main window's right panel: the sheet pane, the memory channel pane and the help
// pane, stacked with the upper and lower splitters between them exactly as the pane
// layout (indPaneLayout) places them. The panel reports its resizes and the user's
// splitter drags to the layout and follows its geometry; the layout decides.
#include <QWidget>
#include <array>
#include <functional>

#include "shell/indPaneLayout.h"

class cuiPaneArea : public QWidget {
  Q_OBJECT
 public:
  using ConditionsFn = std::function<indPaneLayout::Conditions()>;

  cuiPaneArea(indPaneLayout& layout, ConditionsFn conditions, QWidget* parent = nullptr);

  QWidget* Pane(indPaneLayout::Pane pane) const { return panes_[static_cast<size_t>(pane)]; }
  // Makes the layout's panes for the panel's present height (start-up).
  void Create();
  // An idle pass of the layout manager; the panes follow when it arranged them.
  void Idle();
  // Places the panes and splitters where the layout has them.
  void Apply();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  class Splitter;

  indPaneLayout& layout_;
  ConditionsFn conditions_;
  std::array<QWidget*, 3> panes_{};
  Splitter* upper_;
  Splitter* lower_;
  bool created_ = false;
};
