#pragma once
// The adjustment parameter read-outs (CL_Adj_Pram_): the bytes of the adjustment area
// the adjustment and compensation cells edit, read only, each "%3d" (signed where the
// byte is a slope or a coefficient); the base frequency word in 100 kHz units; and for
// each tracked item the change its first-order and its second-order coefficient make
// 10 MHz away from the base frequency. The per-band slopes have no handler.
class indCellHandlers;

class indAdjParamCells {
 public:
  static void Register(indCellHandlers& table);
};
