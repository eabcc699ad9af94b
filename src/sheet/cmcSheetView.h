#pragma once
// What a sheet model asks of its window: repaint cells, follow a new layout, show or
// hide the in-place editor and change the popup menu. The widget implements it and
// decides nothing; tests record the calls. Operations with a body may be left alone.
#include <string>

class cmcCellCapsule;
class cmcCellGrid;

class cmcSheetView {
 public:
  virtual ~cmcSheetView() = default;
  virtual void Repaint(int col, int row) = 0;
  virtual void LayoutChanged() = 0;  // rows added or removed, sizes changed
  virtual void OpenEditor(int col, int row, const std::string& text, int selStart, int selLength) = 0;
  virtual void HideEditor() = 0;
  virtual void SetPopupMenu(const std::string& name) = 0;
  // The left column or top row changed: the scroll bars follow and the cells move.
  virtual void Scrolled() {}
  // Paints what is pending at once; the repeat loop calls it before each wait.
  virtual void RepaintNow() {}
  // The current cell for the main window's help and status line.
  virtual void ReportCurrentCell(const cmcCellCapsule& /*current*/) {}
  // A popup sheet answered its chosen cell: the window holding it hides.
  virtual void HidePopup() {}
  // Where the value layer opens its popup editors when the model was given none: a
  // window that is also the cell grid answers itself.
  virtual cmcCellGrid* CellGrid() { return nullptr; }
};
