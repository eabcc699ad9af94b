#pragma once
// The user characters (record kind 5: each a 16-bit segment mask) and the DTMF
// memories (kind 6: a name, 24 digits and a length) with their radio-wide timers.
class indCellHandlers;

class indDtmfCells {
 public:
  static void Register(indCellHandlers& table);
};
