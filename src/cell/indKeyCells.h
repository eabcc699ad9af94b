#pragma once
// The keys and display family: the programmable keys (a function code per key in the
// normal and the function-key table), the key hold, ten-key, hang-up actions, opening
// text and beep, and the display settings; and the port modes of the external ports.
class indCellHandlers;

class indKeyCells {
 public:
  static void Register(indCellHandlers& table);
};
