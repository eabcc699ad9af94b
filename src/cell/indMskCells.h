#pragma once
// The MSK settings: the address ranges derived from the group boundary, the ID
// groups, the call list, the status and short text messages (record kinds 15-18), and
// the radio-wide timing, configuration and preselection bytes. Addresses outside the
// range an entry belongs to carry the error mark at the cell's left edge.
class indCellHandlers;

class indMskCells {
 public:
  static void Register(indCellHandlers& table);
};
