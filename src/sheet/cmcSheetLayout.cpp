#include "sheet/cmcSheetLayout.h"

#include <algorithm>
#include <numeric>

#include "sheet/cmcTextMeasure.h"

namespace {

// The first index from which the sizes up to the end fit into space, never before
// first; the last index when not even that one fits.
int FirstThatFillsTo(const std::vector<int>& sizes, int first, int space) {
  const int count = static_cast<int>(sizes.size());
  int start = count;
  for (int used = 0; start > first; --start) {
    used += sizes[static_cast<size_t>(start) - 1];
    if (used > space) break;
  }
  return std::clamp(start, first, std::max(first, count - 1));
}

// How many sizes from first on end within space.
int WholeCount(const std::vector<int>& sizes, int first, int space) {
  int n = 0;
  for (size_t i = static_cast<size_t>(first); i < sizes.size(); ++i, ++n) {
    space -= sizes[i];
    if (space < 0) break;
  }
  return n;
}

int Sum(const std::vector<int>& sizes, int from, int to) {
  return std::accumulate(sizes.begin() + from, sizes.begin() + to, 0);
}

}  // namespace

void cmcSheetLayout::Reset(int cols, int rows, int defaultColWidth, int defaultRowHeight) {
  widths_.assign(static_cast<size_t>(std::max(cols, 0)), defaultColWidth);
  heights_.assign(static_cast<size_t>(std::max(rows, 0)), defaultRowHeight);
  limited_.assign(widths_.size(), false);
  fixedCols_ = fixedRows_ = 0;
  leftCol_ = topRow_ = 0;
}

void cmcSheetLayout::SetFixed(int fixedCols, int fixedRows) {
  fixedCols_ = std::clamp(fixedCols, 0, std::max(ColCount() - 1, 0));
  fixedRows_ = std::clamp(fixedRows, 0, std::max(RowCount() - 1, 0));
  leftCol_ = std::clamp(leftCol_, fixedCols_, MaxLeftCol());
  topRow_ = std::clamp(topRow_, fixedRows_, MaxTopRow());
}

int cmcSheetLayout::ColWidth(int col) const {
  return col >= 0 && col < ColCount() ? widths_[static_cast<size_t>(col)] : 0;
}

int cmcSheetLayout::RowHeight(int row) const {
  return row >= 0 && row < RowCount() ? heights_[static_cast<size_t>(row)] : 0;
}

void cmcSheetLayout::SetColWidth(int col, int width) {
  if (col >= 0 && col < ColCount()) widths_[static_cast<size_t>(col)] = std::max(width, 0);
}

void cmcSheetLayout::SetRowHeight(int row, int height) {
  if (row >= 0 && row < RowCount()) heights_[static_cast<size_t>(row)] = std::max(height, 0);
}

void cmcSheetLayout::SetRowCount(int rows) {
  rows = std::max(rows, 0);
  while (RowCount() < rows) heights_.push_back(heights_.empty() ? 1 : heights_.back());
  heights_.resize(static_cast<size_t>(rows));
  SetFixed(fixedCols_, fixedRows_);
}

void cmcSheetLayout::SetClientSize(int width, int height) {
  clientWidth_ = std::max(width, 0);
  clientHeight_ = std::max(height, 0);
  leftCol_ = std::clamp(leftCol_, fixedCols_, MaxLeftCol());
  topRow_ = std::clamp(topRow_, fixedRows_, MaxTopRow());
}

int cmcSheetLayout::FixedWidth() const { return Sum(widths_, 0, std::min(fixedCols_, ColCount())); }
int cmcSheetLayout::FixedHeight() const { return Sum(heights_, 0, std::min(fixedRows_, RowCount())); }

int cmcSheetLayout::MaxLeftCol() const { return FirstThatFillsTo(widths_, fixedCols_, clientWidth_ - FixedWidth()); }
int cmcSheetLayout::MaxTopRow() const { return FirstThatFillsTo(heights_, fixedRows_, clientHeight_ - FixedHeight()); }

bool cmcSheetLayout::SetLeftCol(int col) {
  const int before = leftCol_;
  leftCol_ = std::clamp(col, fixedCols_, MaxLeftCol());
  return leftCol_ != before;
}

