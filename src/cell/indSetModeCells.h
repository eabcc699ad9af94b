#pragma once
// The set-mode family: the set-mode values at 0x280-0x290, the user set-mode enables
// (one bit each in the 4 bytes at 0xA089), and the titles the radio shows for the
// set-mode items (4 characters from 0xB067) and their values (3 characters from 0xB0E7).
class indCellHandlers;

class indSetModeCells {
 public:
  static void Register(indCellHandlers& table);
};
