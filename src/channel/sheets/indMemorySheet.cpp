#include "channel/sheets/indMemorySheet.h"

#include "cell/cmcCellIds.h"
#include "cell/cmcCellObj.h"
#include "channel/datChBank.h"
#include "runtime/cmcEvCodes.h"
#include "runtime/cmcEvMan.h"
#include "sheet/cmcSheetDef.h"
#include "sheet/cmcSheetModel.h"

indMemorySheet::indMemorySheet(cmcEvMan& events, cmcEeprom& image, const cmcEeprom& defaults)
    : events_(events), image_(image), defaults_(defaults) {
  events_.Listen<&indMemorySheet::OnEvent>(this);
}

indMemorySheet::~indMemorySheet() { events_.Unlisten<&indMemorySheet::OnEvent>(this); }

bool indMemorySheet::RowShown(const cmcSheetDef& def, int row) {
  const int aliases = datChBank(&image_, &defaults_).MdcAliasCount();
  for (int k = 0; k < def.ColCount(); ++k) {
    const cmcCellObj& cell = def.CellAt(k, row);
    if (cell.category == CT_MDC_Alias && cell.index > aliases) return false;
  }
  return true;
}

void indMemorySheet::OnEvent(cmcEvent& event) {
  if (!sheet_ || (event.code != kEvChannelAdded && event.code != kEvChannelRemoved)) return;
  const int col = sheet_->Col();
  const int row = sheet_->Row();
  sheet_->RefreshRows();
  if (!sheet_->MoveTo(col, row)) sheet_->MoveBySteps(0, -1);
}
