#pragma once
// Memory statistics as "%d": channels in use in all banks and the slots left of the
// 128, the channels of all banks and how many more fit the memory budget, and the
// channels in use in the row's bank ("---" while banks are off, for the bank list).
class indCellHandlers;

class indMemoryStatCells {
 public:
  static void Register(indCellHandlers& table);
};
