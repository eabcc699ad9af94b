#pragma once
// The tone pairs (kind 8): each pair's receive and transmit tone words and its bit in
// the selection bitmap at 0xA0F6.
class indCellHandlers;

class indTonePairCells {
 public:
  static void Register(indCellHandlers& table);
};
