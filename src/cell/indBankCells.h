#pragma once
// The bank settings: the bank mode switch, each bank's name, SmarTrunk flag and
// channel count (growing or shrinking the bank), and the SmarTrunk column of the bank
// list, which is fixed. The memory statistics of the banks are indMemoryStatCells.
class indCellHandlers;

class indBankCells {
 public:
  static void Register(indCellHandlers& table);
};
