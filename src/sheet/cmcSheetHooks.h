#pragma once
// What a kind of sheet adds to the sheet model: the plain sheet uses the defaults. The
// model calls BeforeCell once for every cell after the definition is read and before
// anything is measured, asks RowShown at every build and on RefreshRows (a row not
// shown has height 0 and takes no cursor), and tells the hooks where the cursor rests.
#include <string>

class cmcCellObj;
class cmcSheetDef;

class cmcSheetHooks {
 public:
  virtual ~cmcSheetHooks() = default;
  virtual void BeforeCell(cmcCellObj&, int /*col*/, int /*row*/) {}  // e.g. the bank's index offset
  virtual bool RowShown(const cmcSheetDef&, int /*row*/) { return true; }
  virtual std::string Title(const std::string& styleTitle) { return styleTitle; }
  // The cursor moved to this cell (a bank sheet has the memory channel window follow).
  virtual void CellSelected(const cmcCellObj&, int /*col*/, int /*row*/) {}
};