bool cmcSheetLayout::SetTopRow(int row) {
  const int before = topRow_;
  topRow_ = std::clamp(row, fixedRows_, MaxTopRow());
  return topRow_ != before;
}

bool cmcSheetLayout::ScrollIntoView(int col, int row) {
  bool moved = false;
  if (col >= fixedCols_ && col < ColCount()) {
    int left = std::min(leftCol_, col);
    const int space = clientWidth_ - FixedWidth();
    while (left < col && Sum(widths_, left, col + 1) > space) ++left;
    moved = SetLeftCol(left) || moved;
  }
  if (row >= fixedRows_ && row < RowCount()) {
    int top = std::min(topRow_, row);
    const int space = clientHeight_ - FixedHeight();
    while (top < row && Sum(heights_, top, row + 1) > space) ++top;
    moved = SetTopRow(top) || moved;
  }
  return moved;
}

int cmcSheetLayout::VisibleColCount() const { return WholeCount(widths_, leftCol_, clientWidth_ - FixedWidth()); }
int cmcSheetLayout::VisibleRowCount() const { return WholeCount(heights_, topRow_, clientHeight_ - FixedHeight()); }

cmcSheetRect cmcSheetLayout::CellRect(int col, int row) const {
  if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return {};
  if ((col >= fixedCols_ && col < leftCol_) || (row >= fixedRows_ && row < topRow_)) return {};
  const int x = col < fixedCols_ ? Sum(widths_, 0, col) : FixedWidth() + Sum(widths_, leftCol_, col);
  const int y = row < fixedRows_ ? Sum(heights_, 0, row) : FixedHeight() + Sum(heights_, topRow_, row);
  if (x >= clientWidth_ || y >= clientHeight_) return {};
  return {x, y, x + ColWidth(col), y + RowHeight(row)};
}

cmcSheetCoord cmcSheetLayout::MouseCoord(int x, int y) const {
  // The band holding p: the fixed ones first, then those from the first scrolled one.
  const auto find = [](const std::vector<int>& sizes, int fixed, int first, int p) {
    const int count = static_cast<int>(sizes.size());
    if (p < 0) return -1;
    for (int pass = 0; pass < 2; ++pass)
      for (int i = pass ? first : 0; i < (pass ? count : std::min(fixed, count)); ++i) {
        if (p < sizes[static_cast<size_t>(i)]) return i;
        p -= sizes[static_cast<size_t>(i)];
      }
    return -1;
  };
  const int col = find(widths_, fixedCols_, leftCol_, x);
  const int row = find(heights_, fixedRows_, topRow_, y);
  if (col < 0 || row < 0) return {};
  return {col, row};
}

int cmcSheetLayout::GridWidth() const { return Sum(widths_, 0, ColCount()); }
int cmcSheetLayout::GridHeight() const { return Sum(heights_, 0, RowCount()); }

void cmcSheetLayout::SetLimited(int col, bool limited) {
  if (col >= 0 && col < ColCount()) limited_[static_cast<size_t>(col)] = limited;
}

bool cmcSheetLayout::Limited(int col) const {
  return col >= 0 && col < ColCount() && limited_[static_cast<size_t>(col)];
}

void cmcSheetLayout::ApplyWidthLimits(bool loading) {
  // Without a client area yet (a sheet not shown) only the fixed limit applies.
  const int most =
      loading || clientWidth_ == 0 ? kMaxColWidth : std::clamp(clientWidth_ - FixedWidth(), kMinColWidth, kMaxColWidth);
  for (int c = 0; c < ColCount(); ++c)
    if (Limited(c)) SetColWidth(c, std::clamp(ColWidth(c), kMinColWidth, most));
}

int cmcSheetLayout::FitWidth(int textWidth, int printScale) {
  return static_cast<int>(textWidth + 8.0 * printScale + 0.5);
}

int cmcSheetLayout::FitHeight(int textHeight, int printScale, double rowMargin) {
  return static_cast<int>(textHeight + 2.0 * printScale + rowMargin);
}

void cmcSheetLayout::FitColumn(int col, std::span<const FitText> texts, const cmcTextMeasure& measure, int printScale) {
  int width = 0;
  for (const FitText& t : texts)
    if (t.font) width = std::max(width, FitWidth(measure.TextExtent(t.text, *t.font).width, printScale));
  SetColWidth(col, width);
}
