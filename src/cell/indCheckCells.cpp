#include "cell/indCheckCells.h"

#include <initializer_list>
#include <span>

#include "cell/cmcCellIds.h"
#include "cell/indActiveCell.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellRequest.h"
#include "channel/datChKinds.h"

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

// The model types (bit n: model type n) whose radios use the settings a summary checks.
// A radio without them keeps whatever their bytes hold, unseen and unused: the tree
// shows their sheets only for these model types, and a write is never refused for them.
constexpr unsigned kAllModels = 0xF;
constexpr unsigned kQarnPmrOnly = 1u << 2;  // MSK signalling

// One summary over other cells: the labels whose marks it collects, their category,
// and the rows they are asked on (a record kind's whole index range, or fixed rows).
struct Summary {
  int label;
  int category;
  std::initializer_list<int> sources;
  int kind;       // rows of this record kind; 0: rows first … last below
  int first = 0;  // fixed rows when kind is 0
  int last = 0;
  unsigned models = kAllModels;
};

constexpr int kMdcSystems = 5;

const Summary kSummaries[] = {
    {CL_Check_User_Tone_Encode, CT_UserTone, {CL_UTone_Encode}, datChKind::kUserTone},
    // The call list's addresses, and the radio's own ID with its groups: each summary
    // marks the sheet that holds the addresses it checks.
    {CL_Check_Msk_IdRange, CT_MSK_CallList, {CL_Msk_CallList_Adr}, datChKind::kMskCallList, 0, 0, kQarnPmrOnly},
    {CL_Check_Msk_OwnIdGroup, CT_MSK_IdGroup, {CL_Msk_IdGroup_Adr}, datChKind::kMskIdGroup, 0, 0, kQarnPmrOnly},
    {CL_Check_Msk_Config, CT_MSK_AdrRange, {CL_Msk_AdrRange_Killer, CL_Msk_AdrRange_Group}, 0, 0, 0, kQarnPmrOnly},
    {CL_Check_Common_Mdc_SelfID, CT_Null, {CL_Comm_Msk_Mdc_SelfID}, 0, 0, 0},
    {CL_Check_Mdc_SelfID, CT_Null, {CL_Mdc_General_Self_Id}, 0, 0, kMdcSystems - 1},
};

// Sets the warning and error marks that any source cell of the label's summaries carries.
void CheckSummary(indCellRequest& r) {
  r.SetText(r.cell.CellText());
  bool warning = false;
  bool error = false;
  for (const Summary& s : kSummaries) {
    if (s.label != r.label || !(s.models & (1u << r.family))) continue;
    int first = s.first;
    int last = s.last;
    if (s.kind != 0) {
      first = datChKindOf(s.kind).first;
      last = datChKindOf(s.kind).last;
    }
    for (int row = first; row <= last; ++row)
      for (const int source : s.sources) {
        if (!warning && r.dispatch.WarningMarkOf(s.category, source, row)) warning = true;
        if (!error && r.dispatch.ErrorMarkOf(s.category, source, row)) error = true;
      }
  }
  if (warning) r.SetWarning();
  if (error) r.SetError();
}

}  // namespace

void indCheckCells::Register(indCellHandlers& t) {
  t.Set(CL_Check_Mch, CheckMch);
  t.SetRange(CL_Check_User_Tone_Encode, CL_Check_Mdc_SelfID, CheckSummary);
}
