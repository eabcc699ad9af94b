#pragma once
// Check summaries: `CL_Check_Mch` (row = bank) walks the bank's channels and collects
// the warning and error marks of the check labels that apply to the model family, so
// the model controller's warning check can mark the bank's tree node.
class indCellHandlers;

class indCheckCells {
 public:
  static void Register(indCellHandlers& table);
};
