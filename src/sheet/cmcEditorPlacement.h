#pragma once
// Where a special editor's window goes: just below its cell, 8 pixels in from the
// cell's left, and kept on the work area of the monitor the cell is on (above the
// cell when there is room, else overlapping it from the work area's bottom). Also the
// size a popup list takes: all its sheet needs, or the work area with scroll bars.
#include "sheet/cmcSheetLayout.h"

class cmcEditorPlacement {
 public:
  struct Place {
    int left = 0;
    int top = 0;
    bool overlapping = false;  // the window covers the cell
    bool operator==(const Place&) const = default;
  };
  struct Size {
    int width = 0;
    int height = 0;
    bool scrollBars = false;
    bool operator==(const Size&) const = default;
  };

  // The cell and the work area in screen coordinates; width and height the window's.
  static Place Next(const cmcSheetRect& cell, const cmcSheetRect& workArea, int width, int height);
  // A sheet of the required outer size in a window on the work area.
  static Size Fit(int width, int height, const cmcSheetRect& workArea);
};
