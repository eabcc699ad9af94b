#pragma once
// The channel clipboard: pasting a channel keeps the attributes that belong to the
// destination place. Normally a pasted channel keeps its own attributes except the
// emergency-cleared and SmarTrunk flags, which come from the destination; while
// restoring (PasteRestoring) it takes the destination's whole attribute byte.
#include "channel/cmcClipCh.h"

class datClipCh : public cmcClipCh {
 public:
  void StoreOne(cmcEeprom* image, int kind, int index, const datCh& record) override;
  // Paste with restore mode on.
  void PasteRestoring(cmcEeprom* image, int kind, int first, int count);
  bool Restoring() const { return restore_; }

 private:
  bool restore_ = false;
  datCh scratch_;
};
