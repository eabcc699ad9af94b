#pragma once
// The adjustment values (CL_Adjust_) and the compensation values (CL_Comp_): one byte
// each in the adjustment area 0x50-0xDF, worked by the adjustment codec (arrow keys
// step by 1, by 5 with Shift), signed (-128-127) where the value is a slope or a
// coefficient. After every request the value goes to the radio through the adjustment
// sequencer (an item of its own or the byte), except the two bisection targets, kept
// in the working image only. Each has a "_Bar" companion showing it as a bar (the
// targets as a voltage). The radio's adjustment password is 8 plain characters at
// 0x89. Guided procedures, the S-meter capture, the channel cells,
// the sweeps and the derived ratios are not handled here.
class indCellHandlers;

class indAdjustCells {
 public:
  static void Register(indCellHandlers& table);
};
