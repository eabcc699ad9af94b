#pragma once
// The rules the text dump applies to bank and memory sheets until those sheet kinds
// bring their own hooks: a bank sheet's channel cells count from the bank's first
// channel and its rows end with the new-channel row after the bank's last channel; an
// MDC alias memory sheet ends with the new-alias row. Other sheets are left alone.
#include "channel/datChBank.h"
#include "sheet/cmcSheetHooks.h"
#include "sheet/cmcSheetRef.h"

class indDumpSheetHooks : public cmcSheetHooks {
 public:
  // bank: the bank a bank sheet shows (-1 for none); banks: over the working image.
  indDumpSheetHooks(cmcSheetRef::Kind kind, int bank, const datChBank& banks);

  void BeforeCell(cmcCellObj& cell, int col, int row) override;
  bool RowShown(const cmcSheetDef& def, int row) override;

 private:
  bool bankSheet_;
  bool memorySheet_;
  int first_ = 0;
  int last_ = 0;
  int aliases_ = 0;
};
