#pragma once
// The memory channel cells of the LMR, QarnPmr and dPMR446 set, the PMR set and the
// PMR446 sheet (kinds 1-4): one table names every label's field, codec, list key and
// limits; a field row runs its codec on the loaded record and stores and announces a
// change, the other rows name their own handler (indChannelRules).
class indCellHandlers;

class indChannelCells {
 public:
  static void Register(indCellHandlers& table);
  // The choice list the table names for the label; null for none.
  static const char* ListOf(int label);
};
