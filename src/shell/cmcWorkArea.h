#pragma once
// Keeps a window's stored bounds on the work area: at least 16 pixels of it stay
// inside horizontally and vertically, and its top never lies above the work area.
#include "shell/indEnviron.h"

inline indEnviron::Rect KeepOnWorkArea(indEnviron::Rect bounds, const indEnviron::Rect& work) {
  const int workRight = work.left + work.width;
  const int workBottom = work.top + work.height;
  if (bounds.left > workRight - 16) bounds.left = workRight - 16;
  if (bounds.top > workBottom - 16) bounds.top = workBottom - 16;
  if (bounds.left + bounds.width < work.left + 16) bounds.left = work.left - bounds.width + 16;
  if (bounds.top < work.top) bounds.top = work.top;
  return bounds;
}
