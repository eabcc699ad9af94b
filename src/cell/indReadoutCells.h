#pragma once
// The read-outs of the A/D and D/A windows (CL_WinAD_, CL_WinDA_): each reading in
// the form its label names, "%3d" decimal, "%2X" hexadecimal or "%3.2fV" volts
// (raw x 5 / 255). The readings come from the adjustment window through the host.
class indCellHandlers;

class indReadoutCells {
 public:
  static void Register(indCellHandlers& table);
};
