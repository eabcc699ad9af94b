#include "image/cmcAddressRanges.h"

#include "image/cmcEeprom.h"

cmcAddressRanges::cmcAddressRanges(std::initializer_list<cmcAddressRange> pairs) : pairs_(pairs) {}

cmcAddressRanges cmcAddressRanges::EepromArea() { return {{0, cmcEeprom::kEepromSize - 1}}; }

int cmcAddressRanges::Count() const {
  int n = 0;
  for (const cmcAddressRange& pair : pairs_) {
    if (pair.end < pair.start) break;
    ++n;
  }
  return n;
}
