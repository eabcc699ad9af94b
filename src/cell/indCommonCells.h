#pragma once
// The common family: passwords and access rights, clone password and comments,
// lockout, CTCSS, serial port, scrambler, power save, man-down, low battery and
// time-out timer groups, width options, PTT, MSK/MDC timers and the stun settings,
// all radio-wide image bits.
class indCellHandlers;

class indCommonCells {
 public:
  static void Register(indCellHandlers& table);
};
