#include "shell/indPaneLayout.h"

#include <algorithm>

#include "shell/indEnviron.h"

namespace {

// A pane below this after a resize in state 4 is raised to it.
constexpr int kResizeFloor = 89;

}  // namespace

int indPaneLayout::Geometry::Top(Pane pane) const {
  int top = 0;
  for (int p = kSheet; p < pane; ++p)
    if (shown[static_cast<size_t>(p)]) top += height[static_cast<size_t>(p)];
  if (pane > kSheet && upperSplitter) top += kSplitter;
  if (pane > kMch && lowerSplitter) top += kSplitter;
  return top;
}

indPaneLayout::indPaneLayout(indEnviron& environ) : environ_(environ) {}

int indPaneLayout::StateOf(const Conditions& c) {
  if (c.bankSheet) {
    if (c.helpView) return c.mchView ? 4 : 3;
    return c.mchView ? 6 : 5;
  }
  if (!c.cellHelp) return 1;
  return c.helpView ? 2 : 7;
}

void indPaneLayout::Create(int rightHeight) {
  panes_ = Geometry();
  panes_.rightHeight = rightHeight;
  panes_.height[kSheet] = environ_.dockMemWinHeight != 0 ? environ_.dockMemWinHeight : rightHeight / 4;
  panes_.height[kHelp] = environ_.dockPHelpWinHeight != 0 ? environ_.dockPHelpWinHeight : rightHeight / 9 * 2;
  Show(true, true, true, kMch);
  RecordPaneHeights(0);
  state_ = 0;
}

void indPaneLayout::Show(bool sheet, bool mch, bool help, Pane fill) {
  panes_.shown = {sheet, mch, help};
  panes_.upperSplitter = sheet && mch;
  panes_.lowerSplitter = help && (sheet || mch);
  panes_.fill = fill;
  Resolve();
}

void indPaneLayout::Resolve() {
  int rest = panes_.rightHeight;
  for (int p = kSheet; p <= kHelp; ++p)
    if (panes_.shown[static_cast<size_t>(p)] && p != panes_.fill) rest -= panes_.height[static_cast<size_t>(p)];
  rest -= (panes_.upperSplitter ? kSplitter : 0) + (panes_.lowerSplitter ? kSplitter : 0);
  panes_.height[static_cast<size_t>(panes_.fill)] = std::max(rest, 0);
}

bool indPaneLayout::Idle(const Conditions& conditions) {
  const int target = StateOf(conditions);
  const bool arrange = state_ != target;
  if (arrange) Arrange(target, lastState_);
  state_ = lastState_ = target;
  RecordPaneHeights(state_);
  return arrange;
}

void indPaneLayout::Arrange(int state, int previous) {
  switch (state) {
    case 2:
    case 3:
      ArrangeSheetAndHelp(state, previous);
      break;
    case 4:
      ArrangeAll(previous);
      break;
    case 6:
      ArrangeSheetAndMch(previous);
      break;
    default:
      Show(true, false, false, kSheet);
      break;
  }
}

// The sizes below subtract the splitters, so that the pane that gives way keeps its
// 90 pixels exactly.
void indPaneLayout::ArrangeSheetAndHelp(int state, int previous) {
  const int r = panes_.rightHeight;
  int& help = panes_.height[kHelp];
  if (r != rightFor23_) {
    if (previous == state && r < help)
      help = r - kMinPane - kSplitter;
    else if (previous != state)
      help = heights_.helpAlone;
  }
  if (previous != state && r < help) help = r - kMinPane - kSplitter;
  Show(true, false, true, kSheet);
}

void indPaneLayout::ArrangeSheetAndMch(int previous) {
  const int r = panes_.rightHeight;
  int& sheet = panes_.height[kSheet];
  if (r == rightFor6_ || previous != 6)
    sheet = heights_.sheetWithMch;
  else
    sheet = r < sheet ? r - kMinPane - kSplitter : heights_.sheetWithMch;
  if (previous != 6 && r < sheet) sheet = r - kMinPane - kSplitter;
  Show(true, true, false, kMch);
}

void indPaneLayout::ArrangeAll(int previous) {
  const int r = panes_.rightHeight;
  int s = panes_.height[kSheet];
  int m = panes_.height[kMch];
  int h = panes_.height[kHelp];
  const Heights& k = heights_;
  bool split = false;  // the default split: a quarter and two ninths
  if (r == rightFor4_) {
    s = k.sheetWithBoth, m = k.mchWithHelp, h = k.helpWithMch;
  } else if (previous == 4 && h < kMinPane) {
    if (m >= kMinPane)
      h = kResizeFloor, s = k.sheetWithBoth;
    else
      h = kMinPane, s = r - m - h - 2 * kSplitter;  // the memory channel pane keeps its height
  } else if (previous == 1 && r < k.sheetWithBoth + k.mchWithHelp + k.helpWithMch) {
    split = true;
  } else {
    s = k.sheetWithBoth, m = k.mchWithHelp, h = k.helpWithMch;
  }
  if (split || s == 0 || m == 0 || h == 0 || (previous != 4 && r < s + m + h)) {
    s = r / 4;
    h = r / 9 * 2;
  }
  panes_.height[kSheet] = s;
  panes_.height[kHelp] = h;
  Show(true, true, true, kMch);
}

