#pragma once
// The cursor of a sheet and its selections: the current cell, the cursor anchor that
// keyboard steps keep their line by, the selection anchor, single and multi-cell
// selection in Cell and Line modes and each cell's selected and line-highlighted bits.
// It only moves onto cells the grid calls selectable; every cell whose look changes
// is reported to the changed callback.
#include <cstdint>
#include <functional>
#include <vector>

#include "sheet/cmcSheetLayout.h"

class cmcSheetCursor {
 public:
  // What the cursor moves over.
  class Grid {
   public:
    virtual ~Grid() = default;
    virtual int Cols() const = 0;
    virtual int Rows() const = 0;
    virtual int FixedCols() const = 0;
    virtual int FixedRows() const = 0;
    virtual bool Selectable(int col, int row) const = 0;
    // The cell may join a multi-cell selection.
    virtual bool MayJoinMulti(int col, int row) const = 0;
    // 0 none, 1 by cells, 2 by lines.
    virtual int MultiSelectMode() const = 0;
  };
  using Changed = std::function<void(int col, int row)>;

  cmcSheetCursor(const Grid& grid, Changed changed) : grid_(grid), changed_(std::move(changed)) {}

  // Sizes the bits for the grid and puts the cursor on (0, 0) with nothing selected.
  void Reset();

  int Col() const { return col_; }
  int Row() const { return row_; }
  cmcSheetCoord Anchor() const { return anchor_; }
  cmcSheetCoord SelectionAnchor() const { return selAnchor_; }

  // Where a keyboard move by (dx, dy) from the current cell leads, one unit step at a
  // time: straight ahead to the next selectable cell, else (not in a popup sheet) to
  // the selectable cell nearest to the cursor anchor's line in the next columns or
  // rows. Single steps of a popup sheet outside a mouse operation wrap around the
  // grid. A dx other than 0 ignores dy. The cursor anchor moves there, the cursor not.
  cmcSheetCoord Step(int dx, int dy, bool popup, bool mouseOperation);

  // Whether the cursor may rest on the cell: it is selectable and, with a multi-cell
  // selection active, may join it.
  bool MayMoveTo(int col, int row) const;
  // Moves the cursor and updates the selection: extending (Shift or a mouse drag)
  // spans the rectangle from the selection anchor when both cells may join; busy (a
  // batch operation runs) extends nothing.
  void MoveTo(int col, int row, bool extending, bool busy);
  // Puts the cursor on the cell without touching the selection (building).
  void Place(int col, int row);

  bool Selected(int col, int row) const { return Bit(col, row, kSelected); }
  bool LineHighlighted(int col, int row) const { return Bit(col, row, kHighlighted); }
  bool MultiActive() const { return multiActive_; }
  // Every selected bit off; the multi-cell selection ends.
  void ClearMulti();
  // Clears the multi-cell selection, then selects every selectable cell the predicate
  // takes, makes anchorRow the selection anchor's row and the selection active.
  void SelectWhere(const std::function<bool(int col, int row)>& take, int anchorRow);
  // The current cell alone selected, the selection anchor on it.
  void SelectCurrent();
  // In Line mode with a multi-cell selection every non-fixed cell of a row holding a
  // selected cell is highlighted and no other; without one all highlights go, once.
  void UpdateLineHighlights();

 private:
  static constexpr uint8_t kSelected = 1;
  static constexpr uint8_t kHighlighted = 2;

  bool Bit(int col, int row, uint8_t bit) const;
  void SetBit(int col, int row, uint8_t bit, bool on);
  bool Inside(int col, int row) const;
  // The unit step straight ahead from (e, d), or the nearest-cell search; false when
  // neither finds a cell.
  bool StraightAhead(int& e, int& d, int sx, int sy, bool wrap) const;
  bool Nearest(int& e, int& d, int sx, int sy) const;

  const Grid& grid_;
  Changed changed_;
  std::vector<uint8_t> bits_;
  int cols_ = 0;
  int col_ = 0;
  int row_ = 0;
  cmcSheetCoord anchor_{0, 0};
  cmcSheetCoord selAnchor_;
  bool multiActive_ = false;
  bool highlightsCleared_ = false;
};
