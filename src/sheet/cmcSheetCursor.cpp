#include "sheet/cmcSheetCursor.h"

#include <algorithm>
#include <cstdlib>

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }
int Wrap(int v, int n) { return n > 0 ? ((v % n) + n) % n : 0; }
bool Between(int v, int a, int b) { return v >= std::min(a, b) && v <= std::max(a, b); }

}  // namespace

void cmcSheetCursor::Reset() {
  cols_ = grid_.Cols();
  bits_.assign(static_cast<size_t>(cols_) * static_cast<size_t>(std::max(grid_.Rows(), 0)), 0);
  col_ = row_ = 0;
  anchor_ = {0, 0};
  selAnchor_ = {};
  multiActive_ = false;
  highlightsCleared_ = false;
}

bool cmcSheetCursor::Inside(int col, int row) const {
  return col >= 0 && row >= 0 && col < grid_.Cols() && row < grid_.Rows();
}

bool cmcSheetCursor::Bit(int col, int row, uint8_t bit) const {
  return Inside(col, row) && (bits_[static_cast<size_t>(col + row * cols_)] & bit) != 0;
}

void cmcSheetCursor::SetBit(int col, int row, uint8_t bit, bool on) {
  if (!Inside(col, row)) return;
  uint8_t& bits = bits_[static_cast<size_t>(col + row * cols_)];
  const uint8_t next = on ? bits | bit : bits & static_cast<uint8_t>(~bit);
  if (next == bits) return;
  bits = next;
  if (changed_) changed_(col, row);
}

bool cmcSheetCursor::StraightAhead(int& e, int& d, int sx, int sy, bool wrap) const {
  int c = e, r = d;
  for (;;) {
    c += sx;
    r += sy;
    if (wrap) {
      c = Wrap(c, grid_.Cols());
      r = Wrap(r, grid_.Rows());
      if (c == e && r == d) return false;
    } else if (!Inside(c, r)) {
      return false;
    }
    if (grid_.Selectable(c, r)) {
      e = c;
      d = r;
      return true;
    }
  }
}

bool cmcSheetCursor::Nearest(int& e, int& d, int sx, int sy) const {
  const bool horizontal = sx != 0;
  int c = (horizontal ? e : anchor_.col) + sx;
  int r = (horizontal ? anchor_.row : d) + sy;
  for (; Inside(c, r); c += sx, r += sy) {
    // The selectable cell of this column (row) nearest to the line; the first on ties.
    int best = -1, bestDistance = 0;
    const int count = horizontal ? grid_.Rows() : grid_.Cols();
    for (int i = 0; i < count; ++i) {
      const int distance = std::abs(i - (horizontal ? r : c));
      if ((horizontal ? grid_.Selectable(c, i) : grid_.Selectable(i, r)) && (best < 0 || distance < bestDistance)) {
        best = i;
        bestDistance = distance;
      }
    }
    if (best >= 0) (horizontal ? r : c) = best;
    if (grid_.Selectable(c, r)) {
      e = c;
      d = r;
      return true;
    }
  }
  return false;
}

cmcSheetCoord cmcSheetCursor::Step(int dx, int dy, bool popup, bool mouseOperation) {
  if (dx != 0) dy = 0;
  const int sx = Sign(dx), sy = Sign(dy);
  const bool wrap = popup && std::abs(dx) <= 1 && std::abs(dy) <= 1 && !mouseOperation;
  int e = col_, d = row_;
  for (int steps = std::max(std::abs(dx), std::abs(dy)); steps > 0; --steps) {
    if (!StraightAhead(e, d, sx, sy, wrap) && !popup) Nearest(e, d, sx, sy);
    anchor_ = {e, d};
  }
  return {e, d};
}

bool cmcSheetCursor::MayMoveTo(int col, int row) const {
  return Inside(col, row) && grid_.Selectable(col, row) && (!multiActive_ || grid_.MayJoinMulti(col, row));
}

void cmcSheetCursor::MoveTo(int col, int row, bool extending, bool busy) {
  const int oldCol = col_, oldRow = row_;
  const bool changes = col != oldCol || row != oldRow;
  const bool multi = ((grid_.MultiSelectMode() != 0 && changes) || multiActive_) &&
                     grid_.MayJoinMulti(oldCol, oldRow) && grid_.MayJoinMulti(col, row);
  if (!multi || !extending || selAnchor_.col < 0) selAnchor_ = {col, row};
  if (busy) extending = false;
  if (extending && multi) {
    const int left = std::min({selAnchor_.col, oldCol, col}), right = std::max({selAnchor_.col, oldCol, col});
    const int top = std::min({selAnchor_.row, oldRow, row}), bottom = std::max({selAnchor_.row, oldRow, row});
    for (int r = top; r <= bottom; ++r)
      for (int c = left; c <= right; ++c)
        SetBit(c, r, kSelected,
               Between(c, selAnchor_.col, col) && Between(r, selAnchor_.row, row) && grid_.Selectable(c, r));
    multiActive_ = true;
  } else if (multiActive_) {
    for (int r = 0; r < grid_.Rows(); ++r)
      for (int c = 0; c < cols_; ++c) SetBit(c, r, kSelected, false);
    multiActive_ = false;
  } else {
    SetBit(oldCol, oldRow, kSelected, false);
    SetBit(oldCol, oldRow, kHighlighted, false);
  }
  col_ = col;
  row_ = row;
  if (grid_.Selectable(col, row)) SetBit(col, row, kSelected, true);
  UpdateLineHighlights();
}

void cmcSheetCursor::Place(int col, int row) {
  col_ = col;
  row_ = row;
  anchor_ = {col, row};
}

void cmcSheetCursor::ClearMulti() {
  for (int r = 0; r < grid_.Rows(); ++r)
    for (int c = 0; c < cols_; ++c) SetBit(c, r, kSelected, false);
  multiActive_ = false;
  UpdateLineHighlights();
}

void cmcSheetCursor::SelectWhere(const std::function<bool(int col, int row)>& take, int anchorRow) {
  for (int r = 0; r < grid_.Rows(); ++r)
    for (int c = 0; c < cols_; ++c) SetBit(c, r, kSelected, grid_.Selectable(c, r) && take(c, r));
  selAnchor_ = {col_, anchorRow};
  multiActive_ = true;
  UpdateLineHighlights();
}

void cmcSheetCursor::SelectCurrent() {
  ClearMulti();
  selAnchor_ = {col_, row_};
  if (grid_.Selectable(col_, row_)) SetBit(col_, row_, kSelected, true);
}

void cmcSheetCursor::UpdateLineHighlights() {
  if (multiActive_ && grid_.MultiSelectMode() == 2) {
    highlightsCleared_ = false;
    for (int r = 0; r < grid_.Rows(); ++r) {
      bool any = false;
      for (int c = 0; c < cols_ && !any; ++c) any = Selected(c, r);
      for (int c = 0; c < cols_; ++c) SetBit(c, r, kHighlighted, any && c >= grid_.FixedCols());
    }
    return;
  }
  if (multiActive_ || highlightsCleared_) return;
  for (int r = 0; r < grid_.Rows(); ++r)
    for (int c = 0; c < cols_; ++c) SetBit(c, r, kHighlighted, false);
  highlightsCleared_ = true;
}
