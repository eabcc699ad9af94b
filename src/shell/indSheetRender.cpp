#include "shell/indSheetRender.h"

#include <algorithm>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellIds.h"
#include "cell/indActiveCell.h"
#include "channel/datChBank.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "sheet/cmcFixedMeasure.h"
#include "sheet/cmcSheetModel.h"
#include "sheet/cmcSheetRef.h"
#include "shell/indDumpSheetHooks.h"
#include "shell/indMain.h"

namespace {

constexpr int kAddrAccessByte = 0x10B;
constexpr int kAddrDigitalByte = 267;

bool IsWindowCell(const cmcCellObj& cell) {
  return cell.category == CT_Mch_Win || cell.category == CT_Mch_Win_Pmr446 || cell.label == CL_MchWin_No;
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  return text;
}

}  // namespace

indSheetRender::indSheetRender(indMain& main, cmcGTex& overlay, cmcEvMan& events, indActiveCell& dispatch)
    : main_(main), overlay_(overlay), events_(events), dispatch_(dispatch) {}

cmcSheetDef::Model indSheetRender::SheetModel() const {
  return {main_.ModelType(), main_.extendedMode, main_.makerReserveMode, main_.Working().GetByte(kAddrAccessByte)};
}

indTreeModel::Filter indSheetRender::TreeFilter() const {
  indTreeModel::Filter f;
  f.modelType = main_.ModelType();
  f.makerReserveMode = main_.makerReserveMode;
  f.adjustDataPresent = main_.adjustDataPresent;
  f.extendedMode = main_.extendedMode;
  f.digitalByte = main_.Working().GetByte(kAddrDigitalByte);
  const uint8_t* names = main_.Working().Data() + indMain::kAddrBankNames;
  for (size_t b = 0; b < f.bankNames.size(); ++b)
    f.bankNames[b].assign(reinterpret_cast<const char*>(names + 8 * b), 8);
  return f;
}

void indSheetRender::OnEvent(cmcEvent& event) {
  if (event.mode != cmcEvMode::Asked) return;
  if (event.code == kEvAskBankSheet && bank_ >= 0) events_.Answer(bank_, 0);
  if (event.code == kEvAskMchBank && mchWin_)
    events_.Answer(0, datChBank(&main_.Working(), &main_.Initial()).BankFirst(0));
}

uint8_t indSheetRender::Send(cmcCellCapsule& request) {
  // The dispatch asks the view for its bank only on requests from a sheet.
  request.sheet = sheet_;
  return dispatch_.Dispatch(request, false);
}

void indSheetRender::ForEachRow(std::string_view ref, const std::function<void(cmcSheetModel&, int)>& row) {
  const cmcSheetRef sheetRef(ref);
  bank_ = sheetRef.SheetKind() == cmcSheetRef::Kind::kBank ? std::max(sheetRef.Bank(), 0) : -1;
  indDumpSheetHooks hooks(sheetRef.SheetKind(), bank_, datChBank(&main_.Working(), &main_.Initial()));
  const auto answer = [this](cmcCellCapsule& c, bool act) { return dispatch_.Dispatch(c, act); };
  cmcSheetModel sheet({.overlay = overlay_, .view = *this, .hooks = hooks, .answer = answer}, std::string(ref),
                      SheetModel());
  const cmcFixedMeasure measure;
  sheet.Build({.measure = &measure});
  sheet_ = &sheet;
  mchWin_ = false;
  for (int r = 0; r < sheet.RowCount() && !mchWin_; ++r)
    for (int k = 0; k < sheet.ColCount() && !mchWin_; ++k) mchWin_ = IsWindowCell(sheet.Def().CellAt(k, r));
  events_.Listen<&indSheetRender::OnEvent>(this);
  for (int r = 0; r < sheet.RowCount(); ++r)
    if (sheet.RowShown(r)) row(sheet, r);
  events_.Unlisten<&indSheetRender::OnEvent>(this);
  sheet_ = nullptr;
  bank_ = -1;
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
  tree.ApplyFilter(TreeFilter());
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
