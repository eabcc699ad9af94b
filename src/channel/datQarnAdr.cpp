#include "channel/datQarnAdr.h"

#include "image/cmcEeprom.h"
#include "image/cmcImageMap.h"

datQarnAdr::datQarnAdr(cmcEeprom* image) : image_(image) { Reload(); }

void datQarnAdr::Reload() {
  boundary_ = 0;
  if (image_ != nullptr && image_->IsValidAddress(cmcImageMap::kQarnBoundary + 1))
    boundary_ = image_->GetWord(cmcImageMap::kQarnBoundary);
  Derive();
}

void datQarnAdr::SetBoundary(int g) {
  boundary_ = g & 0xFFFF;
  if (image_ != nullptr && image_->IsValidAddress(cmcImageMap::kQarnBoundary + 1))
    image_->SetWord(cmcImageMap::kQarnBoundary, boundary_);
  Derive();
}

void datQarnAdr::Derive() {
  whole = {0, kAddressMax};
  individual = {0, boundary_ - 1};
  group = {boundary_, kAddressMax};
  groupRanges.fill(group);
  callRanges.fill(whole);
}