void indPaneLayout::Resize(int rightHeight, const Conditions& conditions) {
  panes_.rightHeight = rightHeight;
  Resolve();
  if (!conditions.bankSheet && !conditions.cellHelp) return;
  if (StateOf(conditions) == 4 && panes_.shown[kMch] && panes_.shown[kHelp]) {
    const int m = panes_.height[kMch];
    const int h = panes_.height[kHelp];
    panes_.fill = m < kMinPane && h < kMinPane ? kSheet : m < kMinPane ? kHelp : kMch;
    for (const Pane p : {kMch, kHelp})
      if (p != panes_.fill) panes_.height[p] = std::max(panes_.height[p], kResizeFloor);
    Resolve();
    // A lower pane that took more than it had left stops taking: the sheet pane does.
    if (panes_.fill != kSheet && panes_.height[panes_.fill] < kResizeFloor) {
      panes_.height[panes_.fill] = kResizeFloor;
      panes_.fill = kSheet;
      Resolve();
    }
    // The re-stacked heights are this arrangement's now: the next idle pass keeps
    // them instead of restoring those of before the resize.
    RecordPaneHeights(4);
  }
  state_ = 0;
}

void indPaneLayout::DragSplitter(Splitter splitter, int y) {
  const bool upper = splitter == Splitter::kUpper;
  if (upper ? !panes_.upperSplitter : !panes_.lowerSplitter) return;
  const Pane above = upper ? kSheet : (panes_.shown[kMch] ? kMch : kSheet);
  const Pane below = upper ? kMch : kHelp;
  const int top = panes_.Top(above);
  const int bottom = panes_.Top(below) + panes_.height[below];
  const int lowest = top + kMinPane;
  const int highest = bottom - kSplitter - kMinPane;
  if (lowest <= highest) y = std::clamp(y, lowest, highest);
  panes_.height[above] = std::max(y - top, 0);
  panes_.height[below] = std::max(bottom - y - kSplitter, 0);
  Resolve();
}

void indPaneLayout::RecordPaneHeights(int state) {
  const int r = panes_.rightHeight;
  for (int* right : {&rightFor23_, &rightFor4_, &rightFor6_})
    if (*right == 0) *right = r;
  struct Known {
    int& height;
    int setting;
    Pane pane;
  };
  const Known known[] = {
      {heights_.sheetAlone, environ_.sMemWinHeight, kSheet},
      {heights_.sheetWithMch, environ_.sMemWinHeightWithMCH, kSheet},
      {heights_.sheetWithHelp, environ_.sMemWinHeightWithHelp, kSheet},
      {heights_.sheetWithBoth, environ_.sMemWinHeightWithMCHandHelp, kSheet},
      {heights_.mchAlone, environ_.sMchWinHeight, kMch},
      {heights_.mchWithHelp, environ_.sMchWinHeightWithHelp, kMch},
      {heights_.helpAlone, environ_.sHelpWinHeight, kHelp},
      {heights_.helpWithMch, environ_.sHelpWinHeightWithMCH, kHelp},
  };
  for (const Known& k : known)
    if (k.height == 0) k.height = k.setting != 0 ? k.setting : panes_.height[k.pane];
  const int s = panes_.height[kSheet];
  const int m = panes_.height[kMch];
  const int h = panes_.height[kHelp];
  switch (state) {
    case 1:
    case 5:
    case 7:
      heights_.sheetAlone = s;
      break;
    case 2:
    case 3:
      rightFor23_ = r;
      if (panes_.shown[kHelp]) heights_.sheetWithHelp = s, heights_.helpAlone = h;
      break;
    case 4:
      rightFor4_ = r;
      if (panes_.shown[kMch] && panes_.shown[kHelp]) {
        heights_.sheetWithBoth = s, heights_.mchWithHelp = m, heights_.helpWithMch = h;
        heights_.sheetWithMch = s;
      }
      break;
    case 6:
      rightFor6_ = r;
      if (panes_.shown[kMch]) heights_.sheetWithMch = s, heights_.mchAlone = m;
      break;
    default:
      break;
  }
  SaveSettings();
}

void indPaneLayout::SaveSettings() {
  environ_.sMemWinHeight = heights_.sheetAlone;
  environ_.sMemWinHeightWithMCH = heights_.sheetWithMch;
  environ_.sMemWinHeightWithHelp = heights_.sheetWithHelp;
  environ_.sMemWinHeightWithMCHandHelp = heights_.sheetWithBoth;
  environ_.sMchWinHeight = heights_.mchAlone;
  environ_.sMchWinHeightWithHelp = heights_.mchWithHelp;
  environ_.sHelpWinHeight = heights_.helpAlone;
  environ_.sHelpWinHeightWithMCH = heights_.helpWithMch;
}
