#include "cell/indMemoryStatCells.h"

#include <string>

#include "cell/cmcCellIds.h"
#include "cell/indCellHandlers.h"
#include "cell/indCellRequest.h"
#include "channel/datChKinds.h"
#include "image/cmcImageMap.h"

namespace {

constexpr int kSlots = cmcImageMap::kChannelSlots;

// The bank a statistics cell counts: the bank context on channel rows, else the row.
int RowBank(const indCellRequest& r) { return datChBank::IsChannelCategory(r.category) ? r.bank.bank : r.row; }

void UsedTotal(indCellRequest& r) { r.SetText(std::to_string(r.Banks().UsedTotal())); }
void UsedLeft(indCellRequest& r) { r.SetText(std::to_string(kSlots - r.Banks().UsedTotal())); }
void BankTotal(indCellRequest& r) { r.SetText(std::to_string(r.Banks().TotalChannels())); }

void BankLeft(indCellRequest& r) {
  const datChBank banks = r.Banks();
  r.SetText(std::to_string(banks.MostThatFit(CT_Mch, kSlots - banks.TotalChannels())));
}

void UsedInBank(indCellRequest& r) { r.SetText(std::to_string(r.Banks().UsedInBank(RowBank(r)))); }

void UsedQty(indCellRequest& r) {
  r.SetText(r.bankMode ? std::to_string(r.Banks().UsedInBank(RowBank(r))) : std::string("---"));
}

}  // namespace

void indMemoryStatCells::Register(indCellHandlers& t) {
  t.Set(CL_Bank_UsedQty, UsedQty);
  t.Set(CL_Bank_UsedTotal, UsedTotal);
  t.Set(CL_Bank_UsedLeft, UsedLeft);
  t.Set(CL_Mch_Bank_Total, BankTotal);
  t.Set(CL_Mch_Bank_Left, BankLeft);
  t.Set(CL_Mch_UsedCHs, UsedInBank);
  t.Set(CL_Mch_UsedCHs_Total, UsedTotal);
  t.Set(CL_Mch_UsedCHs_Left, UsedLeft);
}
