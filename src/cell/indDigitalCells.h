#pragma once
// The digital family: the progress messages the radio shows during a digital call,
// the digital status messages (a list of records), and the digital timers, which
// show and take keys only on models with the digital timer sheet.
class indCellHandlers;

class indDigitalCells {
 public:
  static void Register(indCellHandlers& table);
};
