#pragma once
// A sheet view that shows nothing, for the benchmarks that build sheets without a window.
#include <string>

#include "sheet/cmcSheetView.h"

struct NoWindow : cmcSheetView {
  void Repaint(int, int) override {}
  void LayoutChanged() override {}
  void OpenEditor(int, int, const std::string&, int, int) override {}
  void HideEditor() override {}
  void SetPopupMenu(const std::string&) override {}
};
