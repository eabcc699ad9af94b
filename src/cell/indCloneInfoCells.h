#pragma once
// The clone information cells: read-only texts and numbers from the radio information
// record of the last identification. Before any identification they are empty.
class indCellHandlers;

class indCloneInfoCells {
 public:
  static void Register(indCellHandlers& table);
};
