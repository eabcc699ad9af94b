#include "shell/indWarningChecks.h"

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellObj.h"
#include "cell/indActiveCell.h"
#include "overlay/cmcGTex.h"
#include "shell/indMain.h"
#include "shell/indTreeModel.h"

namespace {

constexpr const char* kBankCheckFormat = "{(%%CL_Check_Mch:[St_ChBank]GI_Sheet_Mch_%s,Bank %d)}";
constexpr int kCheckedBanks = 8;
constexpr int kRowAsWritten = -1;

bool IsEnd(const std::string& line) { return !line.empty() && line[0] == '#'; }

}  // namespace

indWarningChecks::Result indWarningChecks::Run(int modelType) {
  Result result;
  for (int i = 0;; ++i) {
    const std::string line = overlay_.GetLine("GI_WarningCheckList", i);
    if (IsEnd(line)) break;
    Evaluate(line, kRowAsWritten, result);
  }
  const char* suffix = indMain::NameSuffixOf(modelType);
  for (int bank = 0; bank < kCheckedBanks; ++bank)
    Evaluate(indTreeModel::FillFormat(kBankCheckFormat, suffix, bank), bank, result);
  return result;
}

void indWarningChecks::Evaluate(const std::string& descriptor, int row, Result& result) {
  cmcCellObj cell;
  cell.ParseCell(descriptor, nullptr, nullptr, &overlay_);
  if (row != kRowAsWritten) cell.index = row;
  cmcCellCapsule c;
  c.cell = &cell;
  dispatch_.Dispatch(c, false);
  if (c.state & cmcCellCapsule::kErrorMark)
    result.errors.push_back(cell.argument);
  else if (c.state & cmcCellCapsule::kWarningMark)
    result.warnings.push_back(cell.argument);
}
