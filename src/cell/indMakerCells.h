#pragma once
// The maker settings (CL_Maker_): squelch, CTCSS and DTCS decoding, PLL, timers,
// battery thresholds and the sensors, radio-wide bytes from 0x10C to 0x14F written
// straight into the image. The squelch delay reset timer is shown, and takes keys,
// only in maker reserve mode. The labels without a handler keep theirs unset.
class indCellHandlers;

class indMakerCells {
 public:
  static void Register(indCellHandlers& table);
};
