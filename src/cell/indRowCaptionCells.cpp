#include "cell/indRowCaptionCells.h"

#include <cstdio>
#include <string>

#include "cell/cmcCellCanvas.h"
#include "cell/cmcCellIds.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellHost.h"
#include "cell/indCellRequest.h"

namespace {

std::string BankAndChannel(const indCellRequest& r) {
  if (r.host.Text("GI_Tree_Branch_Mch_BankOperation") == "None") return std::to_string(r.row + 1);
  char text[32];
  std::snprintf(text, sizeof text, "%d-%3d", r.bank.bank + 1, r.row - r.bank.first + 1);
  return text;
}

void ChannelNo(indCellRequest& r) { r.SetText(r.newRow ? r.host.Text("GI_NewChTitle") : BankAndChannel(r)); }

void MchWinNo(indCellRequest& r) {
  if (!r.newRow) {
    r.SetText(BankAndChannel(r));
    return;
  }
  r.SetText(std::to_string(r.bank.bank + 1) + "- " + r.host.Text("GI_NewChTitle"));
}

void ZeroBase(indCellRequest& r) { r.SetText(std::to_string(r.row)); }
void OneBase(indCellRequest& r) { r.SetText(std::to_string(r.row + 1)); }

void QuarterPillar(indCellRequest& r) {
  if (r.capsule.canvas) r.capsule.canvas->FillBottom(30, indCellRequest::kMidGrey);
}

}  // namespace

void indRowCaptionCells::Register(indCellHandlers& t) {
  t.Set(CL_Mch_No, ChannelNo);
  t.Set(CL_Mch_No_Pmr, ChannelNo);
  t.Set(CL_MchWin_No, MchWinNo);
  t.Set(CL_Misc_ChNo_0Base, ZeroBase);
  t.Set(CL_Misc_ChNo_1Base, OneBase);
  t.Set(CL_Misc_QuarterPillar, QuarterPillar);
}
