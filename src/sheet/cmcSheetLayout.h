#pragma once
// The geometry of a sheet's grid: column widths and row heights (0 hides one), fixed
// columns and rows that never scroll, the left column and top row, the client area,
// and what follows from them: cell rectangles, the cell under a point, the visible
// counts and the size the grid needs. It is the only scroll state; scroll bars mirror it.
// Pixels are logical pixels of the surface the sheet was built for.
#include <span>
#include <string>
#include <vector>

#include "cell/cmcCellFont.h"

class cmcTextMeasure;

// A rectangle whose right and bottom edges lie just outside it (width = right - left).
struct cmcSheetRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool operator==(const cmcSheetRect&) const = default;
};

struct cmcSheetCoord {
  int col = -1;
  int row = -1;
  bool operator==(const cmcSheetCoord&) const = default;
};

class cmcSheetLayout {
 public:
  // The limits a resizable column is kept in.
  static constexpr int kMinColWidth = 10;
  static constexpr int kMaxColWidth = 650;

  // One text a column is fitted to, in its font.
  struct FitText {
    std::string text;
    const cmcCellFont* font = nullptr;
  };

  // Forgets everything: cols x rows of the default sizes, nothing fixed, scrolled home.
  void Reset(int cols, int rows, int defaultColWidth, int defaultRowHeight);
  // Capped at the count minus 1.
  void SetFixed(int fixedCols, int fixedRows);

  int ColCount() const { return static_cast<int>(widths_.size()); }
  int RowCount() const { return static_cast<int>(heights_.size()); }
  int FixedCols() const { return fixedCols_; }
  int FixedRows() const { return fixedRows_; }
  int ColWidth(int col) const;
  int RowHeight(int row) const;
  void SetColWidth(int col, int width);
  void SetRowHeight(int row, int height);
  // Rows added at the end take the height of the row above; removed rows go from the end.
  void SetRowCount(int rows);

  // The area the cells are shown in.
  void SetClientSize(int width, int height);
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }

  // The first scrolled column and row; kept between the first non-fixed one and the
  // last that still fills the client area.
  int LeftCol() const { return leftCol_; }
  int TopRow() const { return topRow_; }
  // True when the position changed.
  bool SetLeftCol(int col);
  bool SetTopRow(int row);
  // Scrolls as little as needed to show the cell whole (as far as it fits).
  bool ScrollIntoView(int col, int row);
  int MaxLeftCol() const;
  int MaxTopRow() const;

  // Cells from the left column (top row) that are shown whole.
  int VisibleColCount() const;
  int VisibleRowCount() const;
  // The cell's rectangle in client coordinates; empty when it is scrolled away or hidden.
  cmcSheetRect CellRect(int col, int row) const;
  // The cell under a client point, (-1, -1) outside every cell.
  cmcSheetCoord MouseCoord(int x, int y) const;

  // The sums of all widths and heights: what the client area must be to show all.
  int GridWidth() const;
  int GridHeight() const;
  // The outer size a holder of the grid needs to show every cell: its current outer
  // size plus what the client area lacks.
  int RequiredOuterWidth(int outerWidth) const { return outerWidth + GridWidth() - clientWidth_; }
  int RequiredOuterHeight(int outerHeight) const { return outerHeight + GridHeight() - clientHeight_; }

  // Columns the width limits apply to (the sheet marks those whose first non-fixed
  // row's cell is selectable).
  void SetLimited(int col, bool limited);
  bool Limited(int col) const;
  // Keeps every limited column at least kMinColWidth and at most kMaxColWidth while
  // stored widths are loaded or while there is no client area, otherwise at most the
  // client width less the fixed columns, itself kept within the two limits.
  void ApplyWidthLimits(bool loading = false);

  // The width a text needs in a fitted column, and the height in a fitted row, at
  // the print scale (1 on screen); rowMargin is 2.5 (0.5 for the top page).
  static int FitWidth(int textWidth, int printScale);
  static int FitHeight(int textHeight, int printScale, double rowMargin);
  // Sets the column to the widest of the texts as FitWidth gives it.
  void FitColumn(int col, std::span<const FitText> texts, const cmcTextMeasure& measure, int printScale);

 private:
  int FixedWidth() const;
  int FixedHeight() const;

  std::vector<int> widths_;
  std::vector<int> heights_;
  std::vector<bool> limited_;
  int fixedCols_ = 0;
  int fixedRows_ = 0;
  int leftCol_ = 0;
  int topRow_ = 0;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
};
