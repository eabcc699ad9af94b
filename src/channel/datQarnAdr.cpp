#include "channel/datQarnAdr.h"

#include "channel/datChKinds.h"
#include "image/cmcEeprom.h"

datQarnAdr::datQarnAdr(cmcEeprom* image) : image_(image) { Reload(); }

void datQarnAdr::Reload() {
  boundary_ = 0;
  if (image_ != nullptr && image_->IsValidAddress(datChAdr::kQarnBoundary + 1))
    boundary_ = (image_->GetByte(datChAdr::kQarnBoundary) << 8) | image_->GetByte(datChAdr::kQarnBoundary + 1);
  Derive();
}

void datQarnAdr::SetBoundary(int g) {
  boundary_ = g & 0xFFFF;
  if (image_ != nullptr && image_->IsValidAddress(datChAdr::kQarnBoundary + 1)) {
    image_->SetByte(datChAdr::kQarnBoundary, static_cast<uint8_t>(boundary_ >> 8));
    image_->SetByte(datChAdr::kQarnBoundary + 1, static_cast<uint8_t>(boundary_ & 0xFF));
  }
  Derive();
}

void datQarnAdr::Derive() {
  whole = {0, kAddressMax};
  individual = {0, boundary_ - 1};
  group = {boundary_, kAddressMax};
  groupRanges.fill(group);
  callRanges.fill(whole);
}
