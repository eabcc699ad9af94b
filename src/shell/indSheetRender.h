#pragma once
// Overlay sheets rendered as text on the model controller's working image: each sheet
// is built as the desktop builds it (cmcSheetModel, sized with a fixed measure) and
// every cell of every row it shows is printed as the model shows it. While rendering
// a memory channel window sheet it stands in for the window: bank 0 and that bank's
// first channel. Also lists the tree's sheets.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/cmcSheetDef.h"
#include "sheet/cmcSheetView.h"
#include "shell/indTreeModel.h"

class cmcCellCapsule;
class cmcEvMan;
class cmcGTex;
class cmcSheetModel;
class indActiveCell;
class indMain;
struct cmcEvent;

class indSheetRender : private cmcSheetView {
 public:
  // One text per cell, trailing empty cells of a row dropped; line breaks, tabs and
  // carriage returns inside a text become blanks.
  using Rows = std::vector<std::vector<std::string>>;

  struct TreeSheet {
    std::string caption;
    std::string ref;
  };

  indSheetRender(indMain& main, cmcGTex& overlay, cmcEvMan& events, indActiveCell& dispatch);

  // Called for every cell rendered, with the text it shows.
  using CellVisitor = std::function<void(const cmcCellObj& cell, const std::string& shown)>;

  // Builds the sheet the reference names and renders it; a missing key is fatal. A
  // bank sheet's channel cells count from the bank's first channel, and its rows end
  // with the new-channel row after the bank's last channel; an MDC alias memory sheet
  // ends with the new-alias row.
  Rows Render(std::string_view ref, const CellVisitor& visit = {});
  // Dispatches a request as the sheet being rendered does for a user's action; call it
  // from a cell visitor, while the renderer answers for the sheet's views.
  uint8_t Send(cmcCellCapsule& request);
  // The tree's nodes that open a sheet, in tree order, for the controller's model
  // type and modes; a sheet shown by several nodes is listed once.
  std::vector<TreeSheet> TreeSheets();

  // The rows as lines of tab-separated texts.
  static std::string Table(const Rows& rows);

 private:
  // cmcSheetView: there is no window to follow the sheet.
  void Repaint(int, int) override {}
  void LayoutChanged() override {}
  void OpenEditor(int, int, const std::string&, int, int) override {}
  void HideEditor() override {}
  void SetPopupMenu(const std::string&) override {}

  void OnEvent(cmcEvent& event);
  // Builds the sheet and calls row for each row shown, while the renderer answers
  // for the sheet's views.
  void ForEachRow(std::string_view ref, const std::function<void(cmcSheetModel&, int)>& row);

  indMain& main_;
  cmcGTex& overlay_;
  cmcEvMan& events_;
  indActiveCell& dispatch_;
  // The window answered while a window sheet is rendered.
  bool mchWin_ = false;
  cmcSheetModel* sheet_ = nullptr;
};
