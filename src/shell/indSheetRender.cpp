#include "shell/indSheetRender.h"

#include <algorithm>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellIds.h"
#include "cell/indActiveCell.h"
#include "channel/datChBank.h"
#include "channel/sheets/indMchWin.h"
#include "channel/sheets/indSheetMaker.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "sheet/cmcFixedMeasure.h"
#include "sheet/cmcSheetModel.h"
#include "sheet/cmcSheetRef.h"
#include "shell/indMain.h"

namespace {

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  return text;
}

}  // namespace

indSheetRender::indSheetRender(indMain& main, cmcGTex& overlay, cmcEvMan& events, indActiveCell& dispatch)
    : main_(main), overlay_(overlay), events_(events), dispatch_(dispatch) {}

void indSheetRender::OnEvent(cmcEvent& event) {
  if (event.mode == cmcEvMode::Asked && event.code == kEvAskMchBank && mchWin_)
    events_.Answer(0, datChBank(&main_.Working(), &main_.Initial()).BankFirst(0));
}

uint8_t indSheetRender::Send(cmcCellCapsule& request) {
  // The dispatch asks the view for its bank only on requests from a sheet.
  request.sheet = sheet_;
  return dispatch_.Dispatch(request, false);
}

void indSheetRender::ForEachRow(std::string_view ref, const std::function<void(cmcSheetModel&, int)>& row) {
  // Each sheet is made of its kind, as the desktop makes it: a bank sheet answers its
  // bank itself.
  const cmcFixedMeasure measure;
  const indSheetMaker maker({.overlay = overlay_,
                             .events = events_,
                             .image = main_.Working(),
                             .defaults = main_.Initial(),
                             .answer = [this](cmcCellCapsule& c, bool act) { return dispatch_.Dispatch(c, act); },
                             .model = [this] { return main_.SheetModel(); },
                             .measure = measure});
  const indSheetMaker::Sheet made = maker.Open(std::string(ref), *this);
  cmcSheetModel& sheet = *made.model;
  sheet_ = &sheet;
  mchWin_ = false;
  for (int r = 0; r < sheet.RowCount() && !mchWin_; ++r)
    for (int k = 0; k < sheet.ColCount() && !mchWin_; ++k) mchWin_ = indMchWin::IsWindowCell(sheet.Def().CellAt(k, r));
  events_.Listen<&indSheetRender::OnEvent>(this);
  for (int r = 0; r < sheet.RowCount(); ++r)
    if (sheet.RowShown(r)) row(sheet, r);
  events_.Unlisten<&indSheetRender::OnEvent>(this);
  sheet_ = nullptr;
  mchWin_ = false;
}

indSheetRender::Rows indSheetRender::Render(std::string_view ref, const CellVisitor& visit) {
  Rows rows;
  ForEachRow(ref, [&](cmcSheetModel& sheet, int r) {
    std::vector<std::string> row;
    for (int k = 0; k < sheet.ColCount(); ++k) {
      row.push_back(OneLine(sheet.CellText(k, r)));
      if (visit) visit(sheet.Def().CellAt(k, r), row.back());
    }
    while (!row.empty() && row.back().empty()) row.pop_back();
    rows.push_back(std::move(row));
  });
  return rows;
}

std::vector<indSheetRender::TreeSheet> indSheetRender::TreeSheets() {
  indTreeModel tree(overlay_);
  tree.Build();
  tree.ApplyFilter(indTreeModel::FilterFor(main_));
  tree.AppendModelName(main_.ModelType());
  std::vector<TreeSheet> sheets;
  for (const auto& node : tree.Nodes()) {
    if (node.Target().empty()) continue;
    bool seen = false;
    for (const auto& s : sheets) seen = seen || s.ref == node.Target();
    if (!seen) sheets.push_back({OneLine(node.caption), node.Target()});
  }
  return sheets;
}

std::string indSheetRender::Table(const Rows& rows) {
  std::string text;
  for (const auto& row : rows) {
    for (size_t k = 0; k < row.size(); ++k) text += (k ? "\t" : "") + row[k];
    text += '\n';
  }
  return text;
}
