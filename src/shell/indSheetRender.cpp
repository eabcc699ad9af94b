#include "shell/indSheetRender.h"

#include <algorithm>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellIds.h"
#include "cell/indActiveCell.h"
#include "channel/datChBank.h"
#include "image/cmcImageMap.h"
#include "overlay/cmcGTex.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "sheet/cmcSheetRef.h"
#include "shell/indMain.h"

namespace {

constexpr int kNoLimit = 1 << 30;

// The channel cells of a bank sheet: their index counts from the bank's first channel.
bool IsBankChannelCell(const cmcCellObj& cell) {
  return cell.category == CT_Mch || cell.category == CT_Mch_Check || cell.category == CT_Mch_Pmr446;
}

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
  return {main_.ModelType(), main_.extendedMode, main_.makerReserveMode,
          main_.Working().GetByte(cmcImageMap::kSheetAccess)};
}

indTreeModel::Filter indSheetRender::TreeFilter() const {
  indTreeModel::Filter f;
  f.modelType = main_.ModelType();
  f.makerReserveMode = main_.makerReserveMode;
  f.adjustDataPresent = main_.adjustDataPresent;
  f.extendedMode = main_.extendedMode;
  f.digitalByte = main_.Working().GetByte(cmcImageMap::kSheetAccess);
  const uint8_t* names = main_.Working().Data() + cmcImageMap::kBankNames;
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

std::string indSheetRender::Shown(const cmcCellObj& cell) {
  if (cell.category >= kNoCategory && cell.label >= kNoLabel) return OneLine(cell.CellText());
  cmcCellObj probe;
  probe.CopyCell(cell);
  cmcCellCapsule c;
  c.cell = &probe;
  return Send(c) == 0 ? OneLine(c.outputText) : std::string();
}

uint8_t indSheetRender::Send(cmcCellCapsule& request) {
  // The dispatch asks the view for its bank only on requests from a sheet; the
  // renderer stands in for that sheet and never hands the pointer on.
  request.sheet = reinterpret_cast<cuiSheet*>(this);
  return dispatch_.Dispatch(request, false);
}

void indSheetRender::ForEachRow(std::string_view ref, const std::function<void(cmcSheetDef&, int)>& row) {
  const cmcSheetRef sheet(ref);
  cmcSheetDef def(overlay_, sheet.SheetName(), sheet.SheetKind(), SheetModel());
  def.Build();
  bank_ = sheet.SheetKind() == cmcSheetRef::Kind::kBank ? std::max(sheet.Bank(), 0) : -1;
  mchWin_ = false;
  for (int r = 0; r < def.RowCount() && !mchWin_; ++r)
    for (int k = 0; k < def.ColCount() && !mchWin_; ++k) mchWin_ = IsWindowCell(def.CellAt(k, r));
  // A bank sheet shows its bank's channels and the new-channel row after them; a
  // memory sheet its list's entries in use and the new-entry row.
  int first = 0, last = kNoLimit;
  const datChBank banks(&main_.Working(), &main_.Initial());
  if (bank_ >= 0) {
    first = banks.BankFirst(bank_);
    last = first + banks.BankCount(bank_);
  }
  const bool memory = sheet.SheetKind() == cmcSheetRef::Kind::kMemory;
  events_.Listen<&indSheetRender::OnEvent>(this);
  for (int r = 0; r < def.RowCount(); ++r) {
    bool beyond = false;
    for (int k = 0; k < def.ColCount(); ++k) {
      cmcCellObj& cell = def.CellAt(k, r);
      if (bank_ >= 0 && IsBankChannelCell(cell)) {
        cell.index += first;
        beyond = beyond || cell.index > last;
      }
      if (memory && cell.category == CT_MDC_Alias) beyond = beyond || cell.index > banks.MdcAliasCount();
    }
    if (!beyond) row(def, r);
  }
  events_.Unlisten<&indSheetRender::OnEvent>(this);
  bank_ = -1;
  mchWin_ = false;
}

indSheetRender::Rows indSheetRender::Render(std::string_view ref, const CellVisitor& visit) {
  Rows rows;
  ForEachRow(ref, [&](cmcSheetDef& def, int r) {
    std::vector<std::string> row;
    for (int k = 0; k < def.ColCount(); ++k) {
      row.push_back(Shown(def.CellAt(k, r)));
      if (visit) visit(def.CellAt(k, r), row.back());
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
