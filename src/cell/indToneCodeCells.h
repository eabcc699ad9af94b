#pragma once
// The selective-call codes: 2-tone codes (record kind 12, their transmit side on the
// 2-tone transmit rows), 5-tone receive and transmit codes (kinds 9 and 10) with the
// radio-wide timers and digit flags, and the user tones (kind 11). The number of tones
// in a 5-tone code is one radio-wide byte; changing it lays every code out again.
class indCellHandlers;

class indToneCodeCells {
 public:
  static void Register(indCellHandlers& table);
};
