#pragma once
// The emergency family (lone worker, shake, alert settings, timers and signalling
// codes at 0xB67E-0xB699) and the expansion family (beep tones, exo and external PTT,
// ignition, battery and the emergency switch timers), all radio-wide image bits.
class indCellHandlers;

class indEmergencyCells {
 public:
  static void Register(indCellHandlers& table);
};
