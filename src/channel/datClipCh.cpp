#include "channel/datClipCh.h"

void datClipCh::StoreOne(cmcEeprom* image, int kind, int index, const datCh& record) {
  datCh r = record;
  if (datChKind::IsChannel(kind)) {
    scratch_.Bind(image);
    scratch_.Load(kind, index);
    constexpr uint8_t kFromDestination = datCh::kAttrEmergencyCleared | datCh::kAttrSmarTrunk;
    if (restore_)
      r.attr = scratch_.attr;
    else
      r.attr = static_cast<uint8_t>((r.attr & ~kFromDestination) | (scratch_.attr & kFromDestination));
  }
  cmcClipCh::StoreOne(image, kind, index, r);
}

void datClipCh::PasteRestoring(cmcEeprom* image, int kind, int first, int count) {
  restore_ = true;
  Paste(image, kind, first, count);
  restore_ = false;
}
