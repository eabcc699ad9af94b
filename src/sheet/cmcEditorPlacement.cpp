#include "sheet/cmcEditorPlacement.h"

#include <algorithm>

cmcEditorPlacement::Place cmcEditorPlacement::Next(const cmcSheetRect& cell, const cmcSheetRect& workArea, int width,
                                                   int height) {
  Place p;
  p.top = cell.bottom;
  if (p.top + height > workArea.bottom) {
    if (height < cell.top - workArea.top) {
      p.top = cell.top - height;
    } else {
      p.top = workArea.bottom - height;
      p.overlapping = true;
    }
  }
  p.left = cell.left + 8;
  if (p.left + width > workArea.right) {
    p.left = workArea.right - width;
    if (p.overlapping && width < cell.left - workArea.left) p.left = cell.left - width;
  }
  return p;
}

cmcEditorPlacement::Size cmcEditorPlacement::Fit(int width, int height, const cmcSheetRect& workArea) {
  if (width <= workArea.Width() && height <= workArea.Height()) return {width, height, false};
  return {std::min(width, workArea.Width()), std::min(height, workArea.Height()), true};
}
