#include "cell/indCheckCells.h"

#include <span>

#include "cell/cmcCellIds.h"
#include "cell/indActiveCell.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellRequest.h"

namespace {

constexpr int kQarnWarnings[] = {CL_Mch_WNM_Pmr, CL_Mch_Moni_Pmr, CL_Mch_RxCNo_Pmr};
constexpr int kQarnErrors[] = {CL_Mch_Sel_Pmr, CL_Mch_Call_Pmr, CL_Mch_PTT_Pmr, CL_Mch_CH_Mute_Pmr};
constexpr int kPmrWarnings[] = {CL_Mch_WNM_Pmr, CL_Mch_RxCNo_Pmr, CL_Mch_Mdc_System_Pmr};

void CheckMch(indCellRequest& r) {
  r.SetText(r.cell.CellText());
  std::span<const int> warnings;
  std::span<const int> errors;
  if (r.qarnPmr) {
    warnings = kQarnWarnings;
    errors = kQarnErrors;
  } else if (r.pmr) {
    warnings = kPmrWarnings;
  } else {
    return;
  }
  const dst_BankContext bank = r.Banks().Context(r.row);
  bool warning = false;
  bool error = false;
  for (int ch = bank.first; bank.count > 0 && ch <= bank.last && !(warning && error); ++ch) {
    for (const int label : warnings)
      if (!warning && r.dispatch.WarningMarkOf(CT_Mch_Check, label, ch)) warning = true;
    for (const int label : errors)
      if (!error && r.dispatch.ErrorMarkOf(CT_Mch_Check, label, ch)) error = true;
  }
  if (warning) r.SetWarning();
  if (error) r.SetError();
}

}  // namespace

void indCheckCells::Register(indCellHandlers& t) { t.Set(CL_Check_Mch, CheckMch); }
