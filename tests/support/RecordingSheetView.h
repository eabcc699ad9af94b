#pragma once
// A sheet model's window for tests: every call is recorded, in order, as a short text
// ("repaint 2,3", "editor 1,2 text 0 4", "hide editor", "menu NAME", "layout",
// "scrolled", "flush", "report 1,2", "hide popup"), and the repainted cells also as
// coordinates.
#include <string>
#include <vector>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellObj.h"
#include "sheet/cmcSheetLayout.h"
#include "sheet/cmcSheetView.h"

class RecordingSheetView : public cmcSheetView {
 public:
  void Repaint(int col, int row) override {
    calls.push_back("repaint " + Cell(col, row));
    repainted.push_back({col, row});
  }
  void LayoutChanged() override { calls.push_back("layout"); }
  void OpenEditor(int col, int row, const std::string& text, int selStart, int selLength) override {
    calls.push_back("editor " + Cell(col, row) + " " + text + " " + std::to_string(selStart) + " " +
                    std::to_string(selLength));
  }
  void HideEditor() override { calls.push_back("hide editor"); }
  void SetPopupMenu(const std::string& name) override { calls.push_back("menu " + name); }
  void Scrolled() override { calls.push_back("scrolled"); }
  void RepaintNow() override { calls.push_back("flush"); }
  void ReportCurrentCell(const cmcCellCapsule& current) override {
    calls.push_back("report " + std::to_string(current.cell ? current.cell->index : -1));
  }
  void HidePopup() override { calls.push_back("hide popup"); }

  // The calls that begin with prefix.
  std::vector<std::string> Calls(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const auto& c : calls)
      if (c.rfind(prefix, 0) == 0) found.push_back(c);
    return found;
  }
  void Clear() {
    calls.clear();
    repainted.clear();
  }

  std::vector<std::string> calls;
  std::vector<cmcSheetCoord> repainted;

 private:
  static std::string Cell(int col, int row) { return std::to_string(col) + "," + std::to_string(row); }
};
