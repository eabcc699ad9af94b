#include "shell/indDumpSheetHooks.h"

#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "sheet/cmcSheetDef.h"

namespace {

// The channel cells of a bank sheet: their index counts from the bank's first channel.
bool IsBankChannelCell(const cmcCellObj& cell) {
  return cell.category == CT_Mch || cell.category == CT_Mch_Check || cell.category == CT_Mch_Pmr446;
}

}  // namespace

indDumpSheetHooks::indDumpSheetHooks(cmcSheetRef::Kind kind, int bank, const datChBank& banks)
    : bankSheet_(kind == cmcSheetRef::Kind::kBank && bank >= 0), memorySheet_(kind == cmcSheetRef::Kind::kMemory) {
  if (bankSheet_) {
    first_ = banks.BankFirst(bank);
    last_ = first_ + banks.BankCount(bank);
  }
  if (memorySheet_) aliases_ = banks.MdcAliasCount();
}

void indDumpSheetHooks::BeforeCell(cmcCellObj& cell, int, int) {
  if (bankSheet_ && IsBankChannelCell(cell)) cell.index += first_;
}

bool indDumpSheetHooks::RowShown(const cmcSheetDef& def, int row) {
  for (int k = 0; k < def.ColCount(); ++k) {
    const cmcCellObj& cell = def.CellAt(k, row);
    if (bankSheet_ && IsBankChannelCell(cell) && cell.index > last_) return false;
    if (memorySheet_ && cell.category == CT_MDC_Alias && cell.index > aliases_) return false;
  }
  return true;
}
